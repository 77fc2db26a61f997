#include "formats/ams_binary.h"
#include "formats/mean_record.h"
#include "support/ams_file_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::formats {
namespace {

model::SpecimenRecord Specimen(const std::string& name)
{
    model::SpecimenRecord r;
    std::tie(r.Name, r.FieldCode, r.NormFactor, r.P1, r.P3) = std::tuple(name, 300, 300, 12, 12);
    std::tie(r.Site, r.Lat, r.Lon, r.Rock, r.Region)
        = std::tuple("Bohemia", "49.5", "14.25", "GRAN", "BOH");
    r.K11 = r.K22 = r.K33 = 1;
    return r;
}

math::GroupStatistics Statistics()
{
    math::GroupStatistics s;
    std::tie(s.N, s.Tenvar, s.Kaver) = std::tuple(5, true, 412.5f);
    s.M.e = {1.03f, 0.01f, 0.005f, 0.01f, 0.99f, -0.02f, 0.005f, -0.02f, 0.98f};
    return s;
}

std::string ThreeSpecimenFile()
{
    return *EncodeAmsBinary({Specimen("A1"), Specimen("A2"), Specimen("A3")}, false);
}

model::Records Read(const std::string& bytes)
{
    model::Records back;
    EXPECT_TRUE(ReadAmsBinary(bytes, "/d/means.ran", back, 1, {}).ok());
    return back;
}

TEST(MeanRecord, AppendedAfterThreeSpecimensIsRecordFiveAndReadsBackWithTheMeanTensor)
{
    const model::Result<MeanRecordFile> file
        = AddMeanRecord(ThreeSpecimenFile(), true, "MEAN1", {Specimen("X1")}, Statistics());

    ASSERT_TRUE(file.ok()) << file.error().text;
    EXPECT_EQ(file->RecordNumber, 5);
    EXPECT_EQ(file->Bytes.size(), 5u * 64);
    EXPECT_EQ(testing::Int16At(file->Bytes, 0), 6);
    EXPECT_EQ(file->Bytes.substr(64, 64), ThreeSpecimenFile().substr(64, 64));
    const model::Records back = Read(file->Bytes);
    ASSERT_EQ(back.size(), 4u);
    const model::SpecimenRecord& m = back[3];
    EXPECT_EQ(std::tuple(m.Name, m.Site, m.Lat, m.Lon, m.Rock, m.P1, m.Code1, m.Code2),
              std::tuple("MEAN1", "MeanDirections", "", "", "GRAN", 12, "00", "00"));
    EXPECT_EQ(std::tuple(m.FieldCode, m.NormFactor, m.F1Dec, m.L2Inc),
              std::tuple(300.0f, 412.5f, 0.0f, 0.0f));
    EXPECT_EQ(std::tuple(m.K11, m.K22, m.K33, m.K12, m.K23, m.K13),
              std::tuple(1.03f, 0.99f, 0.98f, 0.01f, -0.02f, 0.005f));
    EXPECT_EQ(back[0].Site, "MeanDirections");
}

TEST(MeanRecord, StartsAfreshWithoutAppendCutsAPartialRecordAndRefusesAFullFile)
{
    const model::Result<MeanRecordFile> fresh
        = AddMeanRecord(ThreeSpecimenFile(), false, "M", {Specimen("X1")}, Statistics());
    const model::Result<MeanRecordFile> cut = AddMeanRecord(
        ThreeSpecimenFile() + std::string(20, 'x'), true, "M", {Specimen("X1")}, Statistics());
    const std::string full((model::MaxRecordsPerFile + 1) * 64, '\0');

    ASSERT_TRUE(fresh.ok() && cut.ok());
    EXPECT_EQ(std::tuple(fresh->RecordNumber, fresh->Bytes.size()), std::tuple(2, 128u));
    EXPECT_EQ(testing::Int16At(fresh->Bytes, 0), 3);
    EXPECT_EQ(std::tuple(cut->RecordNumber, cut->Bytes.size()), std::tuple(5, 5u * 64));
    EXPECT_FALSE(AddMeanRecord(full, true, "M", {Specimen("X1")}, Statistics()).ok());
}

TEST(MeanRecord, TargetOfAFileEndingInHalfARecordRoundsLengthOver64PlusOneTiesToEven)
{
    // length / 64 + 1 = 4.5 rounds to 4, 5.5 to 6.
    for (const auto& [length, target] : {std::pair(3 * 64 + 32, 4), std::pair(4 * 64 + 32, 6)}) {
        const model::Result<MeanRecordFile> file = AddMeanRecord(
            std::string(static_cast<std::size_t>(length), 'x'), true, "M", {}, Statistics());
        ASSERT_TRUE(file.ok());
        EXPECT_EQ(file->RecordNumber, target) << length;
    }
}

TEST(MeanRecord, SuccessiveMeansAccumulateInOneFile)
{
    test::TempDir dir;
    const std::string path = dir.file("means.ran");

    ASSERT_FALSE(WriteMeanRecord(path, false, "FIRST", {Specimen("X1")}, Statistics()));
    ASSERT_FALSE(WriteMeanRecord(path, true, "SECOND", {Specimen("X1")}, Statistics()));

    const std::string bytes = test::ReadBytes(path);
    EXPECT_EQ(bytes.size(), 3u * 64);
    EXPECT_EQ(testing::Int16At(bytes, 0), 4);
    const model::Records back = Read(bytes);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(std::tuple(back[0].Name, back[1].Name), std::tuple("FIRST", "SECOND"));
}

} // namespace
} // namespace tesmor::formats
