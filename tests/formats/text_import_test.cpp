#include "formats/text_import.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::formats {
namespace {

const OrientationDefaults Defaults {7, 8, 9, 0};

std::string DataFile(const std::string& name)
{
    return (test::SourceDir() / "tests" / "data" / "formats" / name).string();
}

std::string DataBytes(const std::string& name)
{
    return test::ReadBytes(DataFile(name));
}

// The lines of a CR LF file, and back.
std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

std::string Join(const std::vector<std::string>& lines, std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i)
        out += lines[i] + "\r\n";
    return out;
}

using Reader = model::Result<TextImport> (*)(std::string_view, std::string_view, model::Records&,
                                             int, const OrientationDefaults&);

model::Records ReadAll(Reader reader, const std::string& bytes, const std::string& path)
{
    model::Records loaded;
    const model::Result<TextImport> result = reader(bytes, path, loaded, 1, Defaults);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().text);
    if (result.ok()) {
        EXPECT_EQ(result->Count, static_cast<int>(loaded.size()));
        EXPECT_FALSE(result->Notice.has_value());
    }
    return loaded;
}

TEST(ProReader, ReadsEveryFieldOfAPlainBlock)
{
    const model::Records r = ReadAll(ReadProText, DataBytes("two_blocks.pro"), "/d/two.pro");

    ASSERT_EQ(r.size(), 2u);
    const model::SpecimenRecord& a = r[0];
    EXPECT_EQ(a.Name, "AB12");
    EXPECT_EQ(a.Index, 1);
    EXPECT_EQ(a.Instrument, "TRB2/3");
    EXPECT_FLOAT_EQ(a.Field, 423);
    EXPECT_FLOAT_EQ(a.NormFactor, 300.3f);
    EXPECT_EQ(a.Code1, "FL");
    EXPECT_EQ(a.Code2, "00");
    EXPECT_EQ(a.P1, 12);
    EXPECT_EQ(a.P2, 0);
    EXPECT_EQ(a.P3, 12);
    EXPECT_EQ(a.P4, 90);
    // P4 = 90: the stored plane angle is the strike.
    EXPECT_FLOAT_EQ(a.F1Strike, 120);
    EXPECT_FLOAT_EQ(a.F1Dec, 210);
    EXPECT_FLOAT_EQ(a.F1Inc, 35);
    EXPECT_FLOAT_EQ(a.L1Dec, 200);
    EXPECT_FLOAT_EQ(a.K11, 1.01f);
    EXPECT_FLOAT_EQ(a.K12, 0.002f);
    EXPECT_FLOAT_EQ(a.K13, 0.003f);
    EXPECT_FLOAT_EQ(a.Km, 300.3f);
    EXPECT_TRUE(a.Site.empty());
}

TEST(ProReader, GeographLinesReplaceTheTensorOfLines39And40)
{
    const model::Records r = ReadAll(ReadProText, DataBytes("two_blocks.pro"), "/d/two.pro");

    ASSERT_EQ(r.size(), 2u);
    const model::SpecimenRecord& b = r[1];
    EXPECT_EQ(b.Name, "CD-7");
    EXPECT_FLOAT_EQ(b.K11, 1.03f);
    EXPECT_FLOAT_EQ(b.K33, 0.99f);
    EXPECT_FLOAT_EQ(b.K12, 0.01f);
    EXPECT_FLOAT_EQ(b.K13, -0.03f);
    EXPECT_EQ(b.Instrument, "QSM");
    EXPECT_FLOAT_EQ(b.Field, 200);
    EXPECT_EQ(b.Freq, "F3");
    EXPECT_EQ(b.Code1, "LS");
    EXPECT_EQ(b.Code2, "FS");
    EXPECT_FLOAT_EQ(b.F2Dec, 10);
    EXPECT_FLOAT_EQ(b.F2Strike, 280);
    EXPECT_EQ(b.P1, 6);
    EXPECT_EQ(b.P4, 0);
}

TEST(ProReader, OrientationLineRightAfterGeographEndsTheScanWithoutTouchingTheTensor)
{
    const model::Records r
        = ReadAll(ReadProText, DataBytes("geograph_orientation.pro"), "/d/go.pro");

    ASSERT_EQ(r.size(), 1u);
    EXPECT_FLOAT_EQ(r[0].K11, 1.02f);
    EXPECT_FLOAT_EQ(r[0].K22, 0.99f);
    EXPECT_FLOAT_EQ(r[0].K33, 0.99f);
    EXPECT_FLOAT_EQ(r[0].K12, 0.004f);
    EXPECT_FLOAT_EQ(r[0].K23, 0.005f);
    EXPECT_FLOAT_EQ(r[0].K13, 0.006f);
    EXPECT_EQ(r[0].P1, 6);
    EXPECT_EQ(r[0].P2, 90);
    EXPECT_EQ(r[0].P3, 6);
    EXPECT_EQ(r[0].P4, 0);
}

TEST(ProReader, SingleCharacterTokenLineGivesZerosAndEmptyCodes)
{
    std::vector<std::string> lines = Lines(DataBytes("two_blocks.pro"));
    lines[13] = "  x  ";

    const model::Records r = ReadAll(ReadProText, Join(lines, lines.size()), "/d/x.pro");

    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Code1, "00");
    EXPECT_EQ(r[0].Code2, "00");
    EXPECT_FLOAT_EQ(r[0].F1Strike, 0);
    EXPECT_FLOAT_EQ(r[0].L1Dec, 0);
}

TEST(ProReader, LongOrientationParameterIsCutToThreeCharacters)
{
    std::vector<std::string> lines = Lines(DataBytes("two_blocks.pro"));
    lines[44] = " ORIENTATION PARAMETERS P1-P4 1234 -56 x 90";

    const model::Records r = ReadAll(ReadProText, Join(lines, lines.size()), "/d/x.pro");

    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].P1, 123);
    EXPECT_EQ(r[0].P2, -56);
    EXPECT_EQ(r[0].P3, 0);
}

TEST(ApgReader, ReadsBlocksAndRemovesFormFeedsFromTheName)
{
    const model::Records r = ReadAll(ReadApgText, DataBytes("two_blocks.apg"), "/d/two.apg");

    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].Name, "EF9");
    EXPECT_EQ(r[0].Instrument, "TRB4");
    EXPECT_FLOAT_EQ(r[0].Field, 300);
    EXPECT_EQ(r[0].Code1, "LL");
    EXPECT_FLOAT_EQ(r[0].F1Dec, 300);
    EXPECT_FLOAT_EQ(r[0].F1Inc, 80);
    EXPECT_EQ(r[0].P1, 12);
    EXPECT_EQ(r[1].Name, "GH10");
    EXPECT_EQ(r[1].Code2, "LX");
    EXPECT_EQ(r[1].P2, 90);
    EXPECT_EQ(r[1].P4, 90);
    EXPECT_FLOAT_EQ(r[1].F1Strike, 90);
    EXPECT_FLOAT_EQ(r[1].F1Dec, 180);
    EXPECT_FLOAT_EQ(r[1].K12, -0.001f);
}

TEST(AscReader, SplitsPairTokensAndTakesTheDefaultOrientationParameters)
{
    const model::Records r = ReadAll(ReadAscText, DataBytes("two_blocks.asc"), "/d/two.asc");

    ASSERT_EQ(r.size(), 2u);
    const model::SpecimenRecord& a = r[0];
    EXPECT_EQ(a.Name, "IJ11");
    EXPECT_EQ(a.Code1, "FL");
    EXPECT_FLOAT_EQ(a.F1Dec, 120);
    EXPECT_FLOAT_EQ(a.F1Inc, 35);
    EXPECT_FLOAT_EQ(a.L1Dec, 200);
    EXPECT_FLOAT_EQ(a.L1Inc, 10);
    EXPECT_EQ(a.Code2, "LS");
    EXPECT_FLOAT_EQ(a.F2Dec, 45);
    EXPECT_FLOAT_EQ(a.F2Inc, 60);
    EXPECT_FLOAT_EQ(a.L2Inc, 5);
    EXPECT_FLOAT_EQ(a.NormFactor, 300.3f);
    EXPECT_EQ(a.Instrument, "TRB2/3");
    EXPECT_EQ(a.P1, Defaults.P1);
    EXPECT_EQ(a.P4, Defaults.P4);
    EXPECT_EQ(r[1].Name, "KL12");
    EXPECT_EQ(r[1].Code1, "00");
    EXPECT_EQ(r[1].Instrument, "QSM");
    EXPECT_FLOAT_EQ(r[1].K13, -0.03f);
}

TEST(TextReaders, FileEndingInsideABlockKeepsTheCompleteSpecimensAndSaysHowMany)
{
    const std::vector<std::string> lines = Lines(DataBytes("two_blocks.apg"));
    model::Records loaded;

    const model::Result<TextImport> result
        = ReadApgText(Join(lines, 51 + 30), "/d/cut.apg", loaded, 1, Defaults);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Count, 1);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].Name, "EF9");
    ASSERT_TRUE(result->Notice.has_value());
    EXPECT_EQ(result->Notice->text,
              "File  /D/CUT.APG  ends inside a specimen block!\r\nThe 1 complete specimen(s) "
              "before it were read.");
    EXPECT_EQ(result->Notice->icon, model::MessageIcon::Exclamation);
}

TEST(TextReaders, ProScanThatMeetsTheEndOfTheFileDropsThePartialBlock)
{
    const std::vector<std::string> lines = Lines(DataBytes("two_blocks.pro"));
    model::Records loaded;

    const model::Result<TextImport> result
        = ReadProText(Join(lines, 47 + 43), "/d/cut.pro", loaded, 1, Defaults);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Count, 1);
    EXPECT_EQ(loaded.size(), 1u);
    EXPECT_TRUE(result->Notice.has_value());
}

TEST(TextReaders, FileEndingInsideTheFirstBlockIsRefusedAndChangesNothing)
{
    const std::vector<std::string> lines = Lines(DataBytes("two_blocks.asc"));
    model::Records loaded(3);

    const model::Result<TextImport> result
        = ReadAscText(Join(lines, 20), "/d/cut.asc", loaded, 4, Defaults);

    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().text,
              "File  /D/CUT.ASC  ends inside a specimen block!\r\nNo "
              "complete specimen was read.");
    EXPECT_EQ(result.error().title, "Input error!");
    EXPECT_EQ(loaded.size(), 3u);
}

TEST(TextReaders, MissingSkippedLinesAtTheEndDoNotLoseTheLastSpecimen)
{
    const std::vector<std::string> lines = Lines(DataBytes("two_blocks.asc"));

    const model::Records r = ReadAll(ReadAscText, Join(lines, 53 + 50), "/d/short.asc");

    EXPECT_EQ(r.size(), 2u);
}

TEST(TextReaders, BlankLinesAfterTheLastBlockAreNotASpecimen)
{
    const std::string bytes = DataBytes("two_blocks.apg") + "\r\n  \r\n\f\r\n";

    const model::Records r = ReadAll(ReadApgText, bytes, "/d/tail.apg");

    EXPECT_EQ(r.size(), 2u);
}

TEST(TextReaders, EmptyFileGivesTheInputErrorMessage)
{
    model::Records loaded;

    const model::Result<TextImport> result = ReadProText("", "/d/e.pro", loaded, 1, Defaults);

    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(),
              (model::UserMessage {"File  /D/E.PRO  is empty!", "Input error!",
                                   model::MessageIcon::Critical}));
}

TEST(TextReaders, AppendsAtTheStartIndexAndNumbersTheRecords)
{
    model::Records loaded(3);
    loaded[0].Name = "KEEP";

    const model::Result<TextImport> result
        = ReadAscText(DataBytes("two_blocks.asc"), "/d/two.asc", loaded, 2, Defaults);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Count, 2);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0].Name, "KEEP");
    EXPECT_EQ(loaded[1].Name, "IJ11");
    EXPECT_EQ(loaded[1].Index, 2);
    EXPECT_EQ(loaded[2].Index, 3);
}

TEST(TextReaders, MoreRecordsThanCanBeOpenedTogetherAreRefused)
{
    model::Records loaded(32766);

    const model::Result<TextImport> result
        = ReadProText(DataBytes("two_blocks.pro"), "/d/two.pro", loaded, 32767, Defaults);

    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().title, "Input error!");
    EXPECT_NE(result.error().text.find("32768"), std::string::npos);
    EXPECT_EQ(loaded.size(), 32766u);
}

TEST(TextReaders, InfiniteTensorComponentIsRefused)
{
    std::vector<std::string> lines = Lines(DataBytes("two_blocks.apg"));
    lines[44] = "SPEC K11 K22 K33 : 1e99 1 1";
    model::Records loaded;

    const model::Result<TextImport> result
        = ReadApgText(Join(lines, lines.size()), "/d/inf.apg", loaded, 1, Defaults);

    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().text.find("EF9"), std::string::npos);
    EXPECT_TRUE(loaded.empty());
}

TEST(TextReaders, FileReaderChoosesTheLayoutByFileKind)
{
    model::Records loaded;

    const model::Result<TextImport> result
        = ReadTextDataFile(DataFile("two_blocks.pro"), model::FileKind::Pro, loaded, 1, Defaults);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Count, 2);
    EXPECT_EQ(loaded[1].Name, "CD-7");
}

} // namespace
} // namespace tesmor::formats
