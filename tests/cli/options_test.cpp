#include "cli/options.h"

#include <gtest/gtest.h>

namespace tesmor::cli {
namespace {

using model::FileKind;

TEST(CliOptions, DefaultsTakeFourSixteenBitNumbers)
{
    const auto defaults = ParseDefaults("12, 0,-6,+90");

    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->P1, 12);
    EXPECT_EQ(defaults->P3, -6);
    EXPECT_EQ(defaults->P4, 90);
}

TEST(CliOptions, DefaultsRefuseWrongCountsAndValues)
{
    EXPECT_FALSE(ParseDefaults("1,2,3"));
    EXPECT_FALSE(ParseDefaults("1,2,3,4,5"));
    EXPECT_FALSE(ParseDefaults("1,2,x,4"));
    EXPECT_FALSE(ParseDefaults("1,2,3.5,4"));
    EXPECT_FALSE(ParseDefaults("1,2,40000,4"));
    EXPECT_FALSE(ParseDefaults("1,,3,4"));
}

TEST(CliOptions, ShowFlagsSetExactlyTheNamedViews)
{
    const auto flags = ParseShowFlags("k1,poles,lines");

    ASSERT_TRUE(flags);
    EXPECT_TRUE(flags->K1);
    EXPECT_TRUE(flags->Poles);
    EXPECT_TRUE(flags->Lines);
    EXPECT_FALSE(flags->Data);
    EXPECT_FALSE(flags->K2);
    EXPECT_FALSE(ParseShowFlags("k1,k4"));
}

TEST(CliOptions, FileKindFollowsTheExtensionInAnyCase)
{
    EXPECT_EQ(KindOfPath("/d/site.RAN"), FileKind::Ams);
    EXPECT_EQ(KindOfPath("x.are"), FileKind::Amr);
    EXPECT_EQ(KindOfPath("x.Asc"), FileKind::Asc);
    EXPECT_EQ(KindOfPath("x.ged"), FileKind::None);
    EXPECT_EQ(KindOfPath("/d.ran/site"), FileKind::None);
}

TEST(CliOptions, SeveralBinaryExtensionsOpenAsTheBinaryKind)
{
    EXPECT_EQ(KindOfFiles({"a.ran", "b.ran"}).Kind, FileKind::Ams);
    EXPECT_EQ(KindOfFiles({"a.ran", "b.are"}).Kind, FileKind::BinaryAll);
}

TEST(CliOptions, TextFilesDoNotMixWithOtherKinds)
{
    EXPECT_EQ(KindOfFiles({"a.pro", "b.pro"}).Kind, FileKind::Pro);
    EXPECT_FALSE(KindOfFiles({"a.pro", "b.ran"}).Problem.empty());
    EXPECT_FALSE(KindOfFiles({"a.pro", "b.apg"}).Problem.empty());
    EXPECT_FALSE(KindOfFiles({"a.txt"}).Problem.empty());
}

} // namespace
} // namespace tesmor::cli
