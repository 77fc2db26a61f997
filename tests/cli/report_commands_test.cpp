// records, stats and list on built data files: what the golden files of the example site do not
// show (structure letters, default orientation parameters, projections, too few records).

#include "cli_test_support.h"

namespace tesmor::cli::test {
namespace {

using Reports = CliTest;

TEST_F(Reports, FoliationLetterChoosesTheRecordsOfThePaleogeographicSystem)
{
    const std::string path = site(6);
    const auto paleo = [&](std::vector<std::string> options) {
        options.insert(options.begin(), {"records", "--coord", "paleogeographic"});
        options.push_back(path);
        return RunJson(options)["records"];
    };

    const json withB = paleo({"--foliation", "B"});

    EXPECT_EQ(paleo({}), withB);
    EXPECT_EQ(withB.size(), 6u);
    EXPECT_EQ(paleo({"--foliation", "S"}).size(), 3u);
    EXPECT_NE(withB[0]["K1dec"], RunJson({"records", path})["records"][0]["K1dec"]);
}

TEST_F(Reports, DefaultOrientationParametersReachTheReader)
{
    std::string bytes = SiteBytes(6);
    tesmor::testing::PutBytes(bytes, 48, "xx xx xx xx ");
    WriteBytes(file("noparams.ran"), bytes);

    const json plain = RunJson({"records", file("noparams.ran")})["records"][0];
    const json given = RunJson({"records", "--defaults", "6,0,6,90", file("noparams.ran")});

    EXPECT_EQ(plain["P1"], 0);
    EXPECT_EQ(given["records"][0]["P1"], 6);
    EXPECT_EQ(given["records"][0]["P4"], 90);
}

TEST_F(Reports, EqualAngleProjectionMovesTheEllipsesButNotTheMeanAxes)
{
    const std::string path = site(8);

    const json area = RunJson({"stats", "--curves", path});
    const json angle = RunJson({"stats", "--projection", "equal-angle", path});

    EXPECT_EQ(area["K1xy"], angle["K1xy"]);
    EXPECT_NE(area["EllipseAxisPoints"], angle["EllipseAxisPoints"]);
    EXPECT_FALSE(angle.contains("EllipseCurve"));
    ASSERT_EQ(area["EllipseCurve"].size(), 3u);
    EXPECT_EQ(area["EllipseCurve"][0].size(), 3601u);
}

TEST_F(Reports, FewRecordsLeaveWhatIsUndefinedNullAndTheListSaysSo)
{
    const json one = RunJson({"stats", "--curves", site(1)});
    const json four = RunJson({"stats", "--curves", site(4)});
    const ToolRun list = RunTool({"list", site(3)});

    for (const char* name : {"Kaver", "Usd", "K1", "M", "EllipseCurve"})
        EXPECT_TRUE(one[name].is_null()) << name;
    EXPECT_FALSE(four["Taver"].is_null());
    for (const char* name : {"K1", "C1a", "M", "EllipseCurve"})
        EXPECT_TRUE(four[name].is_null()) << name;
    EXPECT_NE(list.out.find("\nlblK1\t\n"), std::string::npos);
    EXPECT_NE(list.out.find("\nlblStatisticsInfo\tNot enough records for Tenvar statistics\n"),
              std::string::npos);
}

} // namespace
} // namespace tesmor::cli::test
