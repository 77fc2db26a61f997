#include "model/codepage.h"
#include "model/file_io.h"
#include "model/number_text.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <limits>

using namespace tesmor::model;

TEST(Codepage, WindowsBytesRoundTripThroughUtf8AndOtherCharactersBecomeQuestionMarks)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);

    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\200Z\341"), "\342\202\254Z\303\241"); // euro sign, a-acute
    EXPECT_EQ(Utf8ToCp1252("\316\261"), "?"); // Greek alpha
    EXPECT_EQ(Utf8ToCp1252("a\377"), "a\377"); // malformed byte kept as it is
}

// Upper case and letters in Windows-1252 terms: e-acute, s-caron, y-diaeresis, and characters
// without a Windows byte (Greek alpha) or without a case (the euro sign, the division sign).
TEST(Codepage, UpperCaseAndLettersAreThoseOfWindows1252)
{
    EXPECT_EQ(UpperCp1252("ab\351\232\377\367\200\311"), "AB\311\212\237\367\200\311");
    EXPECT_EQ(UpperText("\303\251t\305\241 \316\261\342\202\254"),
              "\303\211T\305\240 \316\261\342\202\254");
    const std::tuple<std::string, std::size_t, char> letters[] = {
        {"\303\211B", 0, '\311'}, {"\303\211B", 1, 'B'},       {"\303\211", 1, '0'},
        {"\316\261", 0, '?'},     {"\342\202\254", 0, '\200'},
    };
    for (const auto& [text, index, letter] : letters) {
        EXPECT_EQ(Cp1252Letter(text, index, '0'), letter) << text << index;
        if (letter != '0' && letter != '?') {
            EXPECT_EQ(LetterText(letter), Cp1252ToUtf8(std::string(1, letter)));
        }
    }
}

TEST(FileIo, WritesWholeFilesOrNothingAndReadsEveryByte)
{
    tesmor::test::TempDir dir;
    const std::string path = dir.file("out.bin");
    const std::string missing = dir.file("missing-folder/out.bin");
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += static_cast<char>(i * 7);
    tesmor::test::WriteBytes(path, "old contents");

    ASSERT_FALSE(WriteFileAtomically(path, bytes));
    const Status failed = WriteFileAtomically(missing, "data");

    EXPECT_EQ(tesmor::test::ReadBytes(path), bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_EQ(*ReadWholeFile(path), bytes);
    ASSERT_TRUE(failed.has_value());
    EXPECT_NE(failed->text.find(missing), std::string::npos);
    EXPECT_EQ(ReadWholeFile("/nonexistent/file.ran").error().title, "Input error!");
    EXPECT_FALSE(ReadWholeFile(dir.path().string()).ok());
}

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
