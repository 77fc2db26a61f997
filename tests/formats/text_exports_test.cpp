#include "formats/text_exports.h"

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
    std::tie(r.Name, r.Field, r.Freq, r.Km) = std::tuple(name, 423, "F1", 312.5f);
    std::tie(r.L, r.F, r.P, r.Pj, r.T, r.U)
        = std::tuple(1.0234567f, 1.0625f, 1.036f, 1.037f, -0.5f, 0.25f);
    std::tie(r.K1dec, r.K1inc, r.K2dec, r.K2inc, r.K3dec, r.K3inc)
        = std::tuple(12.25f, 0.75f, 102.0f, 3.5f, 280.04f, 86.96f);
    std::tie(r.K11, r.K22, r.K33, r.K12, r.K23, r.K13)
        = std::tuple(1.0123456f, 0.99f, 0.9976f, -0.015625f, 0.0f, 0.00002f);
    return r;
}

TEST(PrintLine, ZonesStartEvery14ColumnsATabPastItsColumnStartsANewLineFixedTextRoundsToEven)
{
    const std::string s13 = "1234567890123";

    EXPECT_EQ(
        PrintLine().text("abc").zone().text(s13).zone().text(s13 + "4").zone().text("x").finish(),
        "abc" + std::string(11, ' ') + s13 + " " + s13 + "4" + std::string(14, ' ') + "x\r\n");
    EXPECT_EQ(PrintLine().text("a long name").tab(5).text("x").tab(8).text("y").finish(),
              "a long name\r\n    x  y\r\n");
    EXPECT_EQ(std::tuple(FixedText(0.125, 2), FixedText(1.0, 3), FixedText(-0.0001, 3)),
              std::tuple("0.12", "1.000", "0.000"));
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

TEST(AsciiTable, SelectedOnlyWritesTheSelectedRecordsInOrderOrTheHeaderAlone)
{
    model::Records records = {Record("A1"), Record("A2"), Record("A3")};
    const std::size_t headerOnly = Lines(AsciiTableText(records, true)).size();
    const std::string noDirections = DirectionFileText(records, {}, true);
    records[0].Selected = records[2].Selected = true;

    const std::vector<std::string> lines = Lines(AsciiTableText(records, true));

    EXPECT_EQ(std::tuple(headerOnly, noDirections), std::tuple(1u, ""));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(std::tuple(At(lines[1], 1, 2), At(lines[2], 1, 2)), std::tuple("A1", "A3"));
}

// Record T has no geological groups: it gives its axes alone.
TEST(DirectionFile, WritesAxesAndStructuresInTheOrderOfTheTable)
{
    model::SpecimenRecord r = Record("S");
    std::tie(r.Code1, r.Code1A, r.Code1B, r.F1Dec, r.F1Inc, r.L1Dec, r.L1Inc)
        = std::tuple("FL", 'F', 'L', 120, 35, 200, -10);
    std::tie(r.Code2, r.Code2A, r.Code2B, r.F2Dec) = std::tuple("SX", 'S', 'X', 7.5f);
    const model::DisplayOptions options {.chcF1C = true, .chcF1P = true, .chcL1 = true};

    EXPECT_EQ(DirectionFileText({r, Record("T")}, options, false),
              "S.k1369 12.25  0.75 \r\nS.k2669 102  3.5 \r\nS.k3169 280.04  86.96 \r\n"
              "S.F-133 120  35 \r\nS.S-133 7.5  0 \r\nS.F1333 120  35 \r\nS.S1433 7.5  0 \r\n"
              "S.L569 200 -10 \r\nS.X969 0  0 \r\n"
              "T.k1369 12.25  0.75 \r\nT.k2669 102  3.5 \r\nT.k3169 280.04  86.96 \r\n");
}

math::GroupStatistics Statistics()
{
    math::GroupStatistics s;
    std::tie(s.N, s.Kaver, s.Laver, s.Faver, s.Tenvar)
        = std::tuple(7, 312.6f, 1.0234f, 1.01f, true);
    std::tie(s.K1, s.K1d, s.K1i, s.C1a, s.C1b, s.C3a, s.Umean)
        = std::tuple(1.0625f, 12.25f, 3, 10.04f, 5, 0, -0.25f);
    s.SemiAnglesDefined = {true, true, false};
    return s;
}

model::Records SiteRecords()
{
    model::Records records(7, Record("X"));
    model::SpecimenRecord& r = records[0];
    std::tie(r.Site, r.Lat, r.Lon, r.Rock, r.Strat, r.Litho, r.Region)
        = std::tuple("Bohemia", "49.5", "14.25", "GRAN", "CARB", "PLUT", "BOH");
    return records;
}

TEST(MeanListing, HeaderAndDataLineShareTabStopsThenZonesAndUndefinedSemiAnglesAreBlank)
{
    const std::vector<std::string> header = Lines(MeanListingHeader());
    const std::vector<std::string> data
        = Lines(MeanListingLine("Mean A", SiteRecords(), Statistics()));
    const int zone = 14;
    const std::string blank(zone, ' ');
    // Column from 1; header text and data text there (empty: not checked).
    const std::tuple<int, std::string, std::string> columns[]
        = {{1, "Name ", "Mean A "},
           {20, "Site ", "Bohemia "},
           {90, "", "BOH "},
           {100, "N ", " 7 "},
           {110, "Kaver ", "3.13E-04 "},
           {127, "Laver ", "1.023 "},
           {127 + zone * 6, "", "12.2 "}, // K1d
           {127 + zone * 8, "", "10.0 "}, // C1a
           {127 + zone * 14, "", "0.0" + blank.substr(3)}, // K3d
           {127 + zone * 16, "", blank}, // C3a undefined
           {127 + zone * 18, "", "1.062 "}, // K1, tie to even
           {127 + zone * 26, "Umean", "-0.250"}};

    ASSERT_EQ(header.size(), 1u);
    ASSERT_EQ(data.size(), 1u);
    for (const auto& [column, head, value] : columns) {
        if (!head.empty()) {
            EXPECT_EQ(At(header[0], column, head.size()), head);
        }
        if (!value.empty()) {
            EXPECT_EQ(At(data[0], column, value.size()), value);
        }
    }
}

} // namespace
} // namespace tesmor::formats
