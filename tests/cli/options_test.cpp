#include "cli/options.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tesmor::cli {
namespace {

TEST(CliOptions, DefaultsTakeExactlyFourSixteenBitNumbers)
{
    const auto defaults = ParseDefaults("12, 0,-6,+90");

    ASSERT_TRUE(defaults);
    EXPECT_EQ(std::tuple(defaults->P1, defaults->P2, defaults->P3, defaults->P4),
              std::tuple(12, 0, -6, 90));
    for (const char* bad : {"1,2,3", "1,2,3,4,5", "1,2,x,4", "1,2,3.5,4", "1,2,40000,4", "1,,3,4"})
        EXPECT_FALSE(ParseDefaults(bad)) << bad;
}

TEST(CliOptions, ShowFlagsSetExactlyTheNamedViews)
{
    const auto f = ParseShowFlags("k1,poles,lines");

    ASSERT_TRUE(f);
    EXPECT_EQ(
        (std::vector<bool> {f->chcData, f->chcK1, f->chcK2, f->chcK3, f->chcMean, f->chcEllipses,
                            f->chcF1P, f->chcF1C, f->chcF1S, f->chcL1}),
        (std::vector<bool> {false, true, false, false, false, false, true, false, false, true}));
    EXPECT_FALSE(ParseShowFlags("k1,k4"));
}

} // namespace
} // namespace tesmor::cli
