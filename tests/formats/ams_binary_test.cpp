#include "formats/ams_binary.h"
#include "model/file_io.h"
#include "support/ams_file_builder.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>
#include <unistd.h>

namespace tesmor::formats {
namespace {

using testing::AmsFileBuilder;
using testing::AmsHeaderFields;
using testing::AmsSpecimenFields;

const OrientationDefaults Defaults {7, 8, 9, 0};

model::Records ReadBytes(const std::string& bytes, const std::string& path = "/data/site.ran")
{
    model::Records loaded;
    const model::Result<int> result = ReadAmsBinary(bytes, path, loaded, 1, Defaults);
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

// A record as a reader produces it, with both geological groups.
model::SpecimenRecord MakeRecord(const std::string& name, std::int16_t P4)
{
    model::SpecimenRecord r;
    r.Name = name;
    r.FieldCode = 1300.0f;
    r.NormFactor = 312.5f;
    DeriveInstrument(r, r.FieldCode, r.NormFactor, false);
    r.Site = "Hora\xC3\xA1k"; // "Horaák": a Windows-1252 letter outside ASCII
    r.Lat = "49.85";
    r.Lon = "13.42";
    r.Rock = "GRAN";
    r.Strat = "CARB";
    r.Litho = "MOLD";
    r.Region = "BOHE";
    r.P1 = 12;
    r.P2 = 0;
    r.P3 = 12;
    r.P4 = P4;
    r.Code1 = "BL";
    r.F1Dec = 30;
    r.F1Strike = 300;
    r.F1Inc = 25;
    r.L1Dec = 110;
    r.L1Inc = 5;
    r.Code2 = "SK";
    r.F2Dec = 300;
    r.F2Strike = 210;
    r.F2Inc = 70;
    r.L2Dec = 250;
    r.L2Inc = 60;
    r.K11 = 1.04f;
    r.K22 = 1.01f;
    r.K33 = 0.95f;
    r.K12 = 0.012f;
    r.K23 = -0.021f;
    r.K13 = 0.0035f;
    r.Km = r.NormFactor * (r.K11 + r.K22 + r.K33) / 3.0f;
    return r;
}

void ExpectSameFileFields(const model::SpecimenRecord& a, const model::SpecimenRecord& b)
{
    EXPECT_EQ(a.Name, b.Name);
    EXPECT_EQ(a.FieldCode, b.FieldCode);
    EXPECT_EQ(a.NormFactor, b.NormFactor);
    EXPECT_EQ(a.Field, b.Field);
    EXPECT_EQ(a.Freq, b.Freq);
    EXPECT_EQ(a.Instrument, b.Instrument);
    EXPECT_EQ(a.Site, b.Site);
    EXPECT_EQ(a.Lat, b.Lat);
    EXPECT_EQ(a.Lon, b.Lon);
    EXPECT_EQ(a.Rock, b.Rock);
    EXPECT_EQ(a.Strat, b.Strat);
    EXPECT_EQ(a.Litho, b.Litho);
    EXPECT_EQ(a.Region, b.Region);
    EXPECT_EQ(a.P1, b.P1);
    EXPECT_EQ(a.P2, b.P2);
    EXPECT_EQ(a.P3, b.P3);
    EXPECT_EQ(a.P4, b.P4);
    EXPECT_EQ(a.Code1, b.Code1);
    EXPECT_EQ(a.F1Dec, b.F1Dec);
    EXPECT_EQ(a.F1Inc, b.F1Inc);
    EXPECT_EQ(a.F1Strike, b.F1Strike);
    EXPECT_EQ(a.L1Dec, b.L1Dec);
    EXPECT_EQ(a.L1Inc, b.L1Inc);
    EXPECT_EQ(a.Code2, b.Code2);
    EXPECT_EQ(a.F2Dec, b.F2Dec);
    EXPECT_EQ(a.F2Inc, b.F2Inc);
    EXPECT_EQ(a.F2Strike, b.F2Strike);
    EXPECT_EQ(a.L2Dec, b.L2Dec);
    EXPECT_EQ(a.L2Inc, b.L2Inc);
    EXPECT_EQ(a.K11, b.K11);
    EXPECT_EQ(a.K22, b.K22);
    EXPECT_EQ(a.K33, b.K33);
    EXPECT_EQ(a.K12, b.K12);
    EXPECT_EQ(a.K23, b.K23);
    EXPECT_EQ(a.K13, b.K13);
    EXPECT_EQ(a.Km, b.Km);
}

std::string Encode(const model::Records& records, bool selectedOnly = false)
{
    model::Result<std::string> bytes = EncodeAmsBinary(records, selectedOnly);
    EXPECT_TRUE(bytes.ok()) << (bytes.ok() ? "" : bytes.error().text);
    return bytes.ok() ? *bytes : std::string();
}

// ---- reading ----

TEST(AmsBinaryRead, CopiesTheHeaderIntoEveryRecord)
{
    const model::Records loaded
        = ReadBytes(AmsFileBuilder()
                        .Header({"  BOHEM1 ", "49.85", "13.42", "GRAN", "CARB", "MOLD", "BOHE",
                                 "12", "0", "-5", "90"})
                        .Specimen({})
                        .Specimen({})
                        .Bytes());

    ASSERT_EQ(loaded.size(), 2u);
    for (const model::SpecimenRecord& r : loaded) {
        EXPECT_EQ(r.Site, "BOHEM1");
        EXPECT_EQ(r.Lat, "49.85");
        EXPECT_EQ(r.Lon, "13.42");
        EXPECT_EQ(r.Rock, "GRAN");
        EXPECT_EQ(r.Strat, "CARB");
        EXPECT_EQ(r.Litho, "MOLD");
        EXPECT_EQ(r.Region, "BOHE");
        EXPECT_EQ(r.P1, 12);
        EXPECT_EQ(r.P2, 0);
        EXPECT_EQ(r.P3, -5);
        EXPECT_EQ(r.P4, 90);
    }
}

TEST(AmsBinaryRead, ReadsTheSpecimenFieldsAndNumbersTheRecords)
{
    AmsSpecimenFields s;
    s.Name = "B12A";
    s.NormFactor = 300.0f;
    s.Tensor = {1.1f, 1.0f, 0.9f, 0.01f, 0.02f, 0.03f};
    s.Code1 = "bl";
    s.Group1 = {120, 30, 150, 20};
    s.Code2 = "SK";
    s.Group2 = {359, 89, -1, -90};

    const model::Records loaded = ReadBytes(AmsFileBuilder().Specimen({}).Specimen(s).Bytes());

    const model::SpecimenRecord& r = loaded.at(1);
    EXPECT_EQ(r.Name, "B12A");
    EXPECT_EQ(r.FieldCode, 1300.0f);
    EXPECT_EQ(r.NormFactor, 300.0f);
    EXPECT_EQ(r.K11, 1.1f);
    EXPECT_EQ(r.K22, 1.0f);
    EXPECT_EQ(r.K33, 0.9f);
    EXPECT_EQ(r.K12, 0.01f);
    EXPECT_EQ(r.K23, 0.02f);
    EXPECT_EQ(r.K13, 0.03f);
    EXPECT_EQ(r.Km, 300.0f * (1.1f + 1.0f + 0.9f) / 3.0f);
    EXPECT_EQ(r.Code1, "BL");
    EXPECT_EQ(r.F1Dec, 120);
    EXPECT_EQ(r.F1Strike, 30);
    EXPECT_EQ(r.F1Inc, 30);
    EXPECT_EQ(r.L1Dec, 150);
    EXPECT_EQ(r.L1Inc, 20);
    EXPECT_EQ(r.Code2, "SK");
    EXPECT_EQ(r.F2Dec, 359);
    EXPECT_EQ(r.F2Strike, 269);
    EXPECT_EQ(r.F2Inc, 89);
    EXPECT_EQ(r.L2Dec, -1);
    EXPECT_EQ(r.L2Inc, -90);
    EXPECT_EQ(r.Index, 2);
}

TEST(AmsBinaryRead, PlanesOfAStrikeFileAreTurnedIntoDipDirections)
{
    AmsHeaderFields header;
    header.P4 = "90";
    AmsSpecimenFields s;
    s.Group1 = {300, 40, 0, 0};

    const model::SpecimenRecord r = ReadOne(s, header);

    EXPECT_EQ(r.F1Strike, 300);
    EXPECT_EQ(r.F1Dec, 30);
}

TEST(AmsBinaryRead, NameLosesEveryBlank)
{
    AmsSpecimenFields s;
    s.Name = " A B 12  ";

    EXPECT_EQ(ReadOne(s).Name, "AB12");
}

TEST(AmsBinaryRead, SiteEndsAtTheFirstNul)
{
    AmsHeaderFields header;
    header.Site = std::string("HILL\0JUNK", 9);

    EXPECT_EQ(ReadOne({}, header).Site, "HILL");
}

TEST(AmsBinaryRead, LongitudeStartingWithABlankLeavesLatitudeAndLongitudeEmpty)
{
    AmsHeaderFields header;
    header.Lat = "49.85";
    header.Lon = " 13.42";

    const model::SpecimenRecord r = ReadOne({}, header);

    EXPECT_EQ(r.Lat, "");
    EXPECT_EQ(r.Lon, "");
}

TEST(AmsBinaryRead, OrientationParametersThatAreNotNumbersTakeTheDefaults)
{
    AmsHeaderFields header;
    header.P1 = "ab";
    header.P2 = "";
    header.P3 = "1-2";
    header.P4 = "+";

    const model::SpecimenRecord r = ReadOne({}, header);

    EXPECT_EQ(r.P1, Defaults.P1);
    EXPECT_EQ(r.P2, Defaults.P2);
    EXPECT_EQ(r.P3, Defaults.P3);
    EXPECT_EQ(r.P4, Defaults.P4);
}

TEST(AmsBinaryRead, GroupCodesStartingBelowDigitZeroBecome00)
{
    AmsSpecimenFields s;
    s.Code1 = "-B";
    s.Code2 = " S";

    const model::SpecimenRecord r = ReadOne(s);

    EXPECT_EQ(r.Code1, "00");
    EXPECT_EQ(r.Code2, "00");
}

TEST(AmsBinaryRead, TextFieldsAreConvertedFromWindows1252)
{
    AmsHeaderFields header;
    header.Site = "Hora\xE1k";
    AmsSpecimenFields s;
    s.Name = "\x8A"
             "1"; // Š

    const model::SpecimenRecord r = ReadOne(s, header);

    EXPECT_EQ(r.Site, "Hora\xC3\xA1k");
    EXPECT_EQ(r.Name,
              "\xC5\xA0"
              "1");
}

TEST(AmsBinaryInstrument, EqualCodeAndScaleMeanTrb23)
{
    AmsSpecimenFields s;
    s.FieldCode = 300.0f;
    s.NormFactor = 300.3f;

    const model::SpecimenRecord r = ReadOne(s);

    EXPECT_EQ(r.Instrument, "TRB2/3");
    EXPECT_EQ(r.Field, 423.0f);
    EXPECT_EQ(r.Freq, "F1");
}

TEST(AmsBinaryInstrument, SmallCodeMeansTrb4WithTheFieldScaled)
{
    AmsSpecimenFields s;
    s.FieldCode = 212.8f;
    s.NormFactor = 1500.0f;

    const model::SpecimenRecord r = ReadOne(s);

    EXPECT_EQ(r.Instrument, "TRB4");
    EXPECT_EQ(r.Field, 300.0f);
    EXPECT_EQ(r.Freq, "F1");
}

TEST(AmsBinaryInstrument, LargeCodeMeansQsmWithFrequencyAndFieldFromItsDigits)
{
    AmsSpecimenFields s;
    s.FieldCode = 3200.0f;

    const model::SpecimenRecord r = ReadOne(s);

    EXPECT_EQ(r.Instrument, "QSM");
    EXPECT_EQ(r.Field, 200.0f);
    EXPECT_EQ(r.Freq, "F3");
}

TEST(AmsBinaryInstrument, LongerQsmCodeTakesItsLastThreeDigits)
{
    AmsSpecimenFields s;
    s.FieldCode = 21250.0f;

    const model::SpecimenRecord r = ReadOne(s);

    EXPECT_EQ(r.Instrument, "QSM");
    EXPECT_EQ(r.Field, 250.0f);
    EXPECT_EQ(r.Freq, "F2");
}

TEST(AmsBinaryInstrument, RemanenceExtensionInAnyCaseMeansVx6)
{
    AmsSpecimenFields s;
    s.FieldCode = 40.5f;

    const model::SpecimenRecord r = ReadOne(s, {}, "/data/SITE.ARE");

    EXPECT_EQ(r.Instrument, "VX6");
    EXPECT_EQ(r.Field, 40.0f); // ties to even
    EXPECT_EQ(r.Freq, "N/A");
}

TEST(AmsBinaryRead, EmptyFileIsRefusedWithThePathInUpperCase)
{
    model::Records loaded(3);

    const model::Result<int> result = ReadAmsBinary("", "/data/site.ran", loaded, 4, Defaults);

    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(),
              (model::UserMessage {"File  /DATA/SITE.RAN  is empty!", "Input error!",
                                   model::MessageIcon::Critical}));
    EXPECT_EQ(loaded.size(), 3u);
}

TEST(AmsBinaryRead, FileWithoutSpecimensReportsFileIsEmpty)
{
    for (const std::size_t size : {1u, 64u, 96u}) {
        model::Records loaded;

        const model::Result<int> result
            = ReadAmsBinary(std::string(size, ' '), "site.ran", loaded, 1, Defaults);

        ASSERT_FALSE(result.ok()) << size;
        EXPECT_EQ(result.error(),
                  (model::UserMessage {"File is empty", "Tesmor 42", model::MessageIcon::None}));
        EXPECT_TRUE(loaded.empty());
    }
}

TEST(AmsBinaryRead, TrailingPartialRecordReadsItsMissingBytesAsZeros)
{
    AmsSpecimenFields s;
    s.Name = "LAST";
    s.Tensor = {1.1f, 1.0f, 0.9f, 0.01f, 0.02f, 0.03f};
    std::string bytes = AmsFileBuilder().Specimen({}).Specimen(s).Bytes();
    bytes.resize(bytes.size() - 24); // ends before K13; more than half a record is left

    const model::Records loaded = ReadBytes(bytes);

    ASSERT_EQ(loaded.size(), 2u);
    const model::SpecimenRecord& r = loaded[1];
    EXPECT_EQ(r.Name, "LAST");
    EXPECT_EQ(r.K23, 0.02f);
    EXPECT_EQ(r.K13, 0.0f);
    EXPECT_EQ(r.Code1, "00");
    EXPECT_EQ(r.F1Dec, 0.0f);
}

TEST(AmsBinaryRead, AppendsAtTheStartIndexKeepingEarlierRecords)
{
    model::Records loaded(2);
    loaded[0].Name = "KEEP";
    const std::string bytes = AmsFileBuilder().Specimen({}).Specimen({}).Bytes();

    const model::Result<int> result = ReadAmsBinary(bytes, "b.ran", loaded, 3, Defaults);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(*result, 2);
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_EQ(loaded[0].Name, "KEEP");
    EXPECT_EQ(loaded[2].Index, 3);
    EXPECT_EQ(loaded[3].Index, 4);
}

TEST(AmsBinaryRead, RecordsBeyondSixteenBitNumbersAreRefusedNamingTheFile)
{
    model::Records loaded(32765);
    const std::string bytes = AmsFileBuilder().Specimen({}).Specimen({}).Specimen({}).Bytes();

    const model::Result<int> result
        = ReadAmsBinary(bytes, "/data/third.ran", loaded, 32766, Defaults);

    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().title, "Input error!");
    EXPECT_EQ(result.error().icon, model::MessageIcon::Critical);
    EXPECT_NE(result.error().text.find("/data/third.ran"), std::string::npos);
    EXPECT_EQ(loaded.size(), 32765u);
}

TEST(AmsBinaryRead, ExactlyTheLargestRecordNumberIsAccepted)
{
    model::Records loaded(32765);
    const std::string bytes = AmsFileBuilder().Specimen({}).Specimen({}).Bytes();

    const model::Result<int> result = ReadAmsBinary(bytes, "b.ran", loaded, 32766, Defaults);

    ASSERT_TRUE(result.ok());
    EXPECT_EQ(loaded.back().Index, 32767);
}

TEST(AmsBinaryRead, NonFiniteTensorIsRefusedNamingFileAndSpecimen)
{
    AmsSpecimenFields bad;
    bad.Name = "BAD7";
    bad.Tensor[4] = std::numeric_limits<float>::quiet_NaN();
    AmsSpecimenFields infinite;
    infinite.NormFactor = std::numeric_limits<float>::infinity();
    AmsSpecimenFields overflowing;
    overflowing.NormFactor = 3e38f;

    for (const AmsSpecimenFields& s : {bad, infinite, overflowing}) {
        model::Records loaded(1);
        const std::string bytes = AmsFileBuilder().Specimen({}).Specimen(s).Bytes();

        const model::Result<int> result = ReadAmsBinary(bytes, "/d/x.ran", loaded, 2, Defaults);

        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().title, "Input error!");
        EXPECT_NE(result.error().text.find("/d/x.ran"), std::string::npos);
        EXPECT_NE(result.error().text.find(s.Name), std::string::npos);
        EXPECT_EQ(loaded.size(), 1u);
    }
}

TEST(AmsBinaryRead, FilesOpenedTogetherKeepTheirOwnHeaders)
{
    AmsHeaderFields other;
    other.Site = "SECOND";
    other.P4 = "90";
    AmsSpecimenFields s;
    s.Group1 = {300, 40, 0, 0};
    model::Records loaded;

    ASSERT_TRUE(ReadAmsBinary(AmsFileBuilder().Specimen(s).Bytes(), "a.ran", loaded, 1, Defaults));
    ASSERT_TRUE(ReadAmsBinary(AmsFileBuilder().Header(other).Specimen(s).Bytes(), "b.ran", loaded,
                              2, Defaults));

    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].Site, "SITE");
    EXPECT_EQ(loaded[1].Site, "SECOND");
    EXPECT_EQ(loaded[0].F1Dec, 300);
    EXPECT_EQ(loaded[1].F1Dec, 30);
    EXPECT_EQ(ReadBytes(Encode(loaded)).at(1).Site, "SITE");
}

// ---- writing ----

class AmsBinaryRoundTrip : public ::testing::TestWithParam<std::int16_t>
{
};

TEST_P(AmsBinaryRoundTrip, KeepsEveryFieldOfTheFile)
{
    model::Records records = {MakeRecord("A1", GetParam()), MakeRecord("A2", GetParam())};
    records[1].Code2 = "00";
    records[1].F2Dec = 90;
    records[1].F2Strike = 0;

    const model::Records back = ReadBytes(Encode(records));

    ASSERT_EQ(back.size(), 2u);
    ExpectSameFileFields(back[0], records[0]);
    ExpectSameFileFields(back[1], records[1]);
}

INSTANTIATE_TEST_SUITE_P(BothPlaneConventions, AmsBinaryRoundTrip, ::testing::Values(0, 90));

TEST(AmsBinaryWrite, SavesOnlySelectedRecordsWithTheHeaderOfTheFirstRecord)
{
    model::Records records = {MakeRecord("A1", 0), MakeRecord("A2", 0), MakeRecord("A3", 0)};
    records[1].Site = "OTHER";
    records[1].Selected = true;
    records[2].Selected = true;

    const std::string bytes = Encode(records, true);

    const model::Records back = ReadBytes(bytes);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].Name, "A2");
    EXPECT_EQ(back[1].Name, "A3");
    EXPECT_EQ(back[0].Site, records[0].Site);
    EXPECT_EQ(testing::Int16At(bytes, 0), 4);
}

TEST(AmsBinaryWrite, NothingSelectedWritesAHeaderThatReadsAsEmpty)
{
    const model::Records records = {MakeRecord("A1", 0)};

    const std::string bytes = Encode(records, true);

    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(testing::Int16At(bytes, 0), 2);
    model::Records loaded;
    EXPECT_EQ(ReadAmsBinary(bytes, "x.ran", loaded, 1, Defaults).error().text, "File is empty");
}

TEST(AmsBinaryWrite, HeaderFieldsStandAtTheirOffsets)
{
    model::SpecimenRecord r = MakeRecord("A1", 90);
    r.Site = "BOHEM1";
    r.P2 = -5;

    const std::string bytes = Encode({r});

    EXPECT_EQ(bytes.substr(2, 16), "BOHEM1          ");
    EXPECT_EQ(bytes.substr(18, 7), "49.85  ");
    EXPECT_EQ(bytes.substr(25, 7), "13.42  ");
    EXPECT_EQ(bytes.substr(32, 16), "GRANCARBMOLDBOHE");
    EXPECT_EQ(bytes.substr(48, 12), "12 -5 12 90 ");
}

TEST(AmsBinaryWrite, AnglesAreRoundedTiesToEven)
{
    model::SpecimenRecord r = MakeRecord("A1", 0);
    r.F1Dec = 120.5f;
    r.F1Inc = 21.5f;
    r.L1Dec = -2.5f;

    const std::string bytes = Encode({r});

    EXPECT_EQ(testing::Int16At(bytes, 64 + 46), 120);
    EXPECT_EQ(testing::Int16At(bytes, 64 + 48), 22);
    EXPECT_EQ(testing::Int16At(bytes, 64 + 50), -2);
}

TEST(AmsBinaryWrite, NamesAreCutToTwelveBytes)
{
    const std::string bytes = Encode({MakeRecord("ABCDEFGHIJKLMNOP", 0)});

    EXPECT_EQ(bytes.substr(64, 12), "ABCDEFGHIJKL");
}

TEST(AmsBinaryWrite, MoreRecordsThanAFileCanCountAreRefused)
{
    const model::Records records(32766, MakeRecord("A", 0));

    const model::Result<std::string> result = EncodeAmsBinary(records, false);

    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().text.find("32765"), std::string::npos);
}

TEST(AmsBinaryWrite, OrientationParameterWiderThanItsFieldIsRefusedNamingIt)
{
    model::SpecimenRecord r = MakeRecord("A1", 0);
    r.P3 = -100;

    const model::Result<std::string> result = EncodeAmsBinary({r}, false);

    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().text.find("P3"), std::string::npos);
}

TEST(AmsBinaryWrite, AngleOutsideSixteenBitsIsRefusedNamingTheField)
{
    model::SpecimenRecord r = MakeRecord("A1", 0);
    r.L2Inc = 40000.0f;
    model::SpecimenRecord n = MakeRecord("A2", 0);
    n.F1Inc = std::numeric_limits<float>::quiet_NaN();

    const model::Result<std::string> tooLarge = EncodeAmsBinary({r}, false);
    const model::Result<std::string> notANumber = EncodeAmsBinary({n}, false);

    ASSERT_FALSE(tooLarge.ok());
    EXPECT_NE(tooLarge.error().text.find("L2Inc"), std::string::npos);
    ASSERT_FALSE(notANumber.ok());
    EXPECT_NE(notANumber.error().text.find("F1Inc"), std::string::npos);
}

class AmsBinaryFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path()
            / ("tesmor_ams_binary_" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    std::string Path(const std::string& name) const { return (m_folder / name).string(); }

    std::filesystem::path m_folder;
};

TEST_F(AmsBinaryFile, WrittenFileReadsBack)
{
    const model::Records records = {MakeRecord("A1", 0), MakeRecord("A2", 0)};

    ASSERT_FALSE(WriteAmsBinaryFile(Path("s.ran"), records, false));

    model::Records loaded;
    const model::Result<int> result = ReadAmsBinaryFile(Path("s.ran"), loaded, 1, Defaults);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(*result, 2);
    ExpectSameFileFields(loaded[1], records[1]);
}

TEST_F(AmsBinaryFile, RefusedWriteLeavesTheOldFileAsItWas)
{
    ASSERT_FALSE(model::WriteFileAtomically(Path("s.ran"), "old"));
    model::SpecimenRecord r = MakeRecord("A1", 0);
    r.P1 = 1000;

    const model::Status status = WriteAmsBinaryFile(Path("s.ran"), {r}, false);

    ASSERT_TRUE(status);
    EXPECT_EQ(model::ReadWholeFile(Path("s.ran")).value(), "old");
}

TEST_F(AmsBinaryFile, WriteIntoAMissingFolderReportsTheFailure)
{
    const model::Status status
        = WriteAmsBinaryFile(Path("missing/s.ran"), {MakeRecord("A1", 0)}, false);

    EXPECT_TRUE(status);
}

TEST(AmsBinaryExample, BundledSiteReadsWithItsHeaderAndBothGroups)
{
    const char* root = std::getenv("TESMOR_SOURCE_DIR");
    const std::string path = std::string(root ? root : ".") + "/examples/site/BOHEM1.ran";
    model::Records loaded;

    const model::Result<int> result = ReadAmsBinaryFile(path, loaded, 1, Defaults);

    ASSERT_TRUE(result.ok()) << result.error().text;
    EXPECT_GE(*result, 20);
    EXPECT_LE(*result, 40);
    EXPECT_EQ(loaded.front().Site, "BOHEM1");
    EXPECT_EQ(loaded.front().P1, 12);
    EXPECT_EQ(loaded.front().Code1, "BL");
    EXPECT_EQ(loaded.front().Code2, "SK");
}

} // namespace
} // namespace tesmor::formats
