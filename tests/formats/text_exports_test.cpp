#include "formats/text_exports.h"

#include <gtest/gtest.h>

namespace tesmor::formats {
namespace {

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
    // L, F, K1dec, K1inc and K12 are ties that round to the even neighbour.
    EXPECT_EQ(AsciiTableText({Record("AB12")}, false),
              "Name          Field         Freq.         Km            L             F             "
              "P             Pj            T             U             K1dec         K1inc         "
              "K2dec         K2inc         K3dec         K3inc         K11           K22           "
              "K33           K12           K23           K13\r\n"
              "AB12           423          F1             312.5         1.023         1.062        "
              " 1.036         1.037        -0.5           0.25          12.2          0.8          "
              " 102           3.5           280           87            1.01235       0.99         "
              " 0.9976       -0.01562       0             2e-05 \r\n");
}

TEST(AsciiTable, SelectedOnlyWritesTheSelectedRecordsInOrderOrTheHeaderAlone)
{
    model::Records records = {Record("A1"), Record("A2"), Record("A3")};
    const std::string none = AsciiTableText(records, true);
    const std::string noDirections = DirectionFileText(records, {}, true);
    records[0].Selected = records[2].Selected = true;

    const std::string table = AsciiTableText(records, true);

    EXPECT_EQ(std::tuple(none, noDirections),
              std::tuple(table.substr(0, table.find("\r\n") + 2), ""));
    EXPECT_EQ(table, AsciiTableText({records[0], records[2]}, false));
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

TEST(MeanListing, HeaderAndDataLineShareTabStopsThenZonesAndUndefinedSemiAnglesAreBlank)
{
    const std::string header = MeanListingHeader();
    model::Records records(7, Record("X"));
    std::tie(records[0].Site, records[0].Region) = std::tuple("Bohemia", "BOH");
    const std::string data = MeanListingLine("Mean A", records, Statistics());
    const int zone = 14;
    const std::string blank(zone, ' ');
    // Column from 1; header text and data text there.
    const std::tuple<int, std::string, std::string> columns[]
        = {{1, "Name ", "Mean A "},
           {20, "Site ", "Bohemia "},
           {90, "Region ", "BOH "},
           {100, "N ", " 7 "},
           {110, "Kaver ", "3.13E-04 "},
           {127, "Laver ", "1.023 "},
           {127 + zone * 6, "K1d ", "12.2 "},
           {127 + zone * 8, "C1a ", "10.0 "},
           {127 + zone * 14, "K3d ", "0.0" + blank.substr(3)},
           {127 + zone * 16, "C3a ", blank}, // undefined
           {127 + zone * 18, "K1 ", "1.062 "}, // tie to even
           {127 + zone * 26, "Umean", "-0.250"}};

    EXPECT_EQ(std::tuple(header.find("\r\n"), data.find("\r\n")),
              std::tuple(header.size() - 2, data.size() - 2));
    for (const auto& [column, head, value] : columns) {
        EXPECT_EQ(At(header, column, head.size()), head);
        EXPECT_EQ(At(data, column, value.size()), value);
    }
}

} // namespace
} // namespace tesmor::formats
