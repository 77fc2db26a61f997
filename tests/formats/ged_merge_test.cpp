#include "formats/ams_binary.h"
#include "formats/ged_merge.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::formats {
namespace {

using math::RotationMode;

model::SpecimenRecord Record(const std::string& name)
{
    model::SpecimenRecord r;
    r.Name = name;
    r.K11 = 1.05f;
    r.K22 = 0.98f;
    r.K33 = 0.97f;
    r.K12 = 0.01f;
    r.K23 = 0.0f;
    r.K13 = 0.0f;
    return r;
}

GedEntry Entry(const std::string& name, std::int16_t azimuth, std::int16_t plunge,
               const std::string& code1 = "FL")
{
    GedEntry e;
    e.Name = name;
    e.Azimuth = azimuth;
    e.Plunge = plunge;
    e.Code1 = code1;
    e.F1Dec = 120;
    e.F1Inc = 35;
    e.L1Dec = 200;
    e.L1Inc = 10;
    e.Code2 = "ls";
    e.F2Dec = 10;
    e.F2Inc = 80;
    e.L2Dec = 100;
    e.L2Inc = 5;
    e.P1 = 6;
    e.P2 = 0;
    e.P3 = 6;
    return e;
}

std::string Ged(const GedEntries& entries)
{
    model::Result<std::string> bytes = EncodeGed(entries);
    EXPECT_TRUE(bytes.ok());
    return bytes.ok() ? *bytes : std::string();
}

model::Result<GedMerge> Merge(const GedEntries& entries, model::Records& records, GedMatchMode mode,
                              RotationMode direction = RotationMode::SpecimenToGeographic)
{
    return MergeGed(Ged(entries), "/d/site.ged", records, mode, direction);
}

TEST(GedMerge, MatchFromLeftTakesEveryRecordThatBeginsWithTheEntryNameIgnoringCase)
{
    model::Records records
        = {Record("AB1"), Record("AB1A"), Record("ab1b"), Record("AB2"), Record("A")};

    const model::Result<GedMerge> result
        = Merge({Entry("AB1", 0, 0)}, records, GedMatchMode::FromLeft);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(records[0].Code1, "FL");
    EXPECT_EQ(records[1].Code1, "FL");
    EXPECT_EQ(records[2].Code1, "FL");
    EXPECT_EQ(records[3].Code1, "00");
    EXPECT_EQ(records[4].Code1, "00");
    EXPECT_EQ(result->Missing, 2);
}

TEST(GedMerge, FullMatchTakesOnlyTheEqualNameIgnoringCase)
{
    model::Records records = {Record("ab1"), Record("AB1A")};

    const model::Result<GedMerge> result = Merge({Entry("AB1", 0, 0)}, records, GedMatchMode::Full);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(records[0].Code1, "FL");
    EXPECT_EQ(records[1].Code1, "00");
    EXPECT_EQ(result->Missing, 1);
}

TEST(GedMerge, EmptyEntryNameMatchesEveryRecordFromLeft)
{
    model::Records records = {Record("X1"), Record("Y2")};

    const model::Result<GedMerge> result
        = Merge({Entry("", 0, 0)}, records, GedMatchMode::FromLeft);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Missing, 0);
    EXPECT_EQ(records[1].Code1, "FL");
}

TEST(GedMerge, LaterMatchingEntryDecides)
{
    model::Records records = {Record("AB12"), Record("AB13")};

    Merge({Entry("AB12", 0, 0, "FA"), Entry("AB1", 0, 0, "FB"), Entry("AB13", 0, 0, "FC")}, records,
          GedMatchMode::FromLeft);

    EXPECT_EQ(records[0].Code1, "FB");
    EXPECT_EQ(records[1].Code1, "FC");
}

TEST(GedMerge, SpecimenToGeographicCopiesStructuresAndStrikes)
{
    model::Records records = {Record("AB1")};
    records[0].F1Strike = 5;

    Merge({Entry("AB1", 0, 0)}, records, GedMatchMode::Full);

    const model::SpecimenRecord& r = records[0];
    EXPECT_EQ(r.Code1, "FL");
    EXPECT_EQ(r.Code1A, 'F');
    EXPECT_EQ(r.Code1B, 'L');
    EXPECT_FLOAT_EQ(r.F1Dec, 120);
    EXPECT_FLOAT_EQ(r.F1Strike, 30);
    EXPECT_FLOAT_EQ(r.F1Inc, 35);
    EXPECT_FLOAT_EQ(r.L1Dec, 200);
    EXPECT_FLOAT_EQ(r.L1Inc, 10);
    EXPECT_EQ(r.Code2, "LS");
    EXPECT_FLOAT_EQ(r.F2Dec, 10);
    EXPECT_FLOAT_EQ(r.F2Strike, 280);
    EXPECT_FLOAT_EQ(r.L2Inc, 5);
}

TEST(GedMerge, BlankEntryCodeBecomesNoGroup)
{
    model::Records records = {Record("AB1")};

    Merge({Entry("AB1", 0, 0, "")}, records, GedMatchMode::Full);

    EXPECT_EQ(records[0].Code1, "00");
}

TEST(GedMerge, AzimuthAndPlungeZeroLeaveTheTensorAlone)
{
    model::Records records = {Record("AB1")};
    const model::SpecimenRecord before = records[0];

    Merge({Entry("AB1", 0, 0)}, records, GedMatchMode::Full);

    EXPECT_EQ(records[0].K11, before.K11);
    EXPECT_EQ(records[0].K22, before.K22);
    EXPECT_EQ(records[0].K12, before.K12);
    EXPECT_EQ(records[0].Code1, "FL");
}

TEST(GedMerge, AzimuthNinetyTurnsTheSpecimenXAxisEast)
{
    model::Records records = {Record("AB1")};

    Merge({Entry("AB1", 90, 0)}, records, GedMatchMode::Full);

    EXPECT_NEAR(records[0].K11, 0.98f, 1e-6);
    EXPECT_NEAR(records[0].K22, 1.05f, 1e-6);
    EXPECT_NEAR(records[0].K33, 0.97f, 1e-6);
    EXPECT_NEAR(records[0].K12, -0.01f, 1e-6);
}

TEST(GedMerge, GeographicToSpecimenUndoesTheRotationAndResetsTheStructures)
{
    model::Records records = {Record("AB1")};
    const model::SpecimenRecord before = records[0];
    const GedEntries entries = {Entry("AB1", 137, 28)};
    Merge(entries, records, GedMatchMode::Full, RotationMode::SpecimenToGeographic);

    Merge(entries, records, GedMatchMode::Full, RotationMode::GeographicToSpecimen);

    const model::SpecimenRecord& r = records[0];
    EXPECT_NEAR(r.K11, before.K11, 1e-5);
    EXPECT_NEAR(r.K22, before.K22, 1e-5);
    EXPECT_NEAR(r.K33, before.K33, 1e-5);
    EXPECT_NEAR(r.K12, before.K12, 1e-5);
    EXPECT_NEAR(r.K23, before.K23, 1e-5);
    EXPECT_NEAR(r.K13, before.K13, 1e-5);
    EXPECT_EQ(r.Code1, "SS");
    EXPECT_EQ(r.Code2, "00");
    EXPECT_FLOAT_EQ(r.F1Dec, 0);
    EXPECT_FLOAT_EQ(r.L2Inc, 0);
}

TEST(GedMerge, MissingRecordsAreListedExactly)
{
    model::Records records = {Record("a"), Record("AB1"), Record("b"), Record("C")};

    const model::Result<GedMerge> result = Merge({Entry("AB1", 0, 0)}, records, GedMatchMode::Full);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Missing, 3);
    ASSERT_TRUE(result->MissingReport.has_value());
    EXPECT_EQ(*result->MissingReport,
              (model::UserMessage {"Following 3 record(s) were not found in GED file!\r\n"
                                   "\r\n'A'\r\n'B'\r\n'C'",
                                   "Missing record(s)!", model::MessageIcon::Critical}));
    EXPECT_EQ(records[0].Code1, "00");
}

TEST(GedMerge, DamagedFileChangesNoRecord)
{
    model::Records records = {Record("AB1"), Record("CD2")};
    const model::Records before = records;
    std::string bytes = Ged({Entry("AB1", 30, 10), Entry("CD2", 40, 10)});
    bytes.replace(2 * 64 + 12, 4, "abc "); // azimuth of the last entry

    const model::Result<GedMerge> result = MergeGed(
        bytes, "/d/site.ged", records, GedMatchMode::Full, RotationMode::SpecimenToGeographic);

    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().text.find("In line: 3"), std::string::npos);
    EXPECT_EQ(records[0].K11, before[0].K11);
    EXPECT_EQ(records[0].Code1, before[0].Code1);
}

TEST(GedMerge, WrongLineLengthIsReportedAndChangesNothing)
{
    model::Records records = {Record("AB1")};
    std::string bytes = Ged({Entry("AB1", 30, 10)});
    bytes.erase(70, 1);

    const model::Result<GedMerge> result = MergeGed(
        bytes, "/d/site.ged", records, GedMatchMode::Full, RotationMode::SpecimenToGeographic);

    ASSERT_FALSE(result.ok());
    EXPECT_EQ(records[0].Code1, "00");
}

TEST(GedMerge, EmptyFileMessage)
{
    model::Records records = {Record("AB1")};

    const model::Result<GedMerge> result = MergeGed("", "/d/site.ged", records, GedMatchMode::Full,
                                                    RotationMode::SpecimenToGeographic);

    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(),
              (model::UserMessage {"File  /D/SITE.GED  is empty!", "Input error!",
                                   model::MessageIcon::Critical}));
}

TEST(GedMerge, ExampleSiteHasAnEntryForEverySpecimenAndRotatesBackAndForth)
{
    const std::string folder = (test::SourceDir() / "examples" / "site").string();
    model::Records records;
    ASSERT_TRUE(ReadAmsBinaryFile(folder + "/BOHEM1.ran", records, 1, {}).ok());
    const model::Records before = records;

    const model::Result<GedMerge> toSpecimen = MergeGedFile(
        folder + "/BOHEM1.ged", records, GedMatchMode::Full, RotationMode::GeographicToSpecimen);
    const model::Result<GedMerge> back = MergeGedFile(
        folder + "/BOHEM1.ged", records, GedMatchMode::Full, RotationMode::SpecimenToGeographic);

    ASSERT_TRUE(toSpecimen.ok() && back.ok());
    EXPECT_EQ(toSpecimen->Missing, 0);
    ASSERT_EQ(records.size(), before.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_NEAR(records[i].K11, before[i].K11, 1e-5) << records[i].Name;
        EXPECT_NEAR(records[i].K23, before[i].K23, 1e-5) << records[i].Name;
        EXPECT_EQ(records[i].Code1, before[i].Code1);
        EXPECT_NEAR(records[i].F1Dec, before[i].F1Dec, 0.5f);
    }
}

} // namespace
} // namespace tesmor::formats
