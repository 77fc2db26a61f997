// The commands on the bundled example site BOHEM1 (32 specimens with bedding and cleavage).

#include "cli_test_support.h"
#include "model/file_io.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace tesmor::cli::test {
namespace {

using tesmor::test::SourceDir;
using tesmor::test::TempDir;

std::string ExampleFile(const std::string& name)
{
    return (SourceDir() / "examples" / "site" / name).string();
}

class ExampleSite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!model::FileExists(ExampleFile("BOHEM1.ran")))
            GTEST_SKIP() << "examples/site/BOHEM1.ran is missing";
    }
};

TEST_F(ExampleSite, RecordsListEveryOrientedSpecimen)
{
    const ToolRun run = RunTool({"records", ExampleFile("BOHEM1.ran")});

    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = ParseJson(run.out);
    ASSERT_EQ(j["records"].size(), 32u);
    EXPECT_EQ(j["records"][0]["Site"], "BOHEM1");
    EXPECT_EQ(j["records"][31]["Index"], 32);
}

TEST_F(ExampleSite, StatisticsInEverySystemHaveTheTenvarPart)
{
    for (const char* system : {"geographic", "paleogeographic", "tectonic"}) {
        const ToolRun run = RunTool({"stats", "--coord", system, ExampleFile("BOHEM1.ran")});

        ASSERT_EQ(run.status, 0) << system << run.err;
        const nlohmann::json j = ParseJson(run.out);
        EXPECT_EQ(j["N"], 32) << system;
        EXPECT_TRUE(j["Tenvar"].get<bool>()) << system;
    }
}

TEST_F(ExampleSite, TectonicSystemPutsTheChosenLineOnTheNorthAxis)
{
    const ToolRun run = RunTool(
        {"records", "--coord", "tectonic", "--lineation", "L", ExampleFile("BOHEM1.ran")});

    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json records = ParseJson(run.out)["records"];
    ASSERT_EQ(records.size(), 32u);
    for (const auto& r : records) {
        // The axis lies along North-South; the file's whole-degree angles leave the line up to
        // half a degree out of its plane.
        const double dec = r["L1Dec"].get<double>();
        EXPECT_NEAR(std::min({dec, std::abs(dec - 180), 360 - dec}), 0.0, 0.01);
        EXPECT_NEAR(r["L1Inc"].get<double>(), 0.0, 1.0);
    }
}

TEST_F(ExampleSite, ExportsEveryKindOfFile)
{
    TempDir dir;

    const ToolRun run
        = RunTool({"export", ExampleFile("BOHEM1.ran"), "--table", dir.file("t.txt"), "--dat",
                   dir.file("d.dat"), "--mean", dir.file("m.txt"), "--mean-record",
                   dir.file("m.ran"), "--name", "BOHEM1", "--picture", dir.file("v.pdf")});

    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name : {"t.txt", "d.dat", "m.txt", "m.ran", "v.pdf"})
        EXPECT_TRUE(model::FileExists(dir.file(name))) << name;
    EXPECT_EQ(tesmor::test::ReadBytes(dir.file("v.pdf")).substr(0, 5), "%PDF-");
}

TEST_F(ExampleSite, MergesItsGeologicalFile)
{
    if (!model::FileExists(ExampleFile("BOHEM1.ged")))
        GTEST_SKIP() << "examples/site/BOHEM1.ged is missing";
    TempDir dir;

    const ToolRun back
        = RunTool({"merge", ExampleFile("BOHEM1.ran"), "--ged", ExampleFile("BOHEM1.ged"),
                   "--direction", "geo-to-spec", "-o", dir.file("spec.ran")});
    const ToolRun again
        = RunTool({"merge", dir.file("spec.ran"), "--ged", ExampleFile("BOHEM1.ged"), "--direction",
                   "spec-to-geo", "-o", dir.file("geo.ran")});

    ASSERT_EQ(back.status, 0) << back.err;
    ASSERT_EQ(again.status, 0) << again.err;
    const nlohmann::json spec = ParseJson(RunTool({"records", dir.file("spec.ran")}).out);
    EXPECT_EQ(spec["records"][0]["Code1"], "SS");
    const nlohmann::json before = ParseJson(RunTool({"stats", ExampleFile("BOHEM1.ran")}).out);
    const nlohmann::json after = ParseJson(RunTool({"stats", dir.file("geo.ran")}).out);
    EXPECT_NEAR(before["K1d"].get<double>(), after["K1d"].get<double>(), 0.1);
    EXPECT_NEAR(before["K3i"].get<double>(), after["K3i"].get<double>(), 0.1);
}

} // namespace
} // namespace tesmor::cli::test
