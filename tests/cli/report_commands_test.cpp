// records, stats and list on built data files.

#include "app/listing.h"
#include "cli_test_support.h"
#include "formats/ams_binary.h"
#include "math/group_statistics.h"
#include "math/principal_axes.h"

#include <gtest/gtest.h>

namespace tesmor::cli::test {
namespace {

using nlohmann::json;

// The records and statistics of a file as the core computes them, in the geographic system.
model::Records CoreRecords(const std::string& path)
{
    model::Records records;
    EXPECT_TRUE(formats::ReadAmsBinaryFile(path, records, 1, {}).ok());
    math::ComputeRecordDerived(records);
    return records;
}

TEST(RecordsCommand, PrintsEveryActiveRecordWithEveryField)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);

    const ToolRun run = RunTool({"records", path});

    ASSERT_EQ(run.status, 0) << run.err;
    const json j = ParseJson(run.out);
    ASSERT_EQ(j["records"].size(), 6u);
    const json& first = j["records"][0];
    EXPECT_EQ(first.size(), 62u);
    EXPECT_EQ(first["Name"], "S1");
    EXPECT_EQ(first["Index"], 1);
    EXPECT_EQ(first["Selected"], false);
    EXPECT_EQ(first["Spare1"], 0.0);
    EXPECT_EQ(first["Code1"], "BL");
    EXPECT_EQ(j["records"][5]["Code2"], "SK");
}

TEST(RecordsCommand, AFoliationLetterThatNoRecordHasGivesAnEmptyList)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);

    const ToolRun run = RunTool({"records", "--coord", "tectonic", "--foliation", "Q", path});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ParseJson(run.out)["records"].size(), 0u);
}

TEST(RecordsCommand, PaleogeographicSystemUsesTheFirstFoliationLetterByDefault)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);

    const json byDefault = ParseJson(RunTool({"records", "--coord", "paleogeographic", path}).out);
    const json withB = ParseJson(
        RunTool({"records", "--coord", "paleogeographic", "--foliation", "B", path}).out);
    const json withS = ParseJson(
        RunTool({"records", "--coord", "paleogeographic", "--foliation", "S", path}).out);

    EXPECT_EQ(byDefault, withB);
    EXPECT_EQ(withB["records"].size(), 6u);
    EXPECT_EQ(withS["records"].size(), 3u);
    EXPECT_NE(withB["records"][0]["K1dec"],
              ParseJson(RunTool({"records", path}).out)["records"][0]["K1dec"]);
}

TEST(RecordsCommand, ASetWithoutOrientationOffersOnlyTheSpecimenSystem)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "spec.ran", 5, "SS");

    const ToolRun plain = RunTool({"records", path});
    const ToolRun geographic = RunTool({"records", "--coord", "geographic", path});

    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(geographic.status, 1);
    EXPECT_NE(geographic.err.find("specimen"), std::string::npos);
    EXPECT_TRUE(geographic.out.empty());
}

TEST(StatsCommand, PrintsTheCoreStatisticsUnderTheirNames)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 8);
    const math::GroupStatistics core
        = math::ComputeGroupStatistics(CoreRecords(path), math::Projection::EqualArea);

    const ToolRun run = RunTool({"stats", path});

    ASSERT_EQ(run.status, 0) << run.err;
    const json j = ParseJson(run.out);
    EXPECT_EQ(j["N"], 8);
    EXPECT_EQ(static_cast<float>(j["Kaver"].get<double>()), core.Kaver);
    EXPECT_EQ(static_cast<float>(j["Pjsd"].get<double>()), core.Pjsd);
    EXPECT_EQ(static_cast<float>(j["K1d"].get<double>()), core.K1d);
    EXPECT_EQ(static_cast<float>(j["C3b95"].get<double>()), core.C3b95);
    EXPECT_EQ(static_cast<float>(j["K2xy"][0].get<double>()), core.AxisPoint[1].x);
    EXPECT_EQ(static_cast<float>(j["M"][0][2].get<double>()), core.M(1, 3));
    EXPECT_EQ(static_cast<float>(j["EllipseAxisPoints"][2][3][1].get<double>()),
              core.EllipseAxisPoints[2][3].y);
    EXPECT_FALSE(j.contains("EllipseCurve"));
    for (const char* name :
         {"Laver", "Usd", "K3", "K3i", "K1xy", "C1a", "C2b", "C1a95", "Lmean", "Umean"})
        EXPECT_FALSE(j[name].is_null()) << name;
}

TEST(StatsCommand, CurvesAddThreeEllipsesOf3601Points)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 8);

    const json j = ParseJson(RunTool({"stats", "--curves", path}).out);

    ASSERT_EQ(j["EllipseCurve"].size(), 3u);
    EXPECT_EQ(j["EllipseCurve"][0].size(), 3601u);
    EXPECT_EQ(j["EllipseCurve"][2][3600].size(), 2u);
}

TEST(StatsCommand, EqualAngleProjectionMovesTheEllipsesButNotTheMeanAxes)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 8);

    const json area = ParseJson(RunTool({"stats", path}).out);
    const json angle = ParseJson(RunTool({"stats", "--projection", "equal-angle", path}).out);

    EXPECT_EQ(area["K1xy"], angle["K1xy"]);
    EXPECT_NE(area["EllipseAxisPoints"], angle["EllipseAxisPoints"]);
}

TEST(StatsCommand, FourRecordsGiveAveragesButNoTenvarStatistics)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 4);

    const json j = ParseJson(RunTool({"stats", "--curves", path}).out);

    EXPECT_EQ(j["N"], 4);
    EXPECT_FALSE(j["Taver"].is_null());
    EXPECT_TRUE(j["K1"].is_null());
    EXPECT_TRUE(j["C1a"].is_null());
    EXPECT_TRUE(j["EllipseCurve"].is_null());
}

TEST(StatsCommand, DefaultOrientationParametersReachTheReader)
{
    tesmor::test::TempDir dir;
    std::string bytes = SiteBytes(6);
    tesmor::testing::PutBytes(bytes, 48, "xx xx xx xx ");
    const std::string path = dir.file("noparams.ran");
    tesmor::test::WriteBytes(path, bytes);

    const json plain = ParseJson(RunTool({"records", path}).out);
    const json given = ParseJson(RunTool({"records", "--defaults", "6,0,6,90", path}).out);

    EXPECT_EQ(plain["records"][0]["P1"], 0);
    EXPECT_EQ(given["records"][0]["P1"], 6);
    EXPECT_EQ(given["records"][0]["P4"], 90);
}

TEST(ListCommand, PrintsTheListingRowsThenEveryStatisticsLabel)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);
    const model::Records core = CoreRecords(path);

    const ToolRun run = RunTool({"list", path});

    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, app::ListingHeader());
    std::getline(lines, line);
    EXPECT_EQ(line, app::ListingRow(core[0]));
    for (int i = 2; i <= 6; ++i)
        std::getline(lines, line);
    std::getline(lines, line);
    EXPECT_EQ(line, "lblN\t6");
    std::string rest((std::istreambuf_iterator<char>(lines)), std::istreambuf_iterator<char>());
    EXPECT_NE(rest.find("lblKmmean\tN/A\n"), std::string::npos);
    EXPECT_NE(rest.find("lblUsd\t"), std::string::npos);
    EXPECT_NE(rest.find("lblStatisticsInfo\t\n"), std::string::npos);
}

TEST(ListCommand, ShowsTheTenvarNoticeForFewRecords)
{
    tesmor::test::TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 3);

    const ToolRun run = RunTool({"list", path});

    EXPECT_NE(run.out.find("lblK1\t\n"), std::string::npos);
    EXPECT_NE(run.out.find("lblStatisticsInfo\tNot enough records for Tenvar statistics\n"),
              std::string::npos);
}

} // namespace
} // namespace tesmor::cli::test
