#include "cli/options.h"

#include <gtest/gtest.h>

namespace tesmor::cli {
namespace {

using model::FileKind;

TEST(CliOptions, DefaultsTakeExactlyFourSixteenBitNumbers)
{
    const auto defaults = ParseDefaults("12, 0,-6,+90");

    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->P1, 12);
    EXPECT_EQ(defaults->P3, -6);
    EXPECT_EQ(defaults->P4, 90);
    for (const char* bad : {"1,2,3", "1,2,3,4,5", "1,2,x,4", "1,2,3.5,4", "1,2,40000,4", "1,,3,4"})
        EXPECT_FALSE(ParseDefaults(bad)) << bad;
}

TEST(CliOptions, ShowFlagsSetExactlyTheNamedViews)
{
    const auto f = ParseShowFlags("k1,poles,lines");

    ASSERT_TRUE(f);
    EXPECT_EQ(
        (std::vector<bool> {f->Data, f->K1, f->K2, f->K3, f->Mean, f->Ellipses, f->Poles,
                            f->Circles, f->Strikes, f->Lines}),
        (std::vector<bool> {false, true, false, false, false, false, true, false, false, true}));
    EXPECT_FALSE(ParseShowFlags("k1,k4"));
}

TEST(CliOptions, FileKindFollowsTheExtensionInAnyCase)
{
    EXPECT_EQ(KindOfPath("/d/site.RAN"), FileKind::Ams);
    EXPECT_EQ(KindOfPath("x.are"), FileKind::Amr);
    EXPECT_EQ(KindOfPath("x.Asc"), FileKind::Asc);
    EXPECT_EQ(KindOfPath("x.ged"), FileKind::None);
    EXPECT_EQ(KindOfPath("/d.ran/site"), FileKind::None);
    EXPECT_EQ(KindOfFiles({"a.ran", "b.ran"}).Kind, FileKind::Ams);
    EXPECT_EQ(KindOfFiles({"a.ran", "b.are"}).Kind, FileKind::BinaryAll);
    EXPECT_EQ(KindOfFiles({"a.pro", "b.pro"}).Kind, FileKind::Pro);
}

} // namespace
} // namespace tesmor::cli
