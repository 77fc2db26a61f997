// records, stats and list on built data files.

#include "app/listing.h"
#include "cli_test_support.h"
#include "math/group_statistics.h"

namespace tesmor::cli::test {
namespace {

using RecordsCommand = CliTest;
using StatsCommand = CliTest;
using ListCommand = CliTest;

float F(const json& value)
{
    return static_cast<float>(value.get<double>());
}

TEST_F(RecordsCommand, PrintsEveryActiveRecordWithEveryField)
{
    const json j = RunJson({"records", site(6)});

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

TEST_F(RecordsCommand, FoliationLetterChoosesTheRecordsOfThePaleogeographicSystem)
{
    const std::string path = site(6);
    const auto paleo = [&](std::vector<std::string> options) {
        options.insert(options.begin(), {"records", "--coord", "paleogeographic"});
        options.push_back(path);
        return RunJson(options)["records"];
    };

    const json byDefault = paleo({});
    const json withB = paleo({"--foliation", "B"});

    EXPECT_EQ(byDefault, withB);
    EXPECT_EQ(withB.size(), 6u);
    EXPECT_EQ(paleo({"--foliation", "S"}).size(), 3u);
    EXPECT_NE(withB[0]["K1dec"], RunJson({"records", path})["records"][0]["K1dec"]);
}

TEST_F(RecordsCommand, DefaultOrientationParametersReachTheReader)
{
    std::string bytes = SiteBytes(6);
    tesmor::testing::PutBytes(bytes, 48, "xx xx xx xx ");
    WriteBytes(file("noparams.ran"), bytes);

    const json plain = RunJson({"records", file("noparams.ran")});
    const json given = RunJson({"records", "--defaults", "6,0,6,90", file("noparams.ran")});

    EXPECT_EQ(plain["records"][0]["P1"], 0);
    EXPECT_EQ(given["records"][0]["P1"], 6);
    EXPECT_EQ(given["records"][0]["P4"], 90);
}

TEST_F(StatsCommand, PrintsTheCoreStatisticsUnderTheirNames)
{
    const std::string path = site(8);
    const math::GroupStatistics core
        = math::ComputeGroupStatistics(CoreRecords(path), math::Projection::EqualArea);

    const json j = RunJson({"stats", path});
    const json curves = RunJson({"stats", "--curves", path});

    EXPECT_EQ(j["N"], 8);
    EXPECT_EQ(F(j["Kaver"]), core.Kaver);
    EXPECT_EQ(F(j["Pjsd"]), core.Pjsd);
    EXPECT_EQ(F(j["K1d"]), core.K1d);
    EXPECT_EQ(F(j["C3b95"]), core.C3b95);
    EXPECT_EQ(F(j["K2xy"][0]), core.AxisPoint[1].x);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(F(j["M"][row][col]), core.M(row + 1, col + 1)) << row << col;
    EXPECT_EQ(F(j["EllipseAxisPoints"][2][3][1]), core.EllipseAxisPoints[2][3].y);
    for (const char* name :
         {"Laver", "Usd", "K3", "K3i", "K1xy", "C1a", "C2b", "C1a95", "Lmean", "Umean"})
        EXPECT_FALSE(j[name].is_null()) << name;
    EXPECT_FALSE(j.contains("EllipseCurve"));
    ASSERT_EQ(curves["EllipseCurve"].size(), 3u);
    EXPECT_EQ(curves["EllipseCurve"][0].size(), 3601u);
    EXPECT_EQ(curves["EllipseCurve"][2][3600].size(), 2u);
}

TEST_F(StatsCommand, EqualAngleProjectionMovesTheEllipsesButNotTheMeanAxes)
{
    const std::string path = site(8);

    const json area = RunJson({"stats", path});
    const json angle = RunJson({"stats", "--projection", "equal-angle", path});

    EXPECT_EQ(area["K1xy"], angle["K1xy"]);
    EXPECT_NE(area["EllipseAxisPoints"], angle["EllipseAxisPoints"]);
}

TEST_F(StatsCommand, FewRecordsLeaveWhatIsUndefinedNull)
{
    const json one = RunJson({"stats", "--curves", site(1)});
    const json four = RunJson({"stats", "--curves", site(4)});

    EXPECT_EQ(one["N"], 1);
    for (const char* name : {"Kaver", "Usd", "K1", "M", "EllipseCurve"})
        EXPECT_TRUE(one[name].is_null()) << name;
    EXPECT_EQ(four["N"], 4);
    EXPECT_FALSE(four["Taver"].is_null());
    for (const char* name : {"K1", "C1a", "M", "EllipseCurve"})
        EXPECT_TRUE(four[name].is_null()) << name;
}

TEST_F(ListCommand, PrintsTheListingRowsThenEveryStatisticsLabel)
{
    const std::string path = site(6);
    const model::Records core = CoreRecords(path);

    const ToolRun run = RunTool({"list", path});

    ASSERT_EQ(run.status, 0) << run.err;
    std::string expected = app::ListingHeader() + "\n";
    for (const model::SpecimenRecord& record : core)
        expected += app::ListingRow(record) + "\n";
    expected += "lblN\t6\n";
    EXPECT_EQ(run.out.substr(0, expected.size()), expected);
    EXPECT_NE(run.out.find("\nlblKmmean\tN/A\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nlblUsd\t"), std::string::npos);
    EXPECT_NE(run.out.find("\nlblStatisticsInfo\t\n"), std::string::npos);
}

TEST_F(ListCommand, ShowsTheTenvarNoticeForFewRecords)
{
    const ToolRun run = RunTool({"list", site(3)});

    EXPECT_NE(run.out.find("\nlblK1\t\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nlblStatisticsInfo\tNot enough records for Tenvar statistics\n"),
              std::string::npos);
}

} // namespace
} // namespace tesmor::cli::test
