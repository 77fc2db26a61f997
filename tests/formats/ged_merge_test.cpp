#include "formats/ged_merge.h"

#include <gtest/gtest.h>

namespace tesmor::formats {
namespace {

using math::RotationMode;

model::SpecimenRecord Record(const std::string& name)
{
    model::SpecimenRecord r;
    r.Name = name;
    std::tie(r.K11, r.K22, r.K33, r.K12, r.K23, r.K13)
        = std::tuple(1.05f, 0.98f, 0.97f, 0.01f, 0.0f, 0.0f);
    return r;
}

std::array<float, 6> Tensor(const model::SpecimenRecord& r)
{
    return {r.K11, r.K22, r.K33, r.K12, r.K23, r.K13};
}

GedEntry Entry(const std::string& name, std::int16_t azimuth, std::int16_t plunge,
               const std::string& code1 = "FL")
{
    GedEntry e;
    std::tie(e.Name, e.Azimuth, e.Plunge, e.P1, e.P2, e.P3)
        = std::tuple(name, azimuth, plunge, 6, 0, 6);
    std::tie(e.Code1, e.F1Dec, e.F1Inc, e.L1Dec, e.L1Inc) = std::tuple(code1, 120, 35, 200, 10);
    std::tie(e.Code2, e.F2Dec, e.F2Inc, e.L2Dec, e.L2Inc) = std::tuple("ls", 10, 80, 100, 5);
    return e;
}

std::string Ged(const GedEntries& entries)
{
    model::Result<std::string> bytes = EncodeGed(entries);
    EXPECT_TRUE(bytes.ok());
    return bytes.ok() ? *bytes : std::string();
}

model::Result<GedMerge> Merge(const GedEntries& entries, model::Records& records,
                              GedMatchMode mode = GedMatchMode::Full,
                              RotationMode direction = RotationMode::SpecimenToGeographic)
{
    return MergeGed(Ged(entries), "/d/site.ged", records, mode, direction);
}

TEST(GedMerge, MatchesByPrefixOrFullNameIgnoringCaseAndTheLastMatchingEntryDecides)
{
    struct Case
    {
        GedMatchMode mode;
        GedEntries entries;
        std::vector<std::string> names;
        std::vector<std::string> codes;
        int missing;
    };
    const Case cases[] = {
        {GedMatchMode::FromLeft,
         {Entry("AB1", 0, 0)},
         {"AB1", "AB1A", "ab1b", "AB2", "A"},
         {"FL", "FL", "FL", "00", "00"},
         2},
        {GedMatchMode::Full, {Entry("AB1", 0, 0)}, {"ab1", "AB1A"}, {"FL", "00"}, 1},
        {GedMatchMode::FromLeft, {Entry("", 0, 0)}, {"X1", "Y2"}, {"FL", "FL"}, 0},
        {GedMatchMode::FromLeft,
         {Entry("AB12", 0, 0, "FA"), Entry("AB1", 0, 0, "FB"), Entry("AB13", 0, 0, "FC")},
         {"AB12", "AB13"},
         {"FB", "FC"},
         0},
        // A blank code is no group.
        {GedMatchMode::Full, {Entry("AB1", 0, 0, "")}, {"AB1"}, {"00"}, 0},
        // Case is ignored beyond ASCII too (e-acute, E-acute); codes stay as typed.
        {GedMatchMode::Full,
         {Entry("\xC3\xA9"
                "1",
                0, 0,
                "\xC3\xA9"
                "b")},
         {"\xC3\x89"
          "1"},
         {"\xC3\xA9"
          "b"},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.names));
        model::Records records;
        for (const std::string& name : c.names)
            records.push_back(Record(name));

        const model::Result<GedMerge> result = Merge(c.entries, records, c.mode);

        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result->Missing, c.missing);
        for (std::size_t i = 0; i < records.size(); ++i)
            EXPECT_EQ(records[i].Code1, c.codes[i]) << i;
    }
}

TEST(GedMerge, AzimuthAndPlungeZeroCopyStructuresAndStrikesAndLeaveTheTensorAlone)
{
    model::Records records = {Record("AB1")};
    records[0].F1Strike = 5;

    ASSERT_TRUE(Merge({Entry("AB1", 0, 0)}, records).ok());

    const model::SpecimenRecord& r = records[0];
    EXPECT_EQ(Tensor(r), Tensor(Record("AB1")));
    // Codes come back as typed: no upper-casing.
    EXPECT_EQ(std::tuple(r.Code1, r.Code1A, r.Code1B, r.Code2, r.Code2A),
              std::tuple("FL", 'F', 'L', "ls", 'l'));
    EXPECT_EQ(std::tuple(r.F1Dec, r.F1Strike, r.F1Inc, r.L1Dec, r.L1Inc),
              std::tuple(120, 30, 35, 200, 10));
    EXPECT_EQ(std::tuple(r.F2Dec, r.F2Strike, r.L2Inc), std::tuple(10, 280, 5));
}

TEST(GedMerge, AzimuthNinetyTurnsTheSpecimenXAxisEast)
{
    model::Records records = {Record("AB1")};

    ASSERT_TRUE(Merge({Entry("AB1", 90, 0)}, records).ok());

    EXPECT_NEAR(records[0].K11, 0.98f, 1e-6);
    EXPECT_NEAR(records[0].K22, 1.05f, 1e-6);
    EXPECT_NEAR(records[0].K33, 0.97f, 1e-6);
    EXPECT_NEAR(records[0].K12, -0.01f, 1e-6);
}

TEST(GedMerge, GeographicToSpecimenUndoesTheRotationAndResetsTheStructures)
{
    model::Records records = {Record("AB1")};
    const GedEntries entries = {Entry("AB1", 137, 28)};
    ASSERT_TRUE(
        Merge(entries, records, GedMatchMode::Full, RotationMode::SpecimenToGeographic).ok());

    ASSERT_TRUE(
        Merge(entries, records, GedMatchMode::Full, RotationMode::GeographicToSpecimen).ok());

    const model::SpecimenRecord& r = records[0];
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(Tensor(r)[i], Tensor(Record("AB1"))[i], 1e-5) << i;
    EXPECT_EQ(std::tuple(r.Code1, r.Code2, r.F1Dec, r.L2Inc), std::tuple("SS", "00", 0, 0));
}

TEST(GedMerge, MissingRecordsAreListedExactly)
{
    model::Records records = {Record("a"), Record("AB1"), Record("b"), Record("C")};

    const model::Result<GedMerge> result = Merge({Entry("AB1", 0, 0)}, records);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Missing, 3);
    ASSERT_TRUE(result->MissingReport.has_value());
    EXPECT_EQ(*result->MissingReport,
              (model::UserMessage {"Following 3 record(s) were not found in GED file!\r\n"
                                   "\r\n'A'\r\n'B'\r\n'C'",
                                   "Missing record(s)!", model::MessageIcon::Critical}));
    EXPECT_EQ(records[0].Code1, "00");
}

TEST(GedMerge, EmptyDamagedOrMisshapenFileIsReportedAndChangesNoRecord)
{
    const std::string good = Ged({Entry("AB1", 30, 10), Entry("CD2", 40, 10)});
    const std::pair<std::string, std::string> cases[] = {
        {"", "File  /d/site.ged  is empty!"},
        {std::string(good).replace(2 * 64 + 12, 4, "abc "), "In line: 3"}, // last azimuth
        {std::string(good).erase(70, 1), "In line: 2"},
    };
    for (const auto& [bytes, message] : cases) {
        SCOPED_TRACE(message);
        model::Records records = {Record("AB1"), Record("CD2")};

        const model::Result<GedMerge> result = MergeGed(
            bytes, "/d/site.ged", records, GedMatchMode::Full, RotationMode::SpecimenToGeographic);

        ASSERT_FALSE(result.ok());
        EXPECT_NE(result.error().text.find(message), std::string::npos);
        if (bytes.empty()) {
            EXPECT_EQ(result.error().text, message);
        }
        EXPECT_EQ(result.error().title, "Input error!");
        EXPECT_EQ(result.error().icon, model::MessageIcon::Critical);
        for (const model::SpecimenRecord& r : records) {
            EXPECT_EQ(Tensor(r), Tensor(Record("AB1")));
            EXPECT_EQ(r.Code1, "00");
        }
    }
}

} // namespace
} // namespace tesmor::formats
