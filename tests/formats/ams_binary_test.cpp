#include "formats/ams_binary.h"
#include "model/file_io.h"
#include "support/ams_file_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <limits>
#include <tuple>

namespace tesmor::formats {
namespace {

using testing::AmsFileBuilder;
using testing::AmsHeaderFields;
using testing::AmsSpecimenFields;

const OrientationDefaults Defaults {7, 8, 9, 0};

model::Records ReadBytes(const std::string& bytes, const std::string& path = "/data/site.ran")
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

TEST(AmsBinaryRead, ReadsHeaderCopiesAndSpecimenFieldsConvertingTheText)
{
    // Raw Windows-1252 text (0x8A is a caron S), blanks in the name, a lower-case code.
    AmsSpecimenFields s;
    std::tie(s.Name, s.NormFactor, s.Code1, s.Code2)
        = std::tuple(std::string(" \x8A") + "1 2 ", 312.5f, "bl", "SK");
    s.Tensor = {1.04f, 1.01f, 0.95f, 0.012f, -0.021f, 0.0035f};
    s.Group1 = {30, 25, 110, 5};
    s.Group2 = {359, 89, -1, -90};
    model::SpecimenRecord expected = MakeRecord(std::string("\xC5\xA0") + "12", 0);
    expected.P3 = -5;
    std::tie(expected.F2Dec, expected.F2Inc, expected.F2Strike, expected.L2Dec, expected.L2Inc)
        = std::tuple(359, 89, 269, -1, -90);

    const model::Records loaded = ReadBytes(AmsFileBuilder()
                                                .Header({.Site = "  Hora\xE1k ", .P3 = "-5"})
                                                .Specimen({})
                                                .Specimen(s)
                                                .Bytes());

    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(FileFields(loaded[1]), FileFields(expected));
    EXPECT_EQ(loaded[1].Index, 2);
}

TEST(AmsBinaryRead, HeaderAndGroupFieldsFollowTheirReadingRules)
{
    const model::SpecimenRecord strike = ReadOne({.Group1 = {300, 40, 0, 0}}, {.P4 = "90"});
    const model::SpecimenRecord blankLon = ReadOne({}, {.Lat = "49.85", .Lon = " 13.42"});
    const model::SpecimenRecord p = ReadOne({}, {.P1 = "ab", .P2 = "", .P3 = "1-2", .P4 = "+"});
    const model::SpecimenRecord codes = ReadOne({.Code1 = "-B", .Code2 = " S"});

    // P4 = 90: the plane angle is a strike, turned into the dip direction.
    EXPECT_EQ(std::tuple(strike.F1Strike, strike.F1Dec), std::tuple(300, 30));
    EXPECT_EQ(ReadOne({}, {.Site = std::string("HILL\0JUNK", 9)}).Site, "HILL");
    EXPECT_EQ(std::tuple(blankLon.Lat, blankLon.Lon), std::tuple("", ""));
    EXPECT_EQ(std::tuple(p.P1, p.P2, p.P3, p.P4),
              std::tuple(Defaults.P1, Defaults.P2, Defaults.P3, Defaults.P4));
    EXPECT_EQ(std::tuple(codes.Code1, codes.Code2), std::tuple("00", "00"));
}

// Codes are Windows-1252 letters: upper-cased beyond ASCII too, kept as their bytes as letters and
// written back as the same bytes.
TEST(AmsBinaryRead, GroupCodesBeyondAsciiAreWindowsLettersBothWays)
{
    const model::SpecimenRecord r = ReadOne({.Code1 = "\xE9"
                                                      "b",
                                             .Code2 = "\x9A\xFF"});

    EXPECT_EQ(std::tuple(r.Code1, r.Code1A, r.Code1B),
              std::tuple("\xC3\x89"
                         "B",
                         '\xC9', 'B'));
    EXPECT_EQ(std::tuple(r.Code2, r.Code2A, r.Code2B),
              std::tuple("\xC5\xA0\xC5\xB8", '\x8A', '\x9F'));
    const std::string bytes = Encode({r});
    EXPECT_EQ(std::tuple(bytes.substr(64 + 44, 2), bytes.substr(64 + 54, 2)),
              std::tuple("\xC9"
                         "B",
                         "\x8A\x9F"));
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

TEST(AmsBinaryRead, EmptyAndSpecimenlessFilesAreRefusedWithTheirMessages)
{
    model::Records loaded(3);

    const model::Result<DataImport> empty
        = ReadAmsBinary("", "/data/Site.ran", loaded, 4, Defaults);

    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.error(),
              (model::UserMessage {"File  /data/Site.ran  is empty!", "Input error!",
                                   model::MessageIcon::Critical}));
    for (const std::size_t size : {1u, 64u, 96u}) {
        const model::Result<DataImport> result
            = ReadAmsBinary(std::string(size, ' '), "site.ran", loaded, 4, Defaults);
        ASSERT_FALSE(result.ok()) << size;
        EXPECT_EQ(result.error(),
                  (model::UserMessage {"File is empty", "Tesmor 42", model::MessageIcon::None}));
    }
    EXPECT_EQ(loaded.size(), 3u);
}

TEST(AmsBinaryRead, FileEndingInsideARecordKeepsTheCompleteRecordsAndSaysWhichIsCut)
{
    const std::string two
        = AmsFileBuilder().Specimen({.Name = "FIRST"}).Specimen({.Name = "LAST"}).Bytes();
    const std::string cut = "  ends inside record ";
    const std::pair<std::string, std::string> cases[] = {
        // More than half of the last record is left, and a few bytes after a whole one.
        {two.substr(0, two.size() - 24),
         cut + "3!\r\nThe 1 complete specimen record(s) before it were read."},
        {two + std::string(10, 'x'),
         cut + "4!\r\nThe 2 complete specimen record(s) before it were read."},
    };
    for (const auto& [bytes, notice] : cases) {
        SCOPED_TRACE(bytes.size());
        model::Records loaded;

        const model::Result<DataImport> result
            = ReadAmsBinary(bytes, "/data/Site.ran", loaded, 1, Defaults);

        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result->Count, static_cast<int>(bytes.size() / 64 - 1));
        EXPECT_EQ(loaded.size(), bytes.size() / 64 - 1);
        EXPECT_EQ(loaded.front().Name, "FIRST");
        EXPECT_EQ(result->Notice,
                  (model::UserMessage {"File  /data/Site.ran" + notice, "Input error!",
                                       model::MessageIcon::Exclamation}));
    }
    model::Records loaded;
    const model::Result<DataImport> none
        = ReadAmsBinary(two.substr(0, 64 + 40), "/d/c.ran", loaded, 1, Defaults);
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error().text, "File  /d/c.ran" + cut + "2!\r\nNo complete specimen was read.");
    EXPECT_FALSE(ReadAmsBinary(two, "/d/c.ran", loaded, 1, Defaults)->Notice);
}

TEST(AmsBinaryRead, FilesOpenedTogetherAppendAtTheStartIndexWithTheirOwnHeaders)
{
    const AmsSpecimenFields s {.Group1 = {300, 40, 0, 0}};
    model::Records loaded(1);
    loaded[0].Name = "KEEP";

    ASSERT_TRUE(ReadAmsBinary(AmsFileBuilder().Specimen(s).Bytes(), "a.ran", loaded, 2, Defaults));
    const model::Result<DataImport> second = ReadAmsBinary(
        AmsFileBuilder().Header({.Site = "SECOND", .P4 = "90"}).Specimen(s).Specimen(s).Bytes(),
        "b.ran", loaded, 3, Defaults);

    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second->Count, 2);
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_EQ(loaded[0].Name, "KEEP");
    EXPECT_EQ(std::tuple(loaded[1].Site, loaded[1].F1Dec, loaded[1].Index),
              std::tuple("SITE", 300.0f, 2));
    EXPECT_EQ(std::tuple(loaded[3].Site, loaded[3].F1Dec, loaded[3].Index),
              std::tuple("SECOND", 30.0f, 4));
}

TEST(AmsBinaryRead, RecordsBeyondSixteenBitNumbersAreRefusedNamingTheFile)
{
    model::Records loaded(32765);
    const std::string two = AmsFileBuilder().Specimen({}).Specimen({}).Bytes();
    const std::string three = AmsFileBuilder().Specimen({}).Specimen({}).Specimen({}).Bytes();

    const model::Result<DataImport> refused
        = ReadAmsBinary(three, "/data/c.ran", loaded, 32766, Defaults);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().title, "Input error!");
    EXPECT_NE(refused.error().text.find("/data/c.ran"), std::string::npos);
    EXPECT_EQ(loaded.size(), 32765u);

    ASSERT_TRUE(ReadAmsBinary(two, "b.ran", loaded, 32766, Defaults).ok());
    EXPECT_EQ(loaded.back().Index, 32767);
}

TEST(AmsBinaryRead, NonFiniteTensorIsRefusedNamingFileAndSpecimen)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const AmsSpecimenFields& s :
         {AmsSpecimenFields {.Name = "NAN7", .Tensor = {1, 1, 1, 0, nan, 0}},
          AmsSpecimenFields {.Name = "INF", .NormFactor = inf},
          AmsSpecimenFields {.Name = "HUGE", .NormFactor = 3e38f}}) { // Km overflows
        model::Records loaded(1);
        const std::string bytes = AmsFileBuilder().Specimen({}).Specimen(s).Bytes();

        const model::Result<DataImport> result
            = ReadAmsBinary(bytes, "/d/x.ran", loaded, 2, Defaults);

        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().title, "Input error!");
        EXPECT_NE(result.error().text.find("/d/x.ran"), std::string::npos);
        EXPECT_NE(result.error().text.find(s.Name), std::string::npos);
        EXPECT_EQ(loaded.size(), 1u);
    }
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
    EXPECT_EQ(std::tuple(back[0].Name, back[1].Name), std::tuple("A2", "A3"));
    EXPECT_EQ(back[0].Site, records[0].Site);
    EXPECT_EQ(testing::Int16At(bytes, 0), 4);
    // Nothing selected: a header alone, which reads as an empty file.
    ASSERT_EQ(none.size(), 64u);
    EXPECT_EQ(testing::Int16At(none, 0), 2);
    model::Records loaded;
    EXPECT_EQ(ReadAmsBinary(none, "x.ran", loaded, 1, Defaults).error().text, "File is empty");
}

TEST(AmsBinaryWrite, HeaderFieldsStandAtTheirOffsets)
{
    model::SpecimenRecord r = MakeRecord("A1", 90);
    r.Site = "BOHEM1";
    r.P2 = -5;

    const std::string bytes = Encode({r});

    // Site at 2, latitude at 18, longitude at 25, the four copies at 32, P1-P4 at 48.
    EXPECT_EQ(bytes.substr(2, 58), "BOHEM1          49.85  13.42  GRANCARBMOLDBOHE12 -5 12 90 ");
}

TEST(AmsBinaryWrite, AnglesAreRoundedTiesToEvenAndNamesCutToTwelveBytes)
{
    model::SpecimenRecord r = MakeRecord("ABCDEFGHIJKLMNOP", 0);
    std::tie(r.F1Dec, r.F1Inc, r.L1Dec) = std::tuple(120.5f, 21.5f, -2.5f);

    const std::string bytes = Encode({r});

    EXPECT_EQ(bytes.substr(64, 12), "ABCDEFGHIJKL");
    EXPECT_EQ(std::tuple(testing::Int16At(bytes, 110), testing::Int16At(bytes, 112),
                         testing::Int16At(bytes, 114)),
              std::tuple(120, 22, -2));
}

TEST(AmsBinaryWrite, RefusesMoreRecordsThanAFileCanCountAndNumbersThatDoNotFit)
{
    const model::Result<std::string> tooMany
        = EncodeAmsBinary(model::Records(32766, MakeRecord("A", 0)), false);
    ASSERT_FALSE(tooMany.ok());
    EXPECT_NE(tooMany.error().text.find("32765"), std::string::npos);

    model::SpecimenRecord wideP = MakeRecord("A1", 0), large = wideP, nan = wideP;
    wideP.P3 = -100;
    large.L2Inc = 40000.0f;
    nan.F1Inc = std::numeric_limits<float>::quiet_NaN();
    for (const auto& [record, field] :
         {std::pair(wideP, "P3"), std::pair(large, "L2Inc"), std::pair(nan, "F1Inc")}) {
        const model::Result<std::string> result = EncodeAmsBinary({record}, false);
        ASSERT_FALSE(result.ok()) << field;
        EXPECT_NE(result.error().text.find(field), std::string::npos);
    }
}

TEST(AmsBinaryFile, WrittenFileReadsBackAndARefusedWriteKeepsTheOldFile)
{
    test::TempDir dir;
    const std::string path = dir.file("s.ran");
    const model::Records records = {MakeRecord("A1", 0), MakeRecord("A2", 0)};
    model::SpecimenRecord bad = MakeRecord("A1", 0);
    bad.P1 = 1000;

    ASSERT_FALSE(WriteAmsBinaryFile(path, records, false));
    EXPECT_TRUE(WriteAmsBinaryFile(path, {bad}, false));

    model::Records loaded;
    const model::Result<DataImport> result = ReadAmsBinaryFile(path, loaded, 1, Defaults);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->Count, 2);
    EXPECT_EQ(FileFields(loaded[1]), FileFields(records[1]));
}

} // namespace
} // namespace tesmor::formats
