#include "model/number_text.h"

#include <gtest/gtest.h>
#include <limits>

using namespace tesmor::model;

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(2.6), 3.0);
}

TEST(RoundToInt16, RefusesWhatDoesNotFit)
{
    std::int16_t out = 7;

    EXPECT_TRUE(RoundToInt16(32767.4, out));
    EXPECT_EQ(out, 32767);
    EXPECT_FALSE(RoundToInt16(32767.6, out));
    EXPECT_FALSE(RoundToInt16(std::numeric_limits<double>::quiet_NaN(), out));
    EXPECT_FALSE(RoundToInt16(-1e9, out));
}

TEST(ShortestText, GivesTheShortestRoundTripText)
{
    EXPECT_EQ(ShortestText(1300.0f), "1300");
    EXPECT_EQ(ShortestText(0.1f), "0.1");
    EXPECT_EQ(ShortestText(-2.5f), "-2.5");
    EXPECT_EQ(ShortestText(std::numeric_limits<float>::quiet_NaN()), "NaN");
}

TEST(IsNumber, FollowsTheOrientationParameterRule)
{
    for (const char* yes : {"0", "90", "-6", "+12", "1.5", ".5", "5."})
        EXPECT_TRUE(IsNumber(yes)) << yes;
    for (const char* no : {"", ".", "+", "-", "1-", "1.2.3", "12a", " 1", "--1", "1e3"})
        EXPECT_FALSE(IsNumber(no)) << no;
}

TEST(LeadingNumber, ReadsTheNumberThatStartsTheText)
{
    EXPECT_EQ(LeadingNumber("  12abc"), 12.0);
    EXPECT_EQ(LeadingNumber("-3.25 rest"), -3.25);
    EXPECT_EQ(LeadingNumber("+7"), 7.0);
    EXPECT_EQ(LeadingNumber("1.5E+02x"), 150.0);
    EXPECT_EQ(LeadingNumber("4e"), 4.0);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber("-"), 0.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    // Beyond the range of a double: infinite when too large, zero when too small.
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<std::string, double> beyond[] = {{"1e400", inf},
                                                     {"-2.5E+999x", -inf},
                                                     {"1" + std::string(400, '0'), inf},
                                                     {"1e-400", 0.0},
                                                     {"0.0001e-330", 0.0}};
    for (const auto& [text, value] : beyond)
        EXPECT_EQ(LeadingNumber(text), value) << text;
}

TEST(FitField, CutsOrPadsToTheWidth)
{
    EXPECT_EQ(FitField("ABCDEFGHIJKLMN", 12), "ABCDEFGHIJKL");
    EXPECT_EQ(FitField("AB", 4), "AB  ");
    EXPECT_EQ(Trim("  a b \r\n"), "a b");
}

TEST(FormatScientific, WritesMantissaAndTwoDigitExponent)
{
    EXPECT_EQ(FormatScientific(0.000345f), "3.45E-04");
    EXPECT_EQ(FormatScientific(1234.0f), "1.23E+03");
    EXPECT_EQ(FormatScientific(-0.00567f), "-5.67E-03");
    EXPECT_EQ(FormatScientific(1.0f), "1.00E+00");
    EXPECT_EQ(FormatScientific(0.0f), "0.00E-100");
}

TEST(FormatScientific, KeepsTheExponentOfAMantissaThatRoundsToTen)
{
    EXPECT_EQ(FormatScientific(9.999f), "10.00E+00");
}

TEST(FormatScientific, EndsForNonFiniteValues)
{
    EXPECT_EQ(FormatScientific(std::numeric_limits<float>::infinity()), "Infinity");
    EXPECT_EQ(FormatScientific(std::numeric_limits<float>::quiet_NaN()), "NaN");
}

TEST(FormatScientific, HandlesTheExtremesOfSinglePrecision)
{
    EXPECT_EQ(FormatScientific(std::numeric_limits<float>::max()), "3.40E+38");
    EXPECT_EQ(FormatScientific(std::numeric_limits<float>::denorm_min()), "1.40E-45");
}
