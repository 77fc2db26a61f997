// export, merge and convert: the files equal what the core writes, and failures write nothing.

#include "cli_test_support.h"
#include "formats/ams_binary.h"
#include "formats/ged_file.h"
#include "formats/text_exports.h"
#include "math/principal_axes.h"
#include "model/file_io.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tesmor::cli::test {
namespace {

using tesmor::test::ReadBytes;
using tesmor::test::TempDir;
using tesmor::test::WriteBytes;

model::Records CoreRecords(const std::string& path)
{
    model::Records records;
    EXPECT_TRUE(formats::ReadAmsBinaryFile(path, records, 1, {}).ok());
    math::ComputeRecordDerived(records);
    return records;
}

int CountOf(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(ExportCommand, TableAndDirectionFileEqualTheCoreTexts)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);
    const model::Records core = CoreRecords(path);

    const ToolRun run = RunTool({"export", path, "--table", dir.file("t.txt"), "--dat",
                                 dir.file("d.dat"), "--k1", "--poles", "--lines"});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(dir.file("t.txt")), formats::AsciiTableText(core, false));
    formats::DirectionFileOptions shown {true, false, false, true, false, true};
    EXPECT_EQ(ReadBytes(dir.file("d.dat")), formats::DirectionFileText(core, shown, false));
}

TEST(ExportCommand, DirectionFileWithoutFlagsShowsTheThreeAxesAsTheWindowStarts)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 5);

    ASSERT_EQ(RunTool({"export", path, "--dat", dir.file("d.dat")}).status, 0);

    EXPECT_EQ(ReadBytes(dir.file("d.dat")),
              formats::DirectionFileText(CoreRecords(path), {}, false));
}

TEST(ExportCommand, MeanListingAccumulatesUnderOneHeader)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);
    const std::string listing = dir.file("means.txt");

    ASSERT_EQ(RunTool({"export", path, "--mean", listing, "--name", "FIRST"}).status, 0);
    ASSERT_EQ(RunTool({"export", path, "--mean", listing, "--name", "SECOND"}).status, 0);

    const std::string text = ReadBytes(listing);
    EXPECT_EQ(text.rfind(formats::MeanListingHeader(), 0), 0u);
    EXPECT_EQ(CountOf(text, "\r\n"), 3);
    EXPECT_NE(text.find("FIRST"), std::string::npos);
    EXPECT_NE(text.find("SECOND"), std::string::npos);
}

TEST(ExportCommand, MeanRecordsAppendToOneBinaryFile)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);
    const std::string means = dir.file("means.ran");

    ASSERT_EQ(RunTool({"export", path, "--mean-record", means, "--name", "M1"}).status, 0);
    ASSERT_EQ(RunTool({"export", path, "--mean-record", means, "--name", "M2"}).status, 0);

    model::Records records;
    ASSERT_TRUE(formats::ReadAmsBinaryFile(means, records, 1, {}).ok());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].Name, "M2");
    EXPECT_EQ(records[0].Site, "MeanDirections");
}

TEST(ExportCommand, MeanOfFewerThanFiveRecordsIsRefusedAndWritesNothing)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 4);

    const ToolRun run = RunTool(
        {"export", path, "--table", dir.file("t.txt"), "--mean", dir.file("m.txt"), "--name", "X"});

    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Not enough records for Tenvar statistics"), std::string::npos);
    EXPECT_FALSE(model::FileExists(dir.file("m.txt")));
    EXPECT_FALSE(model::FileExists(dir.file("t.txt")));
}

TEST(ExportCommand, MeanNeedsAName)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);

    const ToolRun run = RunTool({"export", path, "--mean", dir.file("m.txt")});

    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(model::FileExists(dir.file("m.txt")));
}

TEST(ExportCommand, WritesPicturesInTheFormatOfTheExtension)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);

    const ToolRun run = RunTool({"export", path, "--picture", dir.file("v.png"), "--show",
                                 "data,k1,mean,ellipses,circles", "--plot1", "2", "--plot2", "3",
                                 "--scheme", "bw"});
    const ToolRun metafile = RunTool({"export", path, "--picture", dir.file("v.WMF")});
    const ToolRun svg = RunTool({"export", path, "--picture", dir.file("v.svg")});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(dir.file("v.png")).substr(1, 3), "PNG");
    ASSERT_EQ(metafile.status, 0) << metafile.err;
    EXPECT_EQ(ReadBytes(dir.file("v.WMF")).substr(0, 4), "\xD7\xCD\xC6\x9A");
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_NE(ReadBytes(dir.file("v.svg")).find("<svg"), std::string::npos);
}

TEST(ExportCommand, WithoutPictureWriterPicturesAreHandedOverBeforeAnythingIsWritten)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);

    const ToolRun run = RunTool(
        {"export", path, "--table", dir.file("t.txt"), "--picture", dir.file("v.png")}, false);

    EXPECT_EQ(run.status, NeedsPictureWriter);
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(run.err.empty());
    EXPECT_FALSE(model::FileExists(dir.file("t.txt")));
}

TEST(ExportCommand, UnknownPictureExtensionIsAUsageError)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);

    const ToolRun run = RunTool({"export", path, "--picture", dir.file("v.gif")});

    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(model::FileExists(dir.file("v.gif")));
}

TEST(ExportCommand, NothingToWriteIsAUsageError)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 6);

    EXPECT_EQ(RunTool({"export", path}).status, 2);
}

// A geological file with entries for S1 .. S<count> (S1 oriented, the others not rotated).
std::string GedBytes(int count)
{
    formats::GedEntries entries;
    for (int i = 1; i <= count; ++i) {
        formats::GedEntry e;
        e.Name = "S" + std::to_string(i);
        e.Site = "SITE";
        e.Azimuth = i == 1 ? 40 : 0;
        e.Plunge = i == 1 ? 30 : 0;
        e.Code1 = "FL";
        e.F1Dec = 120;
        e.F1Inc = 35;
        e.L1Dec = 200;
        e.L1Inc = 10;
        e.Code2 = "00";
        e.P1 = 6;
        e.P3 = 6;
        entries.push_back(e);
    }
    auto bytes = formats::EncodeGed(entries);
    EXPECT_TRUE(bytes.ok());
    return bytes.ok() ? *bytes : std::string();
}

TEST(MergeCommand, SavesTheMergedRecordsAndReportsMissingSpecimens)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "spec.ran", 5, "SS");
    WriteBytes(dir.file("site.ged"), GedBytes(3));

    const ToolRun run = RunTool({"merge", path, "--ged", dir.file("site.ged"), "--direction",
                                 "spec-to-geo", "--match", "full", "-o", dir.file("out.ran")});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Following 2 record(s) were not found in GED file!"), std::string::npos);
    EXPECT_NE(run.err.find("'S4'\n'S5'"), std::string::npos);
    const model::Records before = CoreRecords(path);
    const model::Records after = CoreRecords(dir.file("out.ran"));
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[0].Code1, "FL");
    EXPECT_EQ(after[0].F1Dec, 120);
    EXPECT_NE(after[0].K11, before[0].K11);
    EXPECT_EQ(after[1].K11, before[1].K11);
    EXPECT_EQ(after[3].Code1, "SS");
}

TEST(MergeCommand, AnEmptyGeologicalFileIsAnInputErrorAndWritesNothing)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "spec.ran", 5, "SS");
    WriteBytes(dir.file("empty.ged"), "");

    const ToolRun run = RunTool({"merge", path, "--ged", dir.file("empty.ged"), "--direction",
                                 "spec-to-geo", "-o", dir.file("out.ran")});

    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("is empty!"), std::string::npos);
    EXPECT_FALSE(model::FileExists(dir.file("out.ran")));
}

TEST(MergeCommand, ALineOfTheWrongLengthIsAnInputErrorNamingFileAndLine)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "spec.ran", 5, "SS");
    std::string ged = GedBytes(3);
    ged.insert(64 * 2 + 10, "  ");
    WriteBytes(dir.file("bad.ged"), ged);

    const ToolRun run = RunTool({"merge", path, "--ged", dir.file("bad.ged"), "--direction",
                                 "geo-to-spec", "-o", dir.file("out.ran")});

    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("BAD.GED"), std::string::npos);
    EXPECT_NE(run.err.find("In line: 3"), std::string::npos);
    EXPECT_FALSE(model::FileExists(dir.file("out.ran")));
}

TEST(MergeCommand, NeedsADirection)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "spec.ran", 5, "SS");
    WriteBytes(dir.file("site.ged"), GedBytes(3));

    const ToolRun run
        = RunTool({"merge", path, "--ged", dir.file("site.ged"), "-o", dir.file("out.ran")});

    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(model::FileExists(dir.file("out.ran")));
}

TEST(ConvertCommand, SavesRecordsThatReadBackUnchanged)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 7);

    const ToolRun run = RunTool({"convert", path, "-o", dir.file("copy.ran")});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(dir.file("copy.ran")), ReadBytes(path));
}

TEST(ConvertCommand, SeveralFilesBecomeOneFileWithTheFirstHeader)
{
    TempDir dir;
    const std::string a = WriteSite(dir, "a.ran", 3);
    const std::string b = WriteSite(dir, "b.ran", 4);

    ASSERT_EQ(RunTool({"convert", a, b, "-o", dir.file("ab.ran")}).status, 0);

    const model::Records merged = CoreRecords(dir.file("ab.ran"));
    ASSERT_EQ(merged.size(), 7u);
    EXPECT_EQ(merged[3].Name, "S1");
}

TEST(BadInput, AnEmptyDataFileGivesTheReadersMessageAndNoOutput)
{
    TempDir dir;
    WriteBytes(dir.file("empty.ran"), "");

    const ToolRun run = RunTool({"convert", dir.file("empty.ran"), "-o", dir.file("out.ran")});

    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("EMPTY.RAN  is empty!"), std::string::npos);
    EXPECT_FALSE(model::FileExists(dir.file("out.ran")));
}

TEST(BadInput, AFileWithoutSpecimensIsAnInputError)
{
    TempDir dir;
    const std::string bytes = SiteBytes(1).substr(0, 64);
    WriteBytes(dir.file("header.ran"), bytes);

    const ToolRun run = RunTool({"stats", dir.file("header.ran")});

    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("File is empty"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
}

TEST(BadInput, AMissingFileIsAnInputError)
{
    TempDir dir;

    const ToolRun run = RunTool({"records", dir.file("none.ran")});

    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("none.ran"), std::string::npos);
}

TEST(BadInput, ASecondBadFileAbandonsTheWholeOpening)
{
    TempDir dir;
    const std::string good = WriteSite(dir, "good.ran", 5);
    WriteBytes(dir.file("bad.ran"), "");

    const ToolRun run = RunTool({"convert", good, dir.file("bad.ran"), "-o", dir.file("out.ran")});

    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(model::FileExists(dir.file("out.ran")));
}

TEST(BadArguments, UsageErrorsGiveStatusTwo)
{
    TempDir dir;
    const std::string path = WriteSite(dir, "site.ran", 5);

    EXPECT_EQ(RunTool({}).status, 2);
    EXPECT_EQ(RunTool({"frobnicate", path}).status, 2);
    EXPECT_EQ(RunTool({"stats"}).status, 2);
    EXPECT_EQ(RunTool({"stats", "--coord", "polar", path}).status, 2);
    EXPECT_EQ(RunTool({"stats", "--defaults", "1,2,3", path}).status, 2);
    EXPECT_EQ(RunTool({"stats", "--foliation", "BL", path}).status, 2);
    EXPECT_EQ(RunTool({"stats", dir.file("site.txt")}).status, 2);
    EXPECT_EQ(RunTool({"convert", path}).status, 2);
    const ToolRun run = RunTool({"stats", "--projection", "mercator", path});
    EXPECT_NE(run.err.find("--projection"), std::string::npos);
    EXPECT_TRUE(run.out.empty());
}

TEST(BadArguments, EveryCommandHasHelp)
{
    for (const char* command : {"records", "stats", "list", "export", "merge", "convert"}) {
        const ToolRun run = RunTool({command, "--help"});

        EXPECT_EQ(run.status, 0) << command;
        EXPECT_NE(run.out.find(command), std::string::npos) << command;
        EXPECT_NE(run.out.find("--coord"), std::string::npos) << command;
    }
    EXPECT_EQ(RunTool({"--help"}).status, 0);
}

} // namespace
} // namespace tesmor::cli::test
