#include "model/number_text.h"

#include <gtest/gtest.h>
#include <limits>

using namespace tesmor::model;

TEST(IsNumber, FollowsTheOrientationParameterRule)
{
    for (const char* yes : {"0", "90", "-6", "+12", "1.5", ".5", "5."})
        EXPECT_TRUE(IsNumber(yes)) << yes;
    for (const char* no : {"", ".", "+", "-", "1-", "1.2.3", "12a", " 1", "--1", "1e3"})
        EXPECT_FALSE(IsNumber(no)) << no;
}

// Beyond the range of a double a number reads as infinite when too large, as zero when too small.
TEST(LeadingNumber, ReadsTheNumberThatStartsTheText)
{
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<std::string, double> cases[] = {{"  12abc", 12.0},
                                                    {"-3.25 rest", -3.25},
                                                    {"+7", 7.0},
                                                    {"1.5E+02x", 150.0},
                                                    {"4e", 4.0},
                                                    {"abc", 0.0},
                                                    {"-", 0.0},
                                                    {"", 0.0},
                                                    {"1e400", inf},
                                                    {"-2.5E+999x", -inf},
                                                    {"1" + std::string(400, '0'), inf},
                                                    {"1e-400", 0.0},
                                                    {"0.0001e-330", 0.0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(LeadingNumber(text), value) << text;
}

// 9.999: a mantissa that rounds to 10 keeps the exponent of the unrounded one.
TEST(FormatScientific, WritesMantissaAndTwoDigitExponent)
{
    using Limits = std::numeric_limits<float>;
    const std::pair<float, const char*> cases[] = {{0.000345f, "3.45E-04"},
                                                   {1234.0f, "1.23E+03"},
                                                   {-0.00567f, "-5.67E-03"},
                                                   {1.0f, "1.00E+00"},
                                                   {0.0f, "0.00E-100"},
                                                   {9.999f, "10.00E+00"},
                                                   {Limits::infinity(), "Infinity"},
                                                   {Limits::quiet_NaN(), "NaN"},
                                                   {Limits::max(), "3.40E+38"},
                                                   {Limits::denorm_min(), "1.40E-45"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatScientific(value), text) << value;
}
