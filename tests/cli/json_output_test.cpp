#include "cli/json_output.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace tesmor::cli {
namespace {

TEST(FloatJson, PrintsTheShortestTextThatReadsBackAsTheSameFloatOrNull)
{
    EXPECT_EQ(
        std::tuple(FloatJson(0.1f).dump(), FloatJson(1300.0f).dump(), FloatJson(-2.5e-7f).dump()),
        std::tuple("0.1", "1300.0", "-2.5e-07"));
    EXPECT_EQ(static_cast<float>(FloatJson(1.0f / 3.0f).get<double>()), 1.0f / 3.0f);
    // Values that are not finite give null.
    EXPECT_TRUE(FloatJson(std::numeric_limits<float>::quiet_NaN()).is_null());
    EXPECT_TRUE(FloatJson(std::numeric_limits<float>::infinity()).is_null());
}

TEST(StatisticsJson, GivesNullSemiAnglesAndPointsForADegenerateAxisOnly)
{
    math::GroupStatistics s;
    std::tie(s.N, s.Tenvar, s.C1a, s.C2a) = std::tuple(5, true, 12.5f, 3.0f);
    s.SemiAnglesDefined = {true, false, true};
    s.CurveDefined = {true, false, false};
    s.EllipseAxisPoints[0][1] = {0.25f, -0.5f};
    s.EllipseCurve[0].assign(math::EllipseCurvePoints, {0.1f, 0.2f});

    const Json j = StatisticsJson(s, true);

    EXPECT_EQ(j["C1a"], 12.5);
    EXPECT_TRUE(j["C2a"].is_null());
    EXPECT_TRUE(j["C2b95"].is_null());
    EXPECT_EQ(j["C3a"], 0.0);
    EXPECT_EQ(j["EllipseAxisPoints"][0].size(), 4u);
    EXPECT_EQ(j["EllipseAxisPoints"][0][1], Json::array({0.25, -0.5}));
    EXPECT_TRUE(j["EllipseAxisPoints"][1].is_null());
    EXPECT_EQ(j["EllipseCurve"][0].size(), 3601u);
    EXPECT_TRUE(j["EllipseCurve"][1].is_null());
}

} // namespace
} // namespace tesmor::cli
