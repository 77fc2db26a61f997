#include "formats/ged_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::formats {
namespace {

std::string SampleBytes()
{
    return test::ReadBytes((test::SourceDir() / "tests/data/formats/sample.ged").string());
}

// Replaces `width` characters of line `line` (from 1) at `offset` of a CR LF file.
std::string Patch(std::string bytes, int line, std::size_t offset, const std::string& text)
{
    bytes.replace(static_cast<std::size_t>(line - 1) * 64 + offset, text.size(), text);
    return bytes;
}

GedEntry Entry(const std::string& name, std::int16_t azimuth, std::int16_t plunge)
{
    GedEntry e;
    e.Name = name;
    e.Azimuth = azimuth;
    e.Plunge = plunge;
    e.Code1 = "FL";
    e.Code2 = "00";
    return e;
}

TEST(GedLineLengthCheck, AcceptsLinesOf62CharactersWithCrLf)
{
    EXPECT_EQ(GedLineLengthCheck(SampleBytes()), 0);
    EXPECT_EQ(GedLineLengthCheck(""), 0);
}

TEST(GedLineLengthCheck, NamesTheFirstLineOfAnotherLength)
{
    std::string bytes = SampleBytes();
    bytes.erase(64 * 2 + 61, 1); // line 3 one character short

    EXPECT_EQ(GedLineLengthCheck(bytes), 3);
}

TEST(GedLineLengthCheck, LineEndingInLfAloneIsWrong)
{
    std::string bytes = SampleBytes();
    bytes.erase(62, 1); // line 1 ends in LF only

    EXPECT_EQ(GedLineLengthCheck(bytes), 1);
}

TEST(GedEditingReader, ReadsHeaderAndEntries)
{
    GedEntries entries;

    const GedEditRead read = ReadGedForEditing(SampleBytes(), "/d/sample.ged", entries, 1);

    ASSERT_FALSE(read.Error.has_value()) << read.Error->text;
    EXPECT_EQ(read.Count, 3);
    ASSERT_EQ(entries.size(), 3u);
    const GedEntry& b = entries[1];
    EXPECT_EQ(b.Name, "CD-7");
    EXPECT_EQ(b.Site, "Bohemian Massif");
    EXPECT_EQ(b.Lat, "49.5");
    EXPECT_EQ(b.Lon, "14.25");
    EXPECT_EQ(b.Rock, "GRAN");
    EXPECT_EQ(b.Region, "BOH");
    EXPECT_EQ(b.P1, 12);
    EXPECT_EQ(b.P3, 12);
    EXPECT_EQ(b.Azimuth, 315);
    EXPECT_EQ(b.Plunge, 42);
    EXPECT_EQ(b.Code1, "fs  ");
    EXPECT_EQ(b.F1Dec, 10);
    EXPECT_EQ(b.L1Inc, 5);
    EXPECT_EQ(b.Code2, "LX  ");
    EXPECT_EQ(b.L2Inc, -5);
    EXPECT_EQ(entries[2].Name, "Zürich 3");
}

TEST(GedEditingReader, EmptyFileMessage)
{
    GedEntries entries;

    const GedEditRead read = ReadGedForEditing("", "/d/e.ged", entries, 1);

    ASSERT_TRUE(read.Error.has_value());
    EXPECT_EQ(*read.Error,
              (model::UserMessage {"File  /D/E.GED  is empty!", "Input Error!",
                                   model::MessageIcon::Critical}));
}

TEST(GedEditingReader, WrongLineLengthNamesTheLine)
{
    std::string bytes = SampleBytes();
    bytes.insert(64 * 3 + 5, "x");
    GedEntries entries;

    const GedEditRead read = ReadGedForEditing(bytes, "/d/bad.ged", entries, 1);

    ASSERT_TRUE(read.Error.has_value());
    EXPECT_EQ(*read.Error,
              (model::UserMessage {"Error in file: /D/BAD.GED\r\r\nIn line: 4\r\r\n",
                                   "Input Error!", model::MessageIcon::Critical}));
    EXPECT_TRUE(entries.empty());
}

TEST(GedEditingReader, NonNumberStopsAtItsLineAndKeepsTheEntriesBefore)
{
    const std::string bytes = Patch(SampleBytes(), 3, 28, "8x  "); // F1Inc of line 3
    GedEntries entries;

    const GedEditRead read = ReadGedForEditing(bytes, "/d/bad.ged", entries, 1);

    ASSERT_TRUE(read.Error.has_value());
    EXPECT_EQ(read.Error->text, "Error in file: /D/BAD.GED\r\r\nIn line: 3\r\r\n");
    EXPECT_EQ(read.Count, 1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Name, "AB1");
}

TEST(GedEditingReader, HeaderParameterThatIsNotANumberIsLineZero)
{
    const std::string bytes = Patch(SampleBytes(), 1, 53, "a  ");
    GedEntries entries;

    const GedEditRead read = ReadGedForEditing(bytes, "/d/bad.ged", entries, 1);

    ASSERT_TRUE(read.Error.has_value());
    EXPECT_EQ(read.Error->text, "Error in file: /d/bad.ged\r\r\nIn line: 0\r\r\n");
    EXPECT_TRUE(entries.empty());
}

TEST(GedEditingReader, HeaderWithoutEntriesIsAnEmptyFile)
{
    GedEntries entries;

    const GedEditRead read = ReadGedForEditing(SampleBytes().substr(0, 64), "/d/h.ged", entries, 1);

    ASSERT_TRUE(read.Error.has_value());
    EXPECT_EQ(*read.Error, model::UserMessage {"File is empty"});
}

TEST(GedEditingReader, LatitudeThatIsNotANumberStaysEmpty)
{
    const std::string bytes = Patch(SampleBytes(), 1, 20, "N49    ");
    GedEntries entries;

    ReadGedForEditing(bytes, "/d/s.ged", entries, 1);

    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries[0].Lat, "");
    EXPECT_EQ(entries[0].Lon, "14.25");
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

TEST(GedMergeReader, BlankNumericFieldIsRefusedNamingTheLine)
{
    const std::string bytes = Patch(SampleBytes(), 4, 16, "    "); // plunge of line 4

    const model::Result<GedEntries> read = ReadGedForMerge(bytes, "/d/m.ged");

    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().text,
              "Error in file: /D/M.GED\r\r\nIn line: 4\r\r\nPlunge is not a whole number.");
    EXPECT_EQ(read.error().title, "Input error!");
}

TEST(GedMergeReader, FractionalNumberIsRefused)
{
    const std::string bytes = Patch(SampleBytes(), 2, 12, "9.5 ");

    EXPECT_FALSE(ReadGedForMerge(bytes, "/d/m.ged").ok());
}

TEST(GedWriter, WritesFixedWidthLinesAndCountsEntriesPlusTwo)
{
    GedEntries entries = {Entry("AB1", 90, 0), Entry("CD-7", 315, -42)};
    entries[0].Lat = "45.5";
    entries[0].Lon = "7.25";
    entries[0].P1 = 12;

    const model::Result<std::string> bytes = EncodeGed(entries);

    ASSERT_TRUE(bytes.ok());
    ASSERT_EQ(bytes->size(), 3u * 64);
    EXPECT_EQ(bytes->substr(0, 4), "4   ");
    EXPECT_EQ(bytes->substr(20, 7), "45.5   ");
    EXPECT_EQ(bytes->substr(27, 7), "7.25   ");
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

TEST(GedWriter, NumberTooWideForItsFieldIsRefused)
{
    GedEntries entries = {Entry("AB1", 12345, 0)};

    const model::Result<std::string> bytes = EncodeGed(entries);

    ASSERT_FALSE(bytes.ok());
    EXPECT_NE(bytes.error().text.find("Azimuth"), std::string::npos);
}

TEST(GedWriter, FailedWriteLeavesTheOldFileAndSaysWhy)
{
    test::TempDir dir;
    const std::string path = dir.file("missing-folder/x.ged");

    const model::Status status = WriteGedFile(path, {Entry("AB1", 1, 2)});

    ASSERT_TRUE(status.has_value());
    EXPECT_NE(status->text.find(path), std::string::npos);
}

} // namespace
} // namespace tesmor::formats
