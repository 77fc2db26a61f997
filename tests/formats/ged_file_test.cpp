#include "formats/ged_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::formats {
namespace {

std::string SampleBytes()
{
    return test::ReadBytes((test::SourceDir() / "tests/data/formats/sample.ged").string());
}

// Replaces characters of line `line` (from 1) at `offset` of a CR LF file of 64-byte lines.
std::string Patch(std::string bytes, int line, std::size_t offset, const std::string& text)
{
    bytes.replace(static_cast<std::size_t>(line - 1) * 64 + offset, text.size(), text);
    return bytes;
}

GedEntry Entry(const std::string& name, std::int16_t azimuth, std::int16_t plunge)
{
    GedEntry e;
    std::tie(e.Name, e.Azimuth, e.Plunge, e.Code1, e.Code2)
        = std::tuple(name, azimuth, plunge, "FL", "00");
    return e;
}

model::UserMessage EditError(const std::string& text)
{
    return {text, "Input Error!", model::MessageIcon::Critical};
}

TEST(GedLineLengthCheck, AcceptsLinesOf62CharactersWithCrLfAndNamesTheFirstOtherLine)
{
    const std::string sample = SampleBytes();
    EXPECT_EQ(GedLineLengthCheck(sample), 0);
    EXPECT_EQ(GedLineLengthCheck(""), 0);
    EXPECT_EQ(GedLineLengthCheck(std::string(sample).erase(64 * 2 + 61, 1)), 3); // short line 3
    EXPECT_EQ(GedLineLengthCheck(std::string(sample).erase(62, 1)), 1); // LF alone ends line 1
}

TEST(GedEditingReader, ReadsHeaderAndEntries)
{
    GedEntries entries;

    const GedEditRead read = ReadGedForEditing(SampleBytes(), "/d/sample.ged", entries, 1);

    ASSERT_FALSE(read.Error.has_value()) << read.Error->text;
    EXPECT_EQ(read.Count, 3);
    ASSERT_EQ(entries.size(), 3u);
    const GedEntry& b = entries[1];
    EXPECT_EQ(std::tuple(b.Name, b.Site, b.Lat, b.Lon, b.Rock, b.Region, b.P1, b.P3),
              std::tuple("CD-7", "Bohemian Massif", "49.5", "14.25", "GRAN", "BOH", 12, 12));
    EXPECT_EQ(std::tuple(b.Azimuth, b.Plunge, b.Code1, b.F1Dec, b.L1Inc, b.Code2, b.L2Inc),
              std::tuple(315, 42, "fs  ", 10, 5, "LX  ", -5));
    EXPECT_EQ(entries[2].Name, "Zürich 3");
}

TEST(GedEditingReader, BadFilesGiveTheirExactMessagesAndKeepTheEntriesBefore)
{
    struct Case
    {
        std::string bytes;
        std::string path;
        model::UserMessage error;
        std::vector<std::string> kept;
    };
    const std::string sample = SampleBytes();
    const Case cases[] = {
        {"",
         "/d/e.ged",
         {"File  /d/e.ged  is empty!", "Input Error!", model::MessageIcon::Critical},
         {}},
        {std::string(sample).insert(64 * 3 + 5, "x"),
         "/d/bad.ged",
         EditError("Error in file: /d/bad.ged\r\r\nIn line: 4\r\r\n"),
         {}},
        {Patch(sample, 3, 28, "8x  "),
         "/d/bad.ged", // F1Inc of line 3
         EditError("Error in file: /d/bad.ged\r\r\nIn line: 3\r\r\n"),
         {"AB1"}},
        {Patch(sample, 1, 53, "a  "),
         "/d/bad.ged", // a header parameter: line 0
         EditError("Error in file: /d/bad.ged\r\r\nIn line: 0\r\r\n"),
         {}},
        {sample.substr(0, 64), "/d/h.ged", model::UserMessage {"File is empty"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error.text);
        GedEntries entries;

        const GedEditRead read = ReadGedForEditing(c.bytes, c.path, entries, 1);

        ASSERT_TRUE(read.Error.has_value());
        EXPECT_EQ(*read.Error, c.error);
        EXPECT_EQ(read.Count, static_cast<int>(c.kept.size()));
        ASSERT_EQ(entries.size(), c.kept.size());
        for (std::size_t i = 0; i < c.kept.size(); ++i)
            EXPECT_EQ(entries[i].Name, c.kept[i]);
    }
}

TEST(GedEditingReader, LatitudeThatIsNotANumberStaysEmpty)
{
    GedEntries entries;

    ReadGedForEditing(Patch(SampleBytes(), 1, 20, "N49    "), "/d/s.ged", entries, 1);

    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(std::tuple(entries[0].Lat, entries[0].Lon), std::tuple("", "14.25"));
}

TEST(GedEditingReader, SecondFileIsAppendedAfterTheFirst)
{
    GedEntries entries;
    ReadGedForEditing(SampleBytes(), "/d/a.ged", entries, 1);

    const GedEditRead read = ReadGedForEditing(SampleBytes(), "/d/b.ged", entries, 4);

    EXPECT_EQ(read.Count, 3);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[3].Name, "AB1");
}

TEST(GedMergeReader, BlankOrFractionalNumberIsRefusedNamingTheLine)
{
    const model::Result<GedEntries> blank
        = ReadGedForMerge(Patch(SampleBytes(), 4, 16, "    "), "/d/m.ged"); // plunge of line 4

    ASSERT_FALSE(blank.ok());
    EXPECT_EQ(blank.error(),
              (model::UserMessage {
                  "Error in file: /d/m.ged\r\r\nIn line: 4\r\r\nPlunge is not a whole number.",
                  "Input error!", model::MessageIcon::Critical}));
    EXPECT_FALSE(ReadGedForMerge(Patch(SampleBytes(), 2, 12, "9.5 "), "/d/m.ged").ok());
}

TEST(GedWriter, WritesFixedWidthLinesAndCountsEntriesPlusTwo)
{
    GedEntries entries = {Entry("AB1", 90, 0), Entry("CD-7", 315, -42)};
    std::tie(entries[0].Lat, entries[0].Lon, entries[0].P1) = std::tuple("45.5", "7.25", 12);

    const model::Result<std::string> bytes = EncodeGed(entries);

    ASSERT_TRUE(bytes.ok());
    ASSERT_EQ(bytes->size(), 3u * 64);
    EXPECT_EQ(bytes->substr(0, 4), "4   ");
    EXPECT_EQ(bytes->substr(20, 14), "45.5   7.25   ");
    EXPECT_EQ(bytes->substr(50, 14), "12 0  0  0  \r\n");
    EXPECT_EQ(bytes->substr(128, 24), "CD-7        315 -42 FL  ");
    EXPECT_EQ(bytes->substr(128 + 60, 4), "  \r\n");
    EXPECT_EQ(GedLineLengthCheck(*bytes), 0);
}

TEST(GedWriter, WrittenFileReadsBackEqual)
{
    test::TempDir dir;
    GedEntries entries;
    ReadGedForEditing(SampleBytes(), "/d/s.ged", entries, 1);

    ASSERT_FALSE(WriteGedFile(dir.file("copy.ged"), entries).has_value());
    GedEntries back;
    const GedEditRead read = ReadGedFileForEditing(dir.file("copy.ged"), back, 1);

    EXPECT_FALSE(read.Error.has_value());
    EXPECT_EQ(back, entries);
    EXPECT_EQ(test::ReadBytes(dir.file("copy.ged")), Patch(SampleBytes(), 1, 20, "49.5 "));
}

TEST(GedWriter, RefusesATooWideNumberAndSaysWhyAWriteFailed)
{
    test::TempDir dir;
    const std::string path = dir.file("missing-folder/x.ged");

    const model::Result<std::string> wide = EncodeGed({Entry("AB1", 12345, 0)});
    const model::Status status = WriteGedFile(path, {Entry("AB1", 1, 2)});

    ASSERT_FALSE(wide.ok());
    EXPECT_NE(wide.error().text.find("Azimuth"), std::string::npos);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(status->text.find(path), std::string::npos);
}

} // namespace
} // namespace tesmor::formats
