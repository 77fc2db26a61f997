#include "formats/ams_binary.h"
#include "formats/mean_record.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::formats {
namespace {

model::SpecimenRecord Specimen(const std::string& name)
{
    model::SpecimenRecord r;
    r.Name = name;
    r.Site = "Bohemia";
    r.Lat = "49.5";
    r.Lon = "14.25";
    r.Rock = "GRAN";
    r.Region = "BOH";
    r.P1 = 12;
    r.P3 = 12;
    r.FieldCode = 300;
    r.NormFactor = 300;
    r.K11 = r.K22 = r.K33 = 1;
    return r;
}

math::GroupStatistics Statistics()
{
    math::GroupStatistics s;
    s.N = 5;
    s.Tenvar = true;
    s.Kaver = 412.5f;
    s.M(1, 1) = 1.03f;
    s.M(2, 2) = 0.99f;
    s.M(3, 3) = 0.98f;
    s.M(1, 2) = s.M(2, 1) = 0.01f;
    s.M(2, 3) = s.M(3, 2) = -0.02f;
    s.M(1, 3) = s.M(3, 1) = 0.005f;
    return s;
}

std::int16_t HeaderCount(const std::string& bytes)
{
    return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[0])
                                     | (static_cast<unsigned char>(bytes[1]) << 8));
}

std::string ThreeSpecimenFile()
{
    return *EncodeAmsBinary({Specimen("A1"), Specimen("A2"), Specimen("A3")}, false);
}

TEST(MeanRecord, AppendedAfterThreeSpecimensIsRecordFiveWithHeaderCountSix)
{
    const model::Records active = {Specimen("X1")};

    const model::Result<MeanRecordFile> file
        = AddMeanRecord(ThreeSpecimenFile(), true, "MEAN1", active, Statistics());

    ASSERT_TRUE(file.ok()) << file.error().text;
    EXPECT_EQ(file->RecordNumber, 5);
    EXPECT_EQ(file->Bytes.size(), 5u * 64);
    EXPECT_EQ(HeaderCount(file->Bytes), 6);
    EXPECT_EQ(file->Bytes.substr(64, 64), ThreeSpecimenFile().substr(64, 64));
}

TEST(MeanRecord, RecordReadsBackWithTheMeanTensorAndTheMeanHeader)
{
    const model::Records active = {Specimen("X1")};
    const model::Result<MeanRecordFile> file
        = AddMeanRecord(ThreeSpecimenFile(), true, "MEAN1", active, Statistics());
    ASSERT_TRUE(file.ok());
    model::Records back;

    ASSERT_TRUE(ReadAmsBinary(file->Bytes, "/d/means.ran", back, 1, {}).ok());

    ASSERT_EQ(back.size(), 4u);
    const model::SpecimenRecord& m = back[3];
    EXPECT_EQ(m.Name, "MEAN1");
    EXPECT_EQ(m.Site, "MeanDirections");
    EXPECT_EQ(m.Lat, "");
    EXPECT_EQ(m.Lon, "");
    EXPECT_EQ(m.Rock, "GRAN");
    EXPECT_EQ(m.P1, 12);
    EXPECT_FLOAT_EQ(m.FieldCode, 300);
    EXPECT_FLOAT_EQ(m.NormFactor, 412.5f);
    EXPECT_FLOAT_EQ(m.K11, 1.03f);
    EXPECT_FLOAT_EQ(m.K22, 0.99f);
    EXPECT_FLOAT_EQ(m.K33, 0.98f);
    EXPECT_FLOAT_EQ(m.K12, 0.01f);
    EXPECT_FLOAT_EQ(m.K23, -0.02f);
    EXPECT_FLOAT_EQ(m.K13, 0.005f);
    EXPECT_EQ(m.Code1, "00");
    EXPECT_EQ(m.Code2, "00");
    EXPECT_FLOAT_EQ(m.F1Dec, 0);
    EXPECT_FLOAT_EQ(m.L2Inc, 0);
    EXPECT_EQ(back[0].Site, "MeanDirections");
}

TEST(MeanRecord, WithoutAppendTheFileStartsAfresh)
{
    const model::Result<MeanRecordFile> file
        = AddMeanRecord(ThreeSpecimenFile(), false, "M", {Specimen("X1")}, Statistics());

    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file->RecordNumber, 2);
    EXPECT_EQ(file->Bytes.size(), 128u);
    EXPECT_EQ(HeaderCount(file->Bytes), 3);
}

TEST(MeanRecord, PartialLastRecordIsCutToWholeRecords)
{
    const std::string existing = ThreeSpecimenFile() + std::string(20, 'x');

    const model::Result<MeanRecordFile> file
        = AddMeanRecord(existing, true, "M", {Specimen("X1")}, Statistics());

    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file->RecordNumber, 5);
    EXPECT_EQ(file->Bytes.size(), 5u * 64);
}

TEST(MeanRecord, FileThatCannotHoldAnotherRecordIsRefused)
{
    const std::string full((model::MaxRecordsPerFile + 1) * 64, '\0');

    EXPECT_FALSE(AddMeanRecord(full, true, "M", {Specimen("X1")}, Statistics()).ok());
}

TEST(MeanRecord, SuccessiveMeansAccumulateInOneFile)
{
    test::TempDir dir;
    const std::string path = dir.file("means.ran");

    ASSERT_FALSE(WriteMeanRecord(path, false, "FIRST", {Specimen("X1")}, Statistics()));
    ASSERT_FALSE(WriteMeanRecord(path, true, "SECOND", {Specimen("X1")}, Statistics()));

    const std::string bytes = test::ReadBytes(path);
    EXPECT_EQ(bytes.size(), 3u * 64);
    EXPECT_EQ(HeaderCount(bytes), 4);
    model::Records back;
    ASSERT_TRUE(ReadAmsBinary(bytes, path, back, 1, {}).ok());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].Name, "FIRST");
    EXPECT_EQ(back[1].Name, "SECOND");
}

} // namespace
} // namespace tesmor::formats
