#include "formats/exchange_formats.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tesmor::formats {
namespace {

using math::CoordinateSystem;

struct Read
{
    model::Result<DataImport> Result;
    model::Records Records;
};

Read ReadWith(decltype(&ReadSFile) reader, const std::string& bytes, const std::string& path)
{
    model::Records records(2); // read after two records already loaded
    auto result = reader(bytes, path, records, 3, {});
    return {std::move(result), std::move(records)};
}

TEST(MagicReader, TakesItsColumnsInAnyOrderAndSaysWhatItLeftOut)
{
    // Reordered and unknown columns, CR LF, a non-AMS row, a malformed row, a tilt-corrected
    // row beside geographic ones, a second table after the separator.
    const std::string table
        = "tab\tspecimens\r\n"
          "aniso_s_sigma\textra\taniso_s\tspecimen\taniso_tilt_correction\taniso_type\t"
          "aniso_s_mean\r\n"
          "0.001\tx\t0.34:0.33:0.33:0.01:0.02:0.03\tA very long name 1\t0\tAMS\t2.5e-4\r\n"
          "\t\t0.4:0.3:0.3:0:0:0\tB1\t0\tAARM\t\r\n"
          "\t\t0.4:0.3:0.3:0:0\tC1\t0\tAMS\t\r\n"
          "\t\t0.4:0.3:0.3:0:0:0\tD1\t100\tAMS\t\r\n"
          "\t\t1.2:0.9:0.9:0:0:0\tE1\t0\t\t\r\n"
          ">>>>>>>>>>\r\ntab\tsites\r\nsite\r\nS1\r\n";
    Read r = ReadWith(ReadMagicTable, table, "t.txt");
    ASSERT_TRUE(r.Result.ok()) << r.Result.error().text;
    ASSERT_EQ(r.Records.size(), 4u);
    const model::SpecimenRecord& a = r.Records[2];
    EXPECT_EQ(std::tuple(a.Name, a.Index, a.Code1), std::tuple("Averylongname1", 3, "00"));
    EXPECT_FLOAT_EQ(a.K11, 1.02f);
    EXPECT_FLOAT_EQ(a.K13, 0.09f);
    EXPECT_FLOAT_EQ(a.Km, 250);
    EXPECT_FLOAT_EQ(a.Sigma, 0.003f);
    EXPECT_FLOAT_EQ(r.Records[3].K11, 1.2f); // trace 3: kept as it is
    EXPECT_EQ(r.Result->System, CoordinateSystem::Geographic);
    ASSERT_TRUE(r.Result->Notice);
    const std::string& notice = r.Result->Notice->text;
    for (const char* said : {"than AMS were skipped: line(s) 4", "line 5: aniso_s of C1",
                             "tilt-corrected coordinates were left out (line(s) 6)"})
        EXPECT_NE(notice.find(said), std::string::npos) << said << " in " << notice;
}

TEST(MagicReader, RefusesFilesItCannotUseAndLeavesTheRecords)
{
    for (const std::string& bytes :
         {std::string("tab\tsites\nspecimen\taniso_s\nA\t1:1:1:0:0:0\n"),
          std::string("tab\tspecimens\nspecimen\tsample\nA\tB\n"),
          std::string("tab\tspecimens\nspecimen\taniso_s\nA\t0:0:0:0:0:0\nB\tnan:1:1:0:0:0\n")}) {
        SCOPED_TRACE(bytes);
        const Read r = ReadWith(ReadMagicTable, bytes, "t.txt");
        EXPECT_FALSE(r.Result.ok());
        EXPECT_EQ(r.Records.size(), 2u);
    }
}

TEST(SFileReader, ReadsAnyPositiveTraceWithOrWithoutSigmaAndRefusesABadLine)
{
    const Read r = ReadWith(ReadSFile,
                            "0.34 0.33 0.33 0.01 0.02 0.03\n\n"
                            "1.02 0.99 0.99 0.03 0.06 0.09 0.004\n"
                            "3.4 3.3 3.3 0.1 0.2 0.3\n",
                            "/d/site 7.s");
    ASSERT_TRUE(r.Result.ok());
    ASSERT_EQ(r.Records.size(), 5u);
    for (std::size_t i = 2; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(r.Records[i].K11, 1.02f);
        EXPECT_FLOAT_EQ(r.Records[i].K13, 0.09f);
        EXPECT_EQ(r.Records[i].Code1, "SS"); // no orientation: the specimen system only
    }
    EXPECT_EQ(std::tuple(r.Records[2].Name, r.Records[3].Name, r.Records[2].Sigma),
              std::tuple("site7-1", "site7-3", 0.0f));
    EXPECT_FLOAT_EQ(r.Records[3].Sigma, 0.004f);

    const Read bad = ReadWith(ReadSFile, "1 1 1 0 0 0\n1 1 1 0 0\n", "x.s");
    ASSERT_FALSE(bad.Result.ok());
    EXPECT_NE(bad.Result.error().text.find("line 2"), std::string::npos);
    EXPECT_EQ(bad.Records.size(), 2u);
    EXPECT_TRUE(LooksLikeSFile("1 1 1 0 0 0\r\n\r\n1 1 1 0 0 0 1\r\n"));
    EXPECT_FALSE(LooksLikeSFile("1 1 1 0 0 0\nname 1 1 1 0 0 0\n"));
}

} // namespace
} // namespace tesmor::formats
