#include "formats/ged_file.h"
#include "formats/ged_merge.h"
#include "math/orientation.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tesmor::formats {
namespace {

using math::RotationMode;

std::string SampleBytes()
{
    return test::ReadBytes((test::SourceDir() / "tests/data/formats/sample.ged").string());
}

// Replaces characters of line `line` (from 1) at `offset` of a file of 64-byte lines.
std::string Patch(std::string bytes, int line, std::size_t offset, const std::string& text)
{
    bytes.replace(static_cast<std::size_t>(line - 1) * 64 + offset, text.size(), text);
    return bytes;
}

GedEntry Entry(const std::string& name, const std::string& code1 = "FL", std::int16_t azimuth = 0,
               std::int16_t plunge = 0)
{
    GedEntry e;
    std::tie(e.Name, e.Azimuth, e.Plunge, e.P1, e.P2, e.P3)
        = std::tuple(name, azimuth, plunge, 6, 0, 6);
    std::tie(e.Code1, e.F1Dec, e.F1Inc, e.L1Dec, e.L1Inc) = std::tuple(code1, 120, 35, 200, 10);
    std::tie(e.Code2, e.F2Dec, e.F2Inc, e.L2Dec, e.L2Inc) = std::tuple("ls", 10, 80, 100, 5);
    return e;
}

// ---- the file ----

// The file written back equals the one read but for the latitude's shortest text.
TEST(GedEditingReader, ReadsHeaderAndEntriesAppendsASecondFileAndWritesThemBack)
{
    GedEntries entries, back;

    const GedEditRead read = ReadGedForEditing(SampleBytes(), "/d/a.ged", entries, 1);
    const model::Result<std::string> written = EncodeGed(entries);
    // The second file's latitude is not a number: it stays empty.
    const GedEditRead second
        = ReadGedForEditing(Patch(SampleBytes(), 1, 20, "N49    "), "/d/b.ged", entries, 4);

    ASSERT_FALSE(read.Error || second.Error || !written.ok());
    EXPECT_EQ(std::tuple(read.Count, second.Count, entries.size()), std::tuple(3, 3, 6u));
    const GedEntry& b = entries[1];
    EXPECT_EQ(std::tuple(b.Name, b.Site, b.Lat, b.Lon, b.Rock, b.Region, b.P1, b.P3),
              std::tuple("CD-7", "Bohemian Massif", "49.5", "14.25", "GRAN", "BOH", 12, 12));
    EXPECT_EQ(std::tuple(b.Azimuth, b.Plunge, b.Code1, b.F1Dec, b.L1Inc, b.Code2, b.L2Inc),
              std::tuple(315, 42, "fs  ", 10, 5, "LX  ", -5));
    EXPECT_EQ(std::tuple(entries[2].Name, entries[3].Name), std::tuple("Zürich 3", "AB1"));
    EXPECT_EQ(std::tuple(entries[3].Lat, entries[3].Lon), std::tuple("", "14.25"));
    EXPECT_EQ(*written, Patch(SampleBytes(), 1, 20, "49.5 "));
    EXPECT_FALSE(ReadGedForEditing(*written, "/d/c.ged", back, 1).Error);
    EXPECT_EQ(back, GedEntries(entries.begin(), entries.begin() + 3));
}

TEST(GedEditingReader, BadFilesGiveTheirExactMessagesAndKeepTheEntriesBefore)
{
    const auto EditError = [](const std::string& text) {
        return model::UserMessage {text, "Input Error!", model::MessageIcon::Critical};
    };
    const std::string sample = SampleBytes();
    const std::string error = "Error in file: /d/bad.ged\r\r\nIn line: ";
    const std::tuple<std::string, model::UserMessage, std::size_t> cases[] = {
        {"", EditError("File  /d/bad.ged  is empty!"), 0},
        {std::string(sample).insert(64 * 3 + 5, "x"), EditError(error + "4\r\r\n"), 0},
        {Patch(sample, 3, 28, "8x  "), EditError(error + "3\r\r\n"), 1}, // F1Inc of line 3
        {Patch(sample, 1, 53, "a  "), EditError(error + "0\r\r\n"), 0}, // a header parameter
        {sample.substr(0, 64), model::UserMessage {"File is empty"}, 0},
    };
    for (const auto& [bytes, message, kept] : cases) {
        SCOPED_TRACE(message.text);
        GedEntries entries;

        const GedEditRead read = ReadGedForEditing(bytes, "/d/bad.ged", entries, 1);

        EXPECT_EQ(read.Error, message);
        EXPECT_EQ(std::tuple(read.Count, entries.size()), std::tuple(int(kept), kept));
    }
}

TEST(GedWriter, WritesFixedWidthLinesWithTheHeaderOfTheFirstEntryAndRefusesWideNumbers)
{
    GedEntries entries = {Entry("AB1", "FL", 90, 0), Entry("CD-7", "FL", 315, -42)};
    std::tie(entries[0].Site, entries[0].Lat, entries[0].Lon, entries[0].Rock)
        = std::tuple("Site", "45.5", "7.25", "GRAN");
    entries[1].Site = "Other";

    const model::Result<std::string> bytes = EncodeGed(entries);
    const model::Result<std::string> wide = EncodeGed({Entry("AB1", "FL", 12345, 0)});

    ASSERT_TRUE(bytes.ok());
    EXPECT_EQ(*bytes,
              "4   Site            45.5   7.25   GRAN            6  0  6  0  \r\n"
              "AB1         90  0   FL  120 35  200 10  ls  10  80  100 5     \r\n"
              "CD-7        315 -42 FL  120 35  200 10  ls  10  80  100 5     \r\n");
    ASSERT_FALSE(wide.ok());
    EXPECT_NE(wide.error().text.find("Azimuth"), std::string::npos);
}

// ---- merging into records ----

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

model::Result<GedMerge> Merge(const GedEntries& entries, model::Records& records,
                              GedMatchMode mode = GedMatchMode::Full,
                              RotationMode direction = RotationMode::SpecimenToGeographic)
{
    return MergeGed(*EncodeGed(entries), "/d/site.ged", records, mode, direction);
}

TEST(GedMerge, MatchesByPrefixOrFullNameIgnoringCaseAndTheLastMatchingEntryDecides)
{
    using enum GedMatchMode;
    // Mode, entries, record names; their codes after the merge, records missing.
    const std::tuple<GedMatchMode, GedEntries, std::string, std::string, int> cases[] = {
        {FromLeft, {Entry("AB1")}, "AB1 AB1A ab1b AB2 A", "FL FL FL 00 00", 2},
        {Full, {Entry("AB1")}, "ab1 AB1A", "FL 00", 1},
        {FromLeft, {Entry("")}, "X1 Y2", "FL FL", 0},
        {FromLeft, {Entry("B2", "FA"), Entry("B", "FB"), Entry("B3", "FC")}, "B2 B3", "FB FC", 0},
        {Full, {Entry("AB1", "")}, "AB1", "00", 0}, // a blank code is no group
        // Case is ignored beyond ASCII too (e-acute, E-acute); codes stay as typed.
        {Full, {Entry("\303\2511", "\303\251b")}, "\303\2111", "\303\251b", 0},
    };
    for (const auto& [mode, entries, names, codes, missing] : cases) {
        SCOPED_TRACE(names);
        model::Records records;
        std::istringstream in(names);
        for (std::string name; in >> name;)
            records.push_back(Record(name));

        const model::Result<GedMerge> result = Merge(entries, records, mode);

        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result->Missing, missing);
        std::string merged;
        for (const model::SpecimenRecord& r : records)
            merged += (merged.empty() ? "" : " ") + r.Code1;
        EXPECT_EQ(merged, codes);
    }
}

TEST(GedMerge, AzimuthAndPlungeZeroCopyStructuresAndStrikesAndLeaveTheTensorAlone)
{
    model::Records records = {Record("AB1")};
    records[0].F1Strike = 5;

    ASSERT_TRUE(Merge({Entry("AB1")}, records).ok());

    const model::SpecimenRecord& r = records[0];
    EXPECT_EQ(Tensor(r), Tensor(Record("AB1")));
    // Codes come back as typed: no upper-casing.
    EXPECT_EQ(std::tuple(r.Code1, r.Code1A, r.Code1B, r.Code2, r.Code2A),
              std::tuple("FL", 'F', 'L', "ls", 'l'));
    EXPECT_EQ(std::tuple(r.F1Dec, r.F1Strike, r.F1Inc, r.L1Dec, r.L1Inc),
              std::tuple(120, 30, 35, 200, 10));
    EXPECT_EQ(std::tuple(r.F2Dec, r.F2Strike, r.L2Inc), std::tuple(10, 280, 5));
}

// The turn itself belongs to the orientation routines: the merge hands them the entry's angles
// and the orientation parameters of the file's header.
TEST(GedMerge, TurnsTheTensorByTheEntryAndBackResettingTheStructures)
{
    model::Records records = {Record("AB1")};
    model::SpecimenRecord expected = Record("AB1");
    GedEntry e = Entry("AB1", "FL", 137, 28);
    std::tie(e.P1, e.P2, e.P3) = std::tuple(12, 90, 3);

    for (const RotationMode direction :
         {RotationMode::SpecimenToGeographic, RotationMode::GeographicToSpecimen}) {
        ASSERT_TRUE(Merge({e}, records, GedMatchMode::Full, direction).ok());
        math::RotateRecordTensor(expected, 137, 28, 12, 90, 3, direction);
        EXPECT_EQ(Tensor(records[0]), Tensor(expected));
    }
    const model::SpecimenRecord& r = records[0];
    EXPECT_EQ(std::tuple(r.Code1, r.Code2, r.F1Dec, r.L2Inc), std::tuple("SS", "00", 0, 0));
}

TEST(GedMerge, MissingRecordsAreListedExactly)
{
    model::Records records = {Record("a"), Record("AB1"), Record("b"), Record("C")};

    const model::Result<GedMerge> result = Merge({Entry("AB1")}, records);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->MissingReport,
              (model::UserMessage {"Following 3 record(s) were not found in GED file!\r\n"
                                   "\r\n'A'\r\n'B'\r\n'C'",
                                   "Missing record(s)!", model::MessageIcon::Critical}));
}

TEST(GedMerge, EmptyDamagedOrMisshapenFileIsReportedAndChangesNoRecord)
{
    const std::string good = *EncodeGed({Entry("AB1", "FL", 30, 10), Entry("CD2", "FL", 40, 10)});
    const std::pair<std::string, std::string> cases[] = {
        {"", "File  /d/site.ged  is empty!"},
        {Patch(good, 3, 12, "abc "), "In line: 3"}, // last azimuth
        {Patch(good, 3, 16, "    "), "In line: 3\r\r\nPlunge is not a whole number."},
        {Patch(good, 2, 12, "9.5 "), "In line: 2"},
        {std::string(good).erase(70, 1), "In line: 2"},
    };
    for (const auto& [bytes, message] : cases) {
        SCOPED_TRACE(message);
        model::Records records = {Record("AB1"), Record("CD2")};

        const model::Result<GedMerge> result = MergeGed(
            bytes, "/d/site.ged", records, GedMatchMode::Full, RotationMode::SpecimenToGeographic);

        ASSERT_FALSE(result.ok());
        EXPECT_NE(result.error().text.find(message), std::string::npos);
        EXPECT_EQ(result.error().title, "Input error!");
        EXPECT_EQ(result.error().icon, model::MessageIcon::Critical);
        for (const model::SpecimenRecord& r : records)
            EXPECT_EQ(std::tuple(Tensor(r), r.Code1), std::tuple(Tensor(Record("AB1")), "00"));
    }
}

} // namespace
} // namespace tesmor::formats
