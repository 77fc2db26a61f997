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

TEST_F(Reports, HextAndBootstrapJsonWithSeedsThreadsAndStandardErrors)
{
    const std::string path = site(8);
    const json j = RunJson({"stats", "--hext", "--bootstrap", "200", "--seed", "5", path});
    for (const char* name :
         {"N", "nf", "sigma", "F", "F12", "F23", "Fcrit", "F12crit", "e12", "e23", "e13"})
        EXPECT_TRUE(j["Hext"][name].is_number()) << name;
    EXPECT_EQ(j["Hext"]["nf"], 42);
    EXPECT_EQ(j["Bootstrap"]["seed"], 5);
    EXPECT_EQ(j["Bootstrap"]["count"], 200);
    EXPECT_TRUE(j["Bootstrap"]["K3"]["zeta_inc"].is_number());
    EXPECT_EQ(
        j,
        RunJson({"stats", "--hext", "--bootstrap", "200", "--seed", "5", "--threads", "1", path}));
    EXPECT_TRUE(RunJson({"stats", "--bootstrap", "10", site(2)})["Bootstrap"]["K1"].is_null());

    const ToolRun noErrors = RunTool({"stats", "--bootstrap", "10", "--parametric", path});
    EXPECT_EQ(noErrors.status, 1);
    EXPECT_NE(noErrors.err.find("standard error"), std::string::npos);
    EXPECT_EQ(RunTool({"stats", "--parametric", path}).status, 2);
    WriteBytes(file("e.s"),
               "1.02 1 0.98 0.01 0 0 0.002\n1.03 0.99 0.98 0 0.01 0 0.003\n"
               "1.01 1.01 0.98 0 0 0.01 0.002\n");
    const auto picture = [&](const std::string& name, const std::string& region) {
        EXPECT_EQ(RunTool({"export", "--picture", file(name), "--show", "k1,k2,k3,ellipses",
                           "--region", region, path})
                      .status,
                  0);
        return ReadBytes(file(name));
    };
    EXPECT_NE(picture("t.svg", "tenvar"), picture("h.svg", "hext"));
    EXPECT_TRUE(RunJson(
        {"stats", "--bootstrap", "50", "--parametric", file("e.s")})["Bootstrap"]["parametric"]);
}

} // namespace
} // namespace tesmor::cli::test
