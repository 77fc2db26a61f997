#include "formats/ams_binary.h"
#include "formats/mean_record.h"
#include "support/ams_file_builder.h"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace tesmor::formats {
namespace {

using model::InputError;
using testing::AmsFileBuilder;
using testing::AmsHeaderFields;
using testing::AmsSpecimenFields;
using testing::Int16At;

const OrientationDefaults Defaults {7, 8, 9, 0};
const float NaN = std::numeric_limits<float>::quiet_NaN();

model::Records ReadBytes(const std::string& bytes, const std::string& path = "/d/site.ran")
{
    model::Records loaded;
    const model::Result<DataImport> result = ReadAmsBinary(bytes, path, loaded, 1, Defaults);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().text);
    return loaded;
}

model::SpecimenRecord ReadOne(const AmsSpecimenFields& specimen, const AmsHeaderFields& header = {},
                              const std::string& path = "/data/site.ran")
{
    const model::Records loaded
        = ReadBytes(AmsFileBuilder().Header(header).Specimen(specimen).Bytes(), path);
    return loaded.empty() ? model::SpecimenRecord {} : loaded.front();
}

// A record as a reader produces it, with both geological groups and a site name outside ASCII.
model::SpecimenRecord MakeRecord(const std::string& name, std::int16_t P4)
{
    model::SpecimenRecord r;
    std::tie(r.Name, r.FieldCode, r.NormFactor, r.Site, r.Lat, r.Lon)
        = std::tuple(name, 1300.0f, 312.5f, "Hora\xC3\xA1k", "49.85", "13.42");
    std::tie(r.Rock, r.Strat, r.Litho, r.Region, r.P1, r.P2, r.P3, r.P4)
        = std::tuple("GRAN", "CARB", "MOLD", "BOHE", 12, 0, 12, P4);
    DeriveInstrument(r, r.FieldCode, r.NormFactor, false);
    std::tie(r.Code1, r.F1Dec, r.F1Inc, r.F1Strike, r.L1Dec, r.L1Inc)
        = std::tuple("BL", 30, 25, 300, 110, 5);
    std::tie(r.Code2, r.F2Dec, r.F2Inc, r.F2Strike, r.L2Dec, r.L2Inc)
        = std::tuple("SK", 300, 70, 210, 250, 60);
    std::tie(r.K11, r.K22, r.K33, r.K12, r.K23, r.K13)
        = std::tuple(1.04f, 1.01f, 0.95f, 0.012f, -0.021f, 0.0035f);
    r.Km = r.NormFactor * (r.K11 + r.K22 + r.K33) / 3.0f;
    return r;
}

// Every field that a binary file carries (or that is derived from it while reading).
auto FileFields(const model::SpecimenRecord& r)
{
    return std::tuple(r.Name, r.FieldCode, r.NormFactor, r.Field, r.Freq, r.Instrument, r.Site,
                      r.Lat, r.Lon, r.Rock, r.Strat, r.Litho, r.Region, r.P1, r.P2, r.P3, r.P4,
                      r.Code1, r.F1Dec, r.F1Inc, r.F1Strike, r.L1Dec, r.L1Inc, r.Code2, r.F2Dec,
                      r.F2Inc, r.F2Strike, r.L2Dec, r.L2Inc, r.K11, r.K22, r.K33, r.K12, r.K23,
                      r.K13, r.Km);
}

std::string Encode(const model::Records& records, bool selectedOnly = false)
{
    model::Result<std::string> bytes = EncodeAmsBinary(records, selectedOnly);
    EXPECT_TRUE(bytes.ok()) << (bytes.ok() ? "" : bytes.error().text);
    return bytes.ok() ? *bytes : std::string();
}

// ---- reading ----

TEST(AmsBinaryRead, FieldsFollowTheirReadingRules)
{
    // Windows-1252 text (\212 is S-caron, \341 a-acute), blanks in the name, negative angles.
    const model::SpecimenRecord r = ReadOne({.Name = " \2121 2 ", .Group2 = {359, 89, -1, -90}},
                                            {.Site = "  Hora\341k ", .P3 = "-5"});
    const model::SpecimenRecord blankLon = ReadOne({}, {.Lat = "49.85", .Lon = " 13.42"});
    const model::SpecimenRecord p = ReadOne({}, {.P1 = "ab", .P2 = "", .P3 = "1-2", .P4 = "+"});

    EXPECT_EQ(std::tuple(r.Name, r.Site, r.P3), std::tuple("\305\24012", "Hora\303\241k", -5));
    EXPECT_EQ(std::tuple(r.F2Dec, r.F2Strike, r.F2Inc, r.L2Dec, r.L2Inc),
              std::tuple(359, 269, 89, -1, -90));
    EXPECT_EQ(ReadOne({}, {.Site = std::string("HILL\0JUNK", 9)}).Site, "HILL");
    EXPECT_EQ(std::tuple(blankLon.Lat, blankLon.Lon), std::tuple("", ""));
    EXPECT_EQ(std::tuple(p.P1, p.P2, p.P3, p.P4), std::tuple(7, 8, 9, 0));
}

// Codes are Windows-1252 letters: upper-cased beyond ASCII too and written back as the same
// bytes; a code whose first byte is below "0" is no group.
TEST(AmsBinaryRead, GroupCodesAreWindowsLettersBothWays)
{
    const std::tuple<const char*, const char*, char, char, const char*> cases[] = {
        {"\351b", "\303\211B", '\311', 'B', "\311B"}, // e-acute
        {"\232\377", "\305\240\305\270", '\212', '\237', "\212\237"}, // s-caron, y-diaeresis
        {"-B", "00", '0', '0', "00"},
        {" S", "00", '0', '0', "00"},
    };
    for (const auto& [bytes, code, letterA, letterB, written] : cases) {
        SCOPED_TRACE(bytes);
        const model::SpecimenRecord r = ReadOne({.Code1 = bytes});

        EXPECT_EQ(std::tuple(r.Code1, r.Code1A, r.Code1B), std::tuple(code, letterA, letterB));
        EXPECT_EQ(Encode({r}).substr(64 + 44, 2), written);
    }
}

TEST(AmsBinaryInstrument, FollowsTheCodeScaleAndExtensionRules)
{
    // Field code, scale, path; instrument, field, frequency.
    const std::tuple<float, float, const char*, const char*, float, const char*> cases[] = {
        {300.0f, 300.3f, "s.ran", "TRB2/3", 423.0f, "F1"}, // code equal to scale
        {212.8f, 1500.0f, "s.ran", "TRB4", 300.0f, "F1"}, // field = code * 1.41
        {3200.0f, 250.0f, "s.ran", "QSM", 200.0f, "F3"}, // frequency digit, field digits
        {21250.0f, 250.0f, "s.asp", "QSM", 250.0f, "F2"}, // the last three digits
        {40.5f, 40.5f, "/d/S.ARE", "VX6", 40.0f, "N/A"}, // remanence; ties to even
    };
    for (const auto& [A, B, path, instrument, field, freq] : cases) {
        const model::SpecimenRecord r = ReadOne({.FieldCode = A, .NormFactor = B}, {}, path);

        EXPECT_EQ(std::tuple(r.Instrument, r.Field, r.Freq), std::tuple(instrument, field, freq))
            << A;
    }
}

// A refused file adds nothing; a file ending inside a record keeps the complete ones before it.
TEST(AmsBinaryRead, BadFilesAreRefusedOrCutWithTheirMessages)
{
    const std::string two
        = AmsFileBuilder().Specimen({.Name = "FIRST"}).Specimen({.Name = "LAST"}).Bytes();
    const std::string damaged = "File  /d/s.ran  is damaged: specimen ";
    const std::string tensor = " has a susceptibility scale or tensor that is not a finite number.";
    const auto bad = [](const AmsSpecimenFields& s) {
        return AmsFileBuilder().Specimen({}).Specimen(s).Bytes();
    };
    const std::string cut = "File  /d/s.ran  ends inside record ";
    const model::MessageIcon notice = model::MessageIcon::Exclamation;
    // File, records loaded before, records read (0: refused), message.
    const std::tuple<std::string, std::size_t, std::size_t, model::UserMessage> cases[] = {
        {"", 3, 0, {"File  /d/s.ran  is empty!", "Input error!", model::MessageIcon::Critical}},
        {std::string(96, ' '), 3, 0, {"File is empty", "Tesmor 42", model::MessageIcon::None}},
        {two.substr(0, 64 + 40), 3, 0, InputError(cut + "2!\r\nNo complete specimen was read.")},
        {bad({.Name = "NAN7", .Tensor = {1, 1, 1, 0, NaN, 0}}), 3, 0,
         InputError(damaged + "NAN7 (record 3)" + tensor)},
        {bad({.Name = "HUGE", .NormFactor = 3e38f}), 3, 0, // Km overflows
         InputError(damaged + "HUGE (record 3)" + tensor)},
        // Record numbers are 16-bit, over all files opened together.
        {two + two.substr(64, 64), 32765, 0,
         InputError("File  /d/s.ran  cannot be opened: with the records already opened there would "
                    "be 32768 records, more than the 32767 that can be opened together.")},
        // More than half of the last record is left, and a few bytes after a whole one.
        {two.substr(0, two.size() - 24), 0, 1,
         InputError(cut + "3!\r\nThe 1 complete specimen record(s) before it were read.", notice)},
        {two + std::string(10, 'x'), 0, 2,
         InputError(cut + "4!\r\nThe 2 complete specimen record(s) before it were read.", notice)},
    };
    for (const auto& [bytes, before, count, message] : cases) {
        SCOPED_TRACE(message.text);
        model::Records loaded(before);

        const model::Result<DataImport> result
            = ReadAmsBinary(bytes, "/d/s.ran", loaded, static_cast<int>(before) + 1, Defaults);

        EXPECT_EQ(loaded.size(), before + count);
        ASSERT_EQ(result.ok(), count > 0);
        EXPECT_EQ(result.ok() ? result->Notice : result.error(), message);
        if (count > 0) {
            EXPECT_EQ(std::tuple(result->Count, loaded.front().Name),
                      std::tuple(int(count), "FIRST"));
        }
    }
}

TEST(AmsBinaryRead, FilesOpenedTogetherAppendAtTheStartIndexWithTheirOwnHeaders)
{
    const AmsSpecimenFields s {.Group1 = {300, 40, 0, 0}};
    model::Records loaded(32764);
    loaded[0].Name = "KEEP";

    ASSERT_TRUE(ReadAmsBinary(AmsFileBuilder().Specimen(s).Bytes(), "a", loaded, 32765, Defaults));
    // P4 = 90: the plane angle is a strike, turned into the dip direction.
    const model::Result<DataImport> second = ReadAmsBinary(
        AmsFileBuilder().Header({.Site = "SECOND", .P4 = "90"}).Specimen(s).Specimen(s).Bytes(),
        "b", loaded, 32766, Defaults);

    ASSERT_TRUE(second.ok());
    EXPECT_EQ(std::tuple(second->Count, loaded.size(), loaded[0].Name),
              std::tuple(2, 32767u, "KEEP"));
    const model::SpecimenRecord& a = loaded[32764];
    EXPECT_EQ(std::tuple(a.Site, a.F1Strike, a.F1Dec, a.Index),
              std::tuple("SITE", 210, 300, 32765));
    const model::SpecimenRecord& b = loaded.back();
    EXPECT_EQ(std::tuple(b.Site, b.F1Strike, b.F1Dec, b.Index),
              std::tuple("SECOND", 300, 30, 32767));
}

// ---- writing ----

TEST(AmsBinaryWrite, RoundTripKeepsEveryFieldOfTheFileInBothPlaneConventions)
{
    for (const std::int16_t P4 : {0, 90}) {
        model::Records records = {MakeRecord("A1", P4), MakeRecord("A2", P4)};
        std::tie(records[1].Code2, records[1].F2Dec, records[1].F2Strike) = std::tuple("00", 90, 0);

        const model::Records back = ReadBytes(Encode(records));

        ASSERT_EQ(back.size(), 2u);
        EXPECT_EQ(FileFields(back[0]), FileFields(records[0])) << P4;
        EXPECT_EQ(FileFields(back[1]), FileFields(records[1])) << P4;
    }
}

TEST(AmsBinaryWrite, SavesOnlySelectedRecordsWithTheHeaderOfTheFirstRecord)
{
    model::Records records = {MakeRecord("A1", 0), MakeRecord("A2", 0), MakeRecord("A3", 0)};
    const std::string none = Encode(records, true);
    records[1].Site = "OTHER";
    records[1].Selected = records[2].Selected = true;

    const std::string bytes = Encode(records, true);

    const model::Records back = ReadBytes(bytes);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(std::tuple(back[0].Name, back[1].Name, back[0].Site),
              std::tuple("A2", "A3", records[0].Site));
    EXPECT_EQ(Int16At(bytes, 0), 4);
    // Nothing selected: a header alone, counting 2.
    EXPECT_EQ(std::tuple(none.size(), Int16At(none, 0)), std::tuple(64u, 2));
}

TEST(AmsBinaryWrite, FieldsStandAtTheirOffsetsAnglesRoundTiesToEvenNamesAreCut)
{
    model::SpecimenRecord r = MakeRecord("ABCDEFGHIJKLMNOP", 90);
    std::tie(r.Site, r.P2) = std::tuple("BOHEM1", -5);
    std::tie(r.F1Strike, r.F1Inc, r.L1Dec) = std::tuple(120.5f, 21.5f, -2.5f);

    const std::string bytes = Encode({r});

    // Site at 2, latitude at 18, longitude at 25, the four copies at 32, P1-P4 at 48.
    EXPECT_EQ(bytes.substr(2, 58), "BOHEM1          49.85  13.42  GRANCARBMOLDBOHE12 -5 12 90 ");
    EXPECT_EQ(bytes.substr(64, 12), "ABCDEFGHIJKL");
    EXPECT_EQ(std::tuple(Int16At(bytes, 110), Int16At(bytes, 112), Int16At(bytes, 114)),
              std::tuple(120, 22, -2));
}

TEST(AmsBinaryWrite, RefusesMoreRecordsThanAFileCanCountAndNumbersThatDoNotFit)
{
    const model::Result<std::string> tooMany
        = EncodeAmsBinary(model::Records(32766, MakeRecord("A", 0)), false);
    ASSERT_FALSE(tooMany.ok());
    EXPECT_NE(tooMany.error().text.find("32765"), std::string::npos);

    model::SpecimenRecord wideP = MakeRecord("A1", 0), large = wideP, nan = wideP;
    std::tie(wideP.P3, large.L2Inc, nan.F1Inc) = std::tuple(-100, 40000.0f, NaN);
    for (const auto& [record, field] :
         {std::pair(wideP, "P3"), std::pair(large, "L2Inc"), std::pair(nan, "F1Inc")}) {
        const model::Result<std::string> result = EncodeAmsBinary({record}, false);
        ASSERT_FALSE(result.ok()) << field;
        EXPECT_NE(result.error().text.find(field), std::string::npos);
    }
}

// ---- mean-direction records ----

math::GroupStatistics MeanStatistics()
{
    math::GroupStatistics s;
    std::tie(s.N, s.Tenvar, s.Kaver) = std::tuple(5, true, 412.5f);
    s.M.e = {1.03f, 0.01f, 0.005f, 0.01f, 0.99f, -0.02f, 0.005f, -0.02f, 0.98f};
    return s;
}

TEST(MeanRecord, AppendedAfterThreeSpecimensIsRecordFiveWithTheMeanTensor)
{
    const std::string three
        = Encode({MakeRecord("A1", 0), MakeRecord("A2", 0), MakeRecord("A3", 0)});

    const model::Result<MeanRecordFile> file
        = AddMeanRecord(three, true, "MEAN1", {MakeRecord("X1", 0)}, MeanStatistics());

    // The header of the first active record, site "MeanDirections", no latitude or longitude.
    AmsSpecimenFields mean {.Name = "MEAN1", .NormFactor = 412.5f, .Code1 = "00", .Group1 = {}};
    mean.Tensor = {1.03f, 0.99f, 0.98f, 0.01f, -0.02f, 0.005f};
    const std::string expected = AmsFileBuilder()
                                     .Header({.Site = "MeanDirections", .Lat = "", .Lon = ""})
                                     .Specimen(mean)
                                     .Bytes();
    ASSERT_TRUE(file.ok()) << file.error().text;
    EXPECT_EQ(std::tuple(file->RecordNumber, Int16At(file->Bytes, 0)), std::tuple(5, 6));
    EXPECT_EQ(file->Bytes.substr(2, 62), expected.substr(2, 62));
    EXPECT_EQ(file->Bytes.substr(64), three.substr(64) + expected.substr(64));
}

TEST(MeanRecord, TargetFollowsTheAppendFlagAndTheLengthOver64PlusOneTiesToEven)
{
    // Length of the existing file, append flag; record number of the mean (0: refused).
    const std::tuple<std::size_t, bool, int> cases[] = {
        {4 * 64, false, 2}, // started afresh
        {4 * 64 + 20, true, 5}, // a partial record is cut
        {3 * 64 + 32, true, 4}, // 4.5 rounds to 4
        {4 * 64 + 32, true, 6}, // 5.5 rounds to 6
        {(model::MaxRecordsPerFile + 1) * 64, true, 0},
    };
    for (const auto& [length, append, target] : cases) {
        SCOPED_TRACE(length);
        const model::Result<MeanRecordFile> file = AddMeanRecord(
            std::string(length, 'x'), append, "M", {MakeRecord("X1", 0)}, MeanStatistics());

        ASSERT_EQ(file.ok(), target != 0);
        if (file.ok()) {
            EXPECT_EQ(std::tuple(file->RecordNumber, file->Bytes.size(), Int16At(file->Bytes, 0)),
                      std::tuple(target, target * 64u, target + 1));
        }
    }
}

} // namespace
} // namespace tesmor::formats
