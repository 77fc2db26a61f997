#include "formats/text_exports.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::formats {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text does not end in CR LF";
    return lines;
}

// The text at 1-based column `column` of `line`.
std::string At(const std::string& line, int column, std::size_t length)
{
    return line.size() < static_cast<std::size_t>(column) ? std::string()
                                                          : line.substr(column - 1, length);
}

model::SpecimenRecord Record(const std::string& name)
{
    model::SpecimenRecord r;
    r.Name = name;
    r.Field = 423;
    r.Freq = "F1";
    r.Km = 312.5f;
    r.L = 1.0234567f;
    r.F = 1.0625f;
    r.P = 1.036f;
    r.Pj = 1.037f;
    r.T = -0.5f;
    r.U = 0.25f;
    r.K1dec = 12.25f;
    r.K1inc = 0.75f;
    r.K2dec = 102.0f;
    r.K2inc = 3.5f;
    r.K3dec = 280.04f;
    r.K3inc = 86.96f;
    r.K11 = 1.0123456f;
    r.K22 = 0.99f;
    r.K33 = 0.9976f;
    r.K12 = -0.015625f;
    r.K23 = 0;
    r.K13 = 0.00002f;
    return r;
}

TEST(PrintLine, ZonesStartEvery14ColumnsAndItemsNeverTouch)
{
    const std::string line = PrintLine()
                                 .text("abc")
                                 .zone()
                                 .text("1234567890123")
                                 .zone()
                                 .text("12345678901234")
                                 .zone()
                                 .text("x")
                                 .finish();

    EXPECT_EQ(line,
              "abc" + std::string(11, ' ') + "1234567890123 12345678901234" + std::string(14, ' ')
                  + "x\r\n");
}

TEST(PrintLine, TabPastItsColumnContinuesOnANewLine)
{
    const std::string text
        = PrintLine().text("a long name").tab(5).text("x").tab(8).text("y").finish();

    EXPECT_EQ(text, "a long name\r\n    x  y\r\n");
}

TEST(FixedText, RoundsTiesToEvenAndWritesEveryDecimal)
{
    EXPECT_EQ(FixedText(0.125, 2), "0.12");
    EXPECT_EQ(FixedText(1.0, 3), "1.000");
    EXPECT_EQ(FixedText(-0.0001, 3), "0.000");
    EXPECT_EQ(FixedText(12.25, 1), "12.2");
}

TEST(AsciiTable, HeaderAndRowsAreInPrintZones)
{
    const std::vector<std::string> lines = Lines(AsciiTableText({Record("AB12")}, false));

    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(At(lines[0], 1, 5), "Name ");
    EXPECT_EQ(At(lines[0], 15, 6), "Field ");
    EXPECT_EQ(At(lines[0], 1 + 14 * 21, 3), "K13");
    const std::string& row = lines[1];
    EXPECT_EQ(At(row, 1, 5), "AB12 ");
    EXPECT_EQ(At(row, 15, 5), " 423 ");
    EXPECT_EQ(At(row, 43, 7), " 312.5 ");
    EXPECT_EQ(At(row, 57, 7), " 1.023 "); // L
    EXPECT_EQ(At(row, 71, 7), " 1.062 "); // F, tie to even
    EXPECT_EQ(At(row, 113, 5), "-0.5 "); // T
    EXPECT_EQ(At(row, 141, 6), " 12.2 "); // K1dec, tie to even
    EXPECT_EQ(At(row, 155, 5), " 0.8 "); // K1inc, tie to even
    EXPECT_EQ(At(row, 225, 9), " 1.01235 "); // K11 to 5 decimals
    EXPECT_EQ(At(row, 267, 9), "-0.01562 "); // K12, tie to even
}

TEST(AsciiTable, SelectedOnlyWithNothingSelectedWritesTheHeaderAlone)
{
    const std::string text = AsciiTableText({Record("A1"), Record("A2")}, true);

    EXPECT_EQ(Lines(text).size(), 1u);
}

TEST(AsciiTable, SelectedOnlyWritesTheSelectedRecordsInOrder)
{
    model::Records records = {Record("A1"), Record("A2"), Record("A3")};
    records[0].Selected = true;
    records[2].Selected = true;

    const std::vector<std::string> lines = Lines(AsciiTableText(records, true));

    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(At(lines[1], 1, 2), "A1");
    EXPECT_EQ(At(lines[2], 1, 2), "A3");
}

TEST(DirectionFile, WritesLabelCodeSizeAndAnglesWithoutSeparators)
{
    model::Records records = {Record("AB1")};
    DirectionFileOptions options;
    options.K2 = false;
    options.K3 = false;

    EXPECT_EQ(DirectionFileText(records, options, false), "AB1.k1369 12.25  0.75 \r\n");
}

TEST(DirectionFile, WritesStructuresInTheOrderOfTheTable)
{
    model::SpecimenRecord r = Record("S");
    r.Code1 = "FL";
    r.Code1A = 'F';
    r.Code1B = 'L';
    r.F1Dec = 120;
    r.F1Inc = 35;
    r.L1Dec = 200;
    r.L1Inc = -10;
    r.Code2 = "SX";
    r.Code2A = 'S';
    r.Code2B = 'X';
    DirectionFileOptions options {true, true, true, true, true, true};

    const std::vector<std::string> lines = Lines(DirectionFileText({r}, options, false));

    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[1].substr(0, 7), "S.k2669");
    EXPECT_EQ(lines[2].substr(0, 7), "S.k3169");
    EXPECT_EQ(lines[3], "S.F-133 120  35 ");
    EXPECT_EQ(lines[4].substr(0, 7), "S.S-133");
    EXPECT_EQ(lines[5].substr(0, 7), "S.F1333");
    EXPECT_EQ(lines[6].substr(0, 7), "S.S1433");
    EXPECT_EQ(lines[7], "S.L569 200 -10 ");
    EXPECT_EQ(lines[8].substr(0, 6), "S.X969");
}

TEST(DirectionFile, GroupWithoutCodeGivesNoPlaneOrLine)
{
    model::SpecimenRecord r = Record("S");
    DirectionFileOptions options {false, false, false, true, true, true};

    EXPECT_EQ(DirectionFileText({r}, options, false), "");
}

TEST(DirectionFile, SelectedOnlyWithNothingSelectedIsEmpty)
{
    EXPECT_EQ(DirectionFileText({Record("A")}, DirectionFileOptions {}, true), "");
}

math::GroupStatistics Statistics()
{
    math::GroupStatistics s;
    s.N = 7;
    s.Kaver = 312.6f;
    s.Laver = 1.0234f;
    s.Faver = 1.01f;
    s.Tenvar = true;
    s.K1 = 1.0625f;
    s.K1d = 12.25f;
    s.K1i = 3;
    s.C1a = 10.04f;
    s.C1b = 5;
    s.SemiAnglesDefined = {true, true, false};
    s.C3a = 0;
    s.Umean = -0.25f;
    return s;
}

model::Records SiteRecords()
{
    model::Records records(7, Record("X"));
    records[0].Site = "Bohemia";
    records[0].Lat = "49.5";
    records[0].Lon = "14.25";
    records[0].Rock = "GRAN";
    records[0].Strat = "CARB";
    records[0].Litho = "PLUT";
    records[0].Region = "BOH";
    return records;
}

TEST(MeanListing, HeaderUsesTabStopsThenZones)
{
    const std::vector<std::string> lines = Lines(MeanListingHeader());

    ASSERT_EQ(lines.size(), 1u);
    const std::string& h = lines[0];
    EXPECT_EQ(At(h, 1, 5), "Name ");
    EXPECT_EQ(At(h, 20, 5), "Site ");
    EXPECT_EQ(At(h, 40, 4), "Lat ");
    EXPECT_EQ(At(h, 100, 2), "N ");
    EXPECT_EQ(At(h, 110, 6), "Kaver ");
    EXPECT_EQ(At(h, 127, 6), "Laver ");
    EXPECT_EQ(At(h, 141, 6), "Faver ");
    EXPECT_EQ(At(h, 127 + 14 * 26, 5), "Umean");
}

TEST(MeanListing, DataLineSharesTheColumnsOfTheHeader)
{
    const std::vector<std::string> lines
        = Lines(MeanListingLine("Mean A", SiteRecords(), Statistics()));

    ASSERT_EQ(lines.size(), 1u);
    const std::string& d = lines[0];
    EXPECT_EQ(At(d, 1, 7), "Mean A ");
    EXPECT_EQ(At(d, 20, 8), "Bohemia ");
    EXPECT_EQ(At(d, 40, 5), "49.5 ");
    EXPECT_EQ(At(d, 90, 4), "BOH ");
    EXPECT_EQ(At(d, 100, 3), " 7 ");
    EXPECT_EQ(At(d, 110, 9), "3.13E-04 ");
    EXPECT_EQ(At(d, 127, 6), "1.023 ");
    EXPECT_EQ(At(d, 127 + 14 * 6, 5), "12.2 "); // K1d
    EXPECT_EQ(At(d, 127 + 14 * 8, 5), "10.0 "); // C1a
    EXPECT_EQ(At(d, 127 + 14 * 18, 6), "1.062 "); // K1, tie to even
    EXPECT_EQ(At(d, 127 + 14 * 26, 6), "-0.250");
}

TEST(MeanListing, UndefinedSemiAnglesAreBlank)
{
    const std::string d = Lines(MeanListingLine("M", SiteRecords(), Statistics()))[0];

    EXPECT_EQ(At(d, 127 + 14 * 14, 14), "0.0" + std::string(11, ' ')); // K3d
    EXPECT_EQ(At(d, 127 + 14 * 16, 14), std::string(14, ' ')); // C3a
    EXPECT_EQ(At(d, 127 + 14 * 17, 14), std::string(14, ' ')); // C3b
}

TEST(MeanListing, WrittenTwiceHasOneHeaderAndTwoDataLines)
{
    test::TempDir dir;
    const std::string path = dir.file("means.txt");

    ASSERT_FALSE(AppendMeanListing(path, SiteRecords(), Statistics(), false, "First"));
    ASSERT_FALSE(AppendMeanListing(path, SiteRecords(), Statistics(), true, "Second"));

    const std::vector<std::string> lines = Lines(test::ReadBytes(path));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(At(lines[0], 1, 5), "Name ");
    EXPECT_EQ(At(lines[1], 1, 6), "First ");
    EXPECT_EQ(At(lines[2], 1, 7), "Second ");
}

TEST(MeanListing, LongNameMovesTheSiteToANewLineAtItsColumn)
{
    const std::vector<std::string> lines
        = Lines(MeanListingLine("A name of twenty-five ch", SiteRecords(), Statistics()));

    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(At(lines[1], 20, 7), "Bohemia");
}

TEST(TextExports, WritersReplaceTheFileAndReportFailures)
{
    test::TempDir dir;
    const std::string path = dir.file("table.txt");
    test::WriteBytes(path, "old content that is longer than the new table would ever be........");

    ASSERT_FALSE(WriteAsciiTable(path, {}, false));
    EXPECT_EQ(test::ReadBytes(path), AsciiTableText({}, false));
    EXPECT_TRUE(WriteDirectionFile(dir.file("no/such/folder.dat"), {}, {}, false).has_value());
}

} // namespace
} // namespace tesmor::formats
