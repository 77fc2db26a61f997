// The commands on the bundled example site BOHEM1 (32 specimens with bedding and cleavage).

#include "cli_test_support.h"

#include <algorithm>
#include <cmath>

namespace tesmor::cli::test {
namespace {

using ExampleSite = CliTest;

std::string Example(const std::string& name)
{
    return (tesmor::test::SourceDir() / "examples" / "site" / name).string();
}

TEST_F(ExampleSite, TectonicSystemPutsTheChosenLineOnTheNorthAxis)
{
    const json records = RunJson(
        {"records", "--coord", "tectonic", "--lineation", "L", Example("BOHEM1.ran")})["records"];

    ASSERT_EQ(records.size(), 32u);
    for (const auto& r : records) {
        // The axis lies along North-South; the file's whole-degree angles leave the line up to
        // half a degree out of its plane.
        const double dec = r["L1Dec"].get<double>();
        EXPECT_NEAR(std::min({dec, std::abs(dec - 180), 360 - dec}), 0.0, 0.01);
        EXPECT_NEAR(r["L1Inc"].get<double>(), 0.0, 1.0);
    }
}

TEST_F(ExampleSite, MergesItsGeologicalFileBothWays)
{
    const ToolRun back = RunTool({"merge", Example("BOHEM1.ran"), "--ged", Example("BOHEM1.ged"),
                                  "--direction", "geo-to-spec", "-o", file("specimen.ran")});
    const ToolRun again = RunTool({"merge", file("specimen.ran"), "--ged", Example("BOHEM1.ged"),
                                   "--direction", "spec-to-geo", "-o", file("geo.ran")});

    ASSERT_EQ(back.status, 0) << back.err;
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(RunJson({"records", file("specimen.ran")})["records"][0]["Code1"], "SS");
    const json before = RunJson({"stats", Example("BOHEM1.ran")});
    const json after = RunJson({"stats", file("geo.ran")});
    EXPECT_NEAR(before["K1d"].get<double>(), after["K1d"].get<double>(), 0.1);
    EXPECT_NEAR(before["K3i"].get<double>(), after["K3i"].get<double>(), 0.1);
}

} // namespace
} // namespace tesmor::cli::test
