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

using Reader = model::Result<DataImport> (*)(std::string_view, std::string_view, model::Records&,
                                             int, const OrientationDefaults&);

model::Records ReadAll(Reader reader, const std::string& bytes, const std::string& path)
{
    model::Records loaded;
    const model::Result<DataImport> result = reader(bytes, path, loaded, 1, Defaults);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().text);
    if (result.ok()) {
        EXPECT_EQ(result->Count, static_cast<int>(loaded.size()));
        EXPECT_FALSE(result->Notice.has_value());
    }
    return loaded;
}

TEST(ProReader, ReadsAPlainBlockAndTakesTheTensorOfAGeographPair)
{
    const model::Records r = ReadAll(ReadProText, DataBytes("two_blocks.pro"), "/d/two.pro");

    ASSERT_EQ(r.size(), 2u);
    const model::SpecimenRecord& a = r[0];
    EXPECT_EQ(std::tuple(a.Name, a.Index, a.Instrument, a.Field, a.NormFactor, a.Site),
              std::tuple("AB12", 1, "TRB2/3", 423.0f, 300.3f, ""));
    EXPECT_EQ(std::tuple(a.Code1, a.Code2, a.P1, a.P2, a.P3, a.P4),
              std::tuple("FL", "00", 12, 0, 12, 90));
    // P4 = 90: the stored plane angle is the strike.
    EXPECT_EQ(std::tuple(a.F1Strike, a.F1Dec, a.F1Inc, a.L1Dec), std::tuple(120, 210, 35, 200));
    EXPECT_EQ(std::tuple(a.K11, a.K12, a.K13), std::tuple(1.01f, 0.002f, 0.003f));
    EXPECT_FLOAT_EQ(a.Km, 300.3f);
    const model::SpecimenRecord& b = r[1];
    EXPECT_EQ(std::tuple(b.Name, b.K11, b.K33, b.K12, b.K13),
              std::tuple("CD-7", 1.03f, 0.99f, 0.01f, -0.03f));
    EXPECT_EQ(std::tuple(b.Instrument, b.Field, b.Freq, b.Code1, b.Code2),
              std::tuple("QSM", 200.0f, "F3", "LS", "FS"));
    EXPECT_EQ(std::tuple(b.F2Dec, b.F2Strike, b.P1, b.P4), std::tuple(10, 280, 6, 0));
}

TEST(ProReader, OrientationLineRightAfterGeographEndsTheScanWithoutTouchingTheTensor)
{
    const model::Records r
        = ReadAll(ReadProText, DataBytes("geograph_orientation.pro"), "/d/go.pro");

    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(std::tuple(r[0].K11, r[0].K22, r[0].K33, r[0].K12, r[0].K23, r[0].K13),
              std::tuple(1.02f, 0.99f, 0.99f, 0.004f, 0.005f, 0.006f));
    EXPECT_EQ(std::tuple(r[0].P1, r[0].P2, r[0].P3, r[0].P4), std::tuple(6, 90, 6, 0));
}

TEST(ProReader, ShortTokensGiveZerosAndEmptyCodesAndLongParametersAreCutToThreeCharacters)
{
    std::vector<std::string> lines = Lines(DataBytes("two_blocks.pro"));
    lines[13] = "  x  ";
    lines[44] = " ORIENTATION PARAMETERS P1-P4 1234 -56 x 90";

    const model::Records r = ReadAll(ReadProText, Join(lines, lines.size()), "/d/x.pro");

    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(std::tuple(r[0].Code1, r[0].Code2, r[0].F1Strike, r[0].L1Dec),
              std::tuple("00", "00", 0, 0));
    EXPECT_EQ(std::tuple(r[0].P1, r[0].P2, r[0].P3), std::tuple(123, -56, 0));
}

TEST(ApgReader, ReadsBlocksAndRemovesFormFeedsFromTheName)
{
    const model::Records r = ReadAll(ReadApgText, DataBytes("two_blocks.apg"), "/d/two.apg");

    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(std::tuple(r[0].Name, r[0].Instrument, r[0].Field, r[0].Code1, r[0].F1Dec, r[0].F1Inc,
                         r[0].P1),
              std::tuple("EF9", "TRB4", 300, "LL", 300, 80, 12));
    EXPECT_EQ(
        std::tuple(r[1].Name, r[1].Code2, r[1].P2, r[1].P4, r[1].F1Strike, r[1].F1Dec, r[1].K12),
        std::tuple("GH10", "LX", 90, 90, 90, 180, -0.001f));
}

TEST(AscReader, SplitsPairTokensAndTakesTheDefaultOrientationParameters)
{
    const model::Records r = ReadAll(ReadAscText, DataBytes("two_blocks.asc"), "/d/two.asc");

    ASSERT_EQ(r.size(), 2u);
    const model::SpecimenRecord& a = r[0];
    EXPECT_EQ(std::tuple(a.Name, a.Code1, a.F1Dec, a.F1Inc, a.L1Dec, a.L1Inc),
              std::tuple("IJ11", "FL", 120, 35, 200, 10));
    EXPECT_EQ(std::tuple(a.Code2, a.F2Dec, a.F2Inc, a.L2Inc), std::tuple("LS", 45, 60, 5));
    EXPECT_EQ(std::tuple(a.NormFactor, a.Instrument, a.P1, a.P4),
              std::tuple(300.3f, "TRB2/3", Defaults.P1, Defaults.P4));
    EXPECT_EQ(std::tuple(r[1].Name, r[1].Code1, r[1].Instrument, r[1].K13),
              std::tuple("KL12", "00", "QSM", -0.03f));
}

TEST(TextReaders, FileEndingInsideABlockKeepsTheCompleteSpecimensAndSaysHowMany)
{
    const std::vector<std::string> apg = Lines(DataBytes("two_blocks.apg"));
    const std::vector<std::string> pro = Lines(DataBytes("two_blocks.pro"));
    const std::vector<std::string> asc = Lines(DataBytes("two_blocks.asc"));
    const std::string cut = "  ends inside a specimen block!\r\nThe 1 complete specimen(s) "
                            "before it were read.";
    struct Case
    {
        Reader reader;
        std::string bytes, path;
        std::size_t count;
        std::string notice;
    };
    const Case cases[] = {
        {ReadApgText, Join(apg, 51 + 30), "/d/Cut.apg", 1, "File  /d/Cut.apg" + cut},
        // The ".pro" scan for "GEOGRAPH" meets the end of the file.
        {ReadProText, Join(pro, 47 + 43), "/d/cut.pro", 1, "File  /d/cut.pro" + cut},
        // Missing skipped lines at the end do not lose the last specimen.
        {ReadAscText, Join(asc, 53 + 50), "/d/short.asc", 2, ""},
        {ReadApgText, DataBytes("two_blocks.apg") + "\r\n  \r\n\f\r\n", "/d/tail.apg", 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        model::Records loaded;

        const model::Result<DataImport> result = c.reader(c.bytes, c.path, loaded, 1, Defaults);

        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result->Count, static_cast<int>(c.count));
        EXPECT_EQ(loaded.size(), c.count);
        EXPECT_EQ(result->Notice.has_value(), !c.notice.empty());
        if (result->Notice) {
            EXPECT_EQ(
                *result->Notice,
                (model::UserMessage {c.notice, "Input error!", model::MessageIcon::Exclamation}));
        }
    }
}

TEST(TextReaders, RefuseBadFilesWithAMessageAndChangeNothing)
{
    // A value beyond the float range, one beyond the double range, a product (Km) beyond the
    // float range, a field code beyond it.
    const std::vector<std::string> apg = Lines(DataBytes("two_blocks.apg"));
    const auto patched = [&](std::size_t line, const std::string& text) {
        std::vector<std::string> lines = apg;
        lines[line] = text;
        return Join(lines, lines.size());
    };
    const std::string damaged = "File  /d/inf.apg  is damaged: specimen EF9 (block 1) has a ";
    const std::string tensor
        = damaged + "susceptibility scale or tensor that is not a finite number.";
    struct Case
    {
        Reader reader;
        std::string bytes, path;
        std::size_t loaded;
        std::string text;
        bool exact;
    };
    const Case cases[] = {
        {ReadProText, "", "/d/e.pro", 0, "File  /d/e.pro  is empty!", true},
        {ReadAscText, Join(Lines(DataBytes("two_blocks.asc")), 20), "/d/cut.asc", 3,
         "File  /d/cut.asc  ends inside a specimen block!\r\nNo complete specimen was read.", true},
        // More records than 16-bit numbers can count, over all files opened together.
        {ReadProText, DataBytes("two_blocks.pro"), "/d/two.pro", 32766, "32768", false},
        {ReadApgText, patched(44, "SPECIMEN K11 K22 K33 : 1e99 1 1"), "/d/inf.apg", 0, tensor,
         true},
        {ReadApgText, patched(44, "SPECIMEN K11 K22 K33 : 1e400 1 1"), "/d/inf.apg", 0, tensor,
         true},
        {ReadApgText, patched(28, "212.8 3e38"), "/d/inf.apg", 0, tensor, true},
        {ReadApgText, patched(28, "1e39 1500"), "/d/inf.apg", 0,
         damaged + "field code that is not a finite number.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        model::Records loaded(c.loaded);

        const model::Result<DataImport> result
            = c.reader(c.bytes, c.path, loaded, static_cast<int>(c.loaded) + 1, Defaults);

        ASSERT_FALSE(result.ok());
        EXPECT_NE(result.error().text.find(c.text), std::string::npos) << result.error().text;
        if (c.exact) {
            EXPECT_EQ(result.error().text, c.text);
        }
        EXPECT_EQ(result.error().title, "Input error!");
        EXPECT_EQ(result.error().icon, model::MessageIcon::Critical);
        EXPECT_EQ(loaded.size(), c.loaded);
    }
}

TEST(TextReaders, AppendsAtTheStartIndexAndNumbersTheRecords)
{
    model::Records loaded(3);
    loaded[0].Name = "KEEP";

    const model::Result<DataImport> result
        = ReadAscText(DataBytes("two_blocks.asc"), "/d/two.asc", loaded, 2, Defaults);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Count, 2);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(std::tuple(loaded[0].Name, loaded[1].Name, loaded[1].Index, loaded[2].Index),
              std::tuple("KEEP", "IJ11", 2, 3));
}

TEST(TextReaders, FileReaderChoosesTheLayoutByFileKind)
{
    model::Records loaded;

    const model::Result<DataImport> result
        = ReadTextDataFile(DataFile("two_blocks.pro"), model::FileKind::Pro, loaded, 1, Defaults);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Count, 2);
    EXPECT_EQ(loaded[1].Name, "CD-7");
}

} // namespace
} // namespace tesmor::formats
