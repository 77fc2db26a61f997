#include "model/codepage.h"
#include "model/file_io.h"
#include "model/specimen_record.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

using namespace tesmor::model;

TEST(PlaneConversion, StrikeConventionGivesDipDirectionNinetyDegreesOn)
{
    float dec = 0;
    float strike = 0;

    PlaneFromFile(300.0f, 90, dec, strike);

    EXPECT_EQ(strike, 300.0f);
    EXPECT_EQ(dec, 30.0f);
    EXPECT_EQ(PlaneToFile(dec, strike, 90), 300.0f);
}

TEST(PlaneConversion, DipDirectionConventionGivesStrikeNinetyDegreesBack)
{
    float dec = 0;
    float strike = 0;

    PlaneFromFile(45.0f, 0, dec, strike);

    EXPECT_EQ(dec, 45.0f);
    EXPECT_EQ(strike, 315.0f);
    EXPECT_EQ(PlaneToFile(dec, strike, 0), 45.0f);
}

TEST(Codepage, WindowsBytesRoundTripThroughUtf8)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);

    const std::string utf8 = Cp1252ToUtf8(all);

    EXPECT_EQ(Utf8ToCp1252(utf8), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(Cp1252ToUtf8("Z\xE1padn\xED"), "Z\xC3\xA1padn\xC3\xAD");
}

TEST(Codepage, CharactersWithoutAWindowsByteBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1252("\xCE\xB1"), "?"); // Greek alpha
    EXPECT_EQ(Utf8ToCp1252("a\xFF"), "a\xFF"); // malformed byte kept as it is
}

// Upper case and letters in Windows-1252 terms: e-acute, s-caron, y-diaeresis, and characters
// without a Windows byte (Greek alpha) or without a case (the euro sign, the division sign).
TEST(Codepage, UpperCaseAndLettersAreThoseOfWindows1252)
{
    EXPECT_EQ(UpperCp1252("ab\xE9\x9A\xFF\xF7\x80\xC9"), "AB\xC9\x8A\x9F\xF7\x80\xC9");
    EXPECT_EQ(UpperText("\xC3\xA9t\xC5\xA1 \xCE\xB1\xE2\x82\xAC"),
              "\xC3\x89T\xC5\xA0 \xCE\xB1\xE2\x82\xAC");
    const std::tuple<std::string, std::size_t, char> letters[] = {
        {"\xC3\x89"
         "B",
         0, '\xC9'},
        {"\xC3\x89"
         "B",
         1, 'B'},
        {"\xC3\x89", 1, '0'},
        {"\xCE\xB1", 0, '?'},
        {"\xE2\x82\xAC", 0, '\x80'},
    };
    for (const auto& [text, index, letter] : letters) {
        EXPECT_EQ(Cp1252Letter(text, index, '0'), letter) << text << index;
        if (letter != '0' && letter != '?') {
            EXPECT_EQ(LetterText(letter), Cp1252ToUtf8(std::string(1, letter)));
        }
    }
}

TEST(WriteFileAtomically, ReplacesTheFileWhole)
{
    tesmor::test::TempDir dir;
    const auto path = dir.file("out.bin");
    tesmor::test::WriteBytes(path, "old contents");

    const Status status = WriteFileAtomically(path, std::string("new\0bytes", 9));

    EXPECT_FALSE(status.has_value());
    EXPECT_EQ(tesmor::test::ReadBytes(path), std::string("new\0bytes", 9));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(WriteFileAtomically, ReportsAFailureAndLeavesNothingBehind)
{
    tesmor::test::TempDir dir;
    const auto path = dir.file("missing-folder/out.bin");

    const Status status = WriteFileAtomically(path, "data");

    ASSERT_TRUE(status.has_value());
    EXPECT_NE(status->text.find(path), std::string::npos);
    EXPECT_FALSE(FileExists(path));
}

TEST(ReadWholeFile, NamesAFileThatCannotBeOpened)
{
    const auto result = ReadWholeFile("/nonexistent/file.ran");

    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().title, "Input error!");
}

TEST(ReadWholeFile, ReadsEveryByteAndRefusesAFolder)
{
    tesmor::test::TempDir dir;
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    tesmor::test::WriteBytes(dir.file("data.bin"), bytes);

    const auto result = ReadWholeFile(dir.file("data.bin"));
    const auto folder = ReadWholeFile(dir.path().string());

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(*result, bytes);
    EXPECT_FALSE(folder.ok());
}
