// The merge command on the bundled example site BOHEM1 (32 specimens with bedding and cleavage).

#include "cli_test_support.h"

namespace tesmor::cli::test {
namespace {

using ExampleSite = CliTest;

std::string Example(const std::string& name)
{
    return (tesmor::test::SourceDir() / "examples" / "site" / name).string();
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
