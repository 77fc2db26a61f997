#include "formats/text_import.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <map>

namespace tesmor::formats {
namespace {

const OrientationDefaults Defaults {7, 8, 9, 0};

std::string DataBytes(const std::string& name)
{
    return test::ReadBytes((test::SourceDir() / "tests" / "data" / "formats" / name).string());
}

// The first `count` lines of a CR LF file (all when 0), with lines (from 0) replaced.
std::string Lines(const std::string& name, std::size_t count = 0,
                  const std::map<std::size_t, std::string>& patches = {})
{
    const std::string bytes = DataBytes(name);
    std::string out;
    std::size_t start = 0;
    std::size_t end = bytes.find("\r\n");
    for (std::size_t i = 0; end != std::string::npos && (count == 0 || i < count); ++i) {
        const auto patch = patches.find(i);
        out += (patch != patches.end() ? patch->second : bytes.substr(start, end - start)) + "\r\n";
        start = end + 2;
        end = bytes.find("\r\n", start);
    }
    return out;
}

using Reader = model::Result<DataImport> (*)(std::string_view, std::string_view, model::Records&,
                                             int, const OrientationDefaults&);

model::Records ReadAll(Reader reader, const std::string& bytes, const std::string& path)
{
    model::Records loaded;
    const model::Result<DataImport> result = reader(bytes, path, loaded, 1, Defaults);
    EXPECT_TRUE(result.ok() && result->Count == int(loaded.size()) && !result->Notice);
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

// An orientation line right after a "GEOGRAPH" line ends the scan and keeps the plain tensor.
// Tokens of a line of one character are empty; parameters are cut to three characters.
TEST(ProReader, OrientationAfterGeographShortTokensAndLongParameters)
{
    const model::Records g
        = ReadAll(ReadProText, DataBytes("geograph_orientation.pro"), "/d/go.pro");
    const model::Records r
        = ReadAll(ReadProText,
                  Lines("two_blocks.pro", 0,
                        {{13, "  x  "}, {44, " ORIENTATION PARAMETERS P1-P4 1234 -56 x 90"}}),
                  "/d/x.pro");

    ASSERT_EQ(std::tuple(g.size(), r.size()), std::tuple(1u, 2u));
    EXPECT_EQ(std::tuple(g[0].K11, g[0].K22, g[0].K33, g[0].K12, g[0].K23, g[0].K13),
              std::tuple(1.02f, 0.99f, 0.99f, 0.004f, 0.005f, 0.006f));
    EXPECT_EQ(std::tuple(g[0].P1, g[0].P2, g[0].P3, g[0].P4), std::tuple(6, 90, 6, 0));
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

TEST(AscReader, SplitsPairTokensTakesTheDefaultParametersAndAppendsAtTheStartIndex)
{
    model::Records r(3);
    r[0].Name = "KEEP";

    const model::Result<DataImport> result
        = ReadAscText(DataBytes("two_blocks.asc"), "/d/two.asc", r, 2, Defaults);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Count, 2);
    ASSERT_EQ(r.size(), 3u);
    const model::SpecimenRecord& a = r[1];
    EXPECT_EQ(std::tuple(r[0].Name, a.Index, r[2].Index), std::tuple("KEEP", 2, 3));
    EXPECT_EQ(std::tuple(a.Name, a.Code1, a.F1Dec, a.F1Inc, a.L1Dec, a.L1Inc),
              std::tuple("IJ11", "FL", 120, 35, 200, 10));
    EXPECT_EQ(std::tuple(a.Code2, a.F2Dec, a.F2Inc, a.L2Inc), std::tuple("LS", 45, 60, 5));
    EXPECT_EQ(std::tuple(a.NormFactor, a.Instrument, a.P1, a.P4),
              std::tuple(300.3f, "TRB2/3", 7, 0));
    EXPECT_EQ(std::tuple(r[2].Name, r[2].Code1, r[2].Instrument, r[2].K13),
              std::tuple("KL12", "00", "QSM", -0.03f));
}

// A refused file changes nothing; a file ending inside a block keeps the complete ones before it.
TEST(TextReaders, BadFilesAreRefusedOrCutWithTheirMessages)
{
    const auto apg = [](std::size_t line, const char* text) {
        return Lines("two_blocks.apg", 0, {{line, text}});
    };
    const std::string damaged = "File  /d/f  is damaged: specimen EF9 (block 1) has a ";
    const std::string tensor
        = damaged + "susceptibility scale or tensor that is not a finite number.";
    const std::string cut = "File  /d/f  ends inside a specimen block!\r\n";
    const std::string one = cut + "The 1 complete specimen(s) before it were read.";
    // Reader, file, records loaded before, records read (0: refused), message.
    const std::tuple<Reader, std::string, std::size_t, std::size_t, std::string> cases[] = {
        {ReadProText, "", 0, 0, "File  /d/f  is empty!"},
        {ReadAscText, Lines("two_blocks.asc", 20), 3, 0, cut + "No complete specimen was read."},
        // More records than 16-bit numbers can count, over all files opened together.
        {ReadProText, DataBytes("two_blocks.pro"), 32766, 0,
         "File  /d/f  cannot be opened: with the records already opened there would be 32768 "
         "records, more than the 32767 that can be opened together."},
        // A value beyond the float range, one beyond the double range, a product (Km) beyond the
        // float range, a field code beyond it.
        {ReadApgText, apg(44, "SPECIMEN K11 K22 K33 : 1e99 1 1"), 0, 0, tensor},
        {ReadApgText, apg(44, "SPECIMEN K11 K22 K33 : 1e400 1 1"), 0, 0, tensor},
        {ReadApgText, apg(28, "212.8 3e38"), 0, 0, tensor},
        {ReadApgText, apg(28, "1e39 1500"), 0, 0,
         damaged + "field code that is not a finite number."},
        {ReadApgText, Lines("two_blocks.apg", 51 + 30), 0, 1, one},
        // The ".pro" scan for "GEOGRAPH" meets the end of the file.
        {ReadProText, Lines("two_blocks.pro", 47 + 43), 0, 1, one},
        // Missing skipped lines or blank lines at the end do not lose the last specimen.
        {ReadAscText, Lines("two_blocks.asc", 53 + 50), 0, 2, ""},
        {ReadApgText, DataBytes("two_blocks.apg") + "\r\n  \r\n\f\r\n", 0, 2, ""},
    };
    for (const auto& [reader, bytes, before, count, text] : cases) {
        SCOPED_TRACE(text);
        model::Records loaded(before);

        const model::Result<DataImport> result
            = reader(bytes, "/d/f", loaded, static_cast<int>(before) + 1, Defaults);

        EXPECT_EQ(loaded.size(), before + count);
        ASSERT_EQ(result.ok(), count > 0);
        if (!result.ok()) {
            EXPECT_EQ(result.error(), model::InputError(text));
        } else if (text.empty()) {
            EXPECT_FALSE(result->Notice);
        } else {
            EXPECT_EQ(result->Notice, model::InputError(text, model::MessageIcon::Exclamation));
        }
    }
}

} // namespace
} // namespace tesmor::formats
