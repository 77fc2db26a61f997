// export, merge and convert: the files equal what the core writes, and failures write nothing.

#include "cli_test_support.h"
#include "formats/ged_file.h"
#include "formats/text_exports.h"

namespace tesmor::cli::test {
namespace {

using ExportCommand = CliTest;
using MergeCommand = CliTest;
using ConvertCommand = CliTest;
using Failures = CliTest;

TEST_F(ExportCommand, TableAndDirectionFileEqualTheCoreTexts)
{
    const std::string path = site(6);
    const model::Records core = CoreRecords(path);

    const ToolRun run = RunTool({"export", path, "--table", file("t.txt"), "--dat", file("d.dat"),
                                 "--k1", "--poles", "--lines"});
    // Without flags the direction file shows the three axes, as the window starts.
    ASSERT_EQ(RunTool({"export", path, "--dat", file("axes.dat")}).status, 0);

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(file("t.txt")), formats::AsciiTableText(core, false));
    const model::DisplayOptions shown {
        .chcK2 = false, .chcK3 = false, .chcF1P = true, .chcL1 = true};
    EXPECT_EQ(ReadBytes(file("d.dat")), formats::DirectionFileText(core, shown, false));
    EXPECT_EQ(ReadBytes(file("axes.dat")), formats::DirectionFileText(core, {}, false));
}

TEST_F(ExportCommand, MeanListingAndMeanRecordsAccumulate)
{
    const std::string path = site(6);
    for (const char* name : {"FIRST", "SECOND"})
        ASSERT_EQ(RunTool({"export", path, "--mean", file("means.txt"), "--mean-record",
                           file("means.ran"), "--name", name})
                      .status,
                  0);

    const std::string text = ReadBytes(file("means.txt"));
    const std::string header = formats::MeanListingHeader();
    EXPECT_EQ(text.rfind(header + "FIRST", 0), 0u);
    EXPECT_EQ(text.find("\r\nSECOND"), text.find("\r\n", header.size()));
    model::Records records;
    ASSERT_TRUE(formats::ReadAmsBinaryFile(file("means.ran"), records, 1, {}).ok());
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Site, "MeanDirections");
    EXPECT_EQ(records[1].Name, "SECOND");
}

TEST_F(ExportCommand, WritesPicturesInTheFormatOfTheExtension)
{
    const std::string path = site(6);

    const ToolRun run = RunTool({"export", path, "--picture", file("v.png"), "--show",
                                 "data,k1,mean,ellipses,circles", "--plot1", "2", "--plot2", "3",
                                 "--scheme", "bw"});
    ASSERT_EQ(RunTool({"export", path, "--picture", file("v.WMF")}).status, 0);

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(file("v.png")).substr(1, 3), "PNG");
    EXPECT_EQ(ReadBytes(file("v.WMF")).substr(0, 4), "\xD7\xCD\xC6\x9A");
}

TEST_F(ExportCommand, WithoutPictureWriterPicturesAreHandedOverBeforeAnythingIsWritten)
{
    const ToolRun run
        = RunTool({"export", site(6), "--table", file("t.txt"), "--picture", file("v.png")}, false);

    EXPECT_EQ(run.status, NeedsPictureWriter);
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(run.err.empty());
    EXPECT_FALSE(exists("t.txt"));
}

// A geological file with entries for S1 .. S<count> (S1 oriented, the others not rotated).
std::string GedBytes(int count)
{
    formats::GedEntries entries;
    for (int i = 1; i <= count; ++i) {
        formats::GedEntry e;
        std::tie(e.Name, e.Site, e.Code1, e.Code2)
            = std::tuple("S" + std::to_string(i), "SITE", "FL", "00");
        std::tie(e.F1Dec, e.F1Inc, e.L1Dec, e.L1Inc, e.P1, e.P3)
            = std::tuple(120, 35, 200, 10, 6, 6);
        e.Azimuth = e.Plunge = i == 1 ? 35 : 0;
        entries.push_back(e);
    }
    auto bytes = formats::EncodeGed(entries);
    EXPECT_TRUE(bytes.ok());
    return bytes.ok() ? *bytes : std::string();
}

TEST_F(MergeCommand, SavesTheMergedRecordsAndReportsMissingSpecimens)
{
    const std::string path = site(5, "SS");
    WriteBytes(file("site.ged"), GedBytes(3));

    const ToolRun run = RunTool({"merge", path, "--ged", file("site.ged"), "--direction",
                                 "spec-to-geo", "--match", "full", "-o", file("out.ran")});

    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Following 2 record(s) were not found in GED file!"), std::string::npos);
    EXPECT_NE(run.err.find("'S4'\n'S5'"), std::string::npos);
    const model::Records before = CoreRecords(path);
    const model::Records after = CoreRecords(file("out.ran"));
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[0].Code1, "FL");
    EXPECT_NE(after[0].K11, before[0].K11);
    EXPECT_EQ(after[1].K11, before[1].K11);
    EXPECT_EQ(after[3].Code1, "SS");
}

TEST_F(ConvertCommand, SavesRecordsThatReadBackUnchangedAndJoinsSeveralFiles)
{
    const std::string seven = site(7);

    ASSERT_EQ(RunTool({"convert", seven, "-o", file("copy.ran")}).status, 0);
    ASSERT_EQ(RunTool({"convert", site(3), site(4), "-o", file("joined.ran")}).status, 0);

    EXPECT_EQ(ReadBytes(file("copy.ran")), ReadBytes(seven));
    const model::Records joined = CoreRecords(file("joined.ran"));
    ASSERT_EQ(joined.size(), 7u);
    EXPECT_EQ(joined[3].Name, "S1");
    EXPECT_EQ(joined[3].Index, 4);
}

// Input errors (status 1) give the window's message; usage errors (status 2) name the problem.
// Neither prints results or leaves an output file.
TEST_F(Failures, GiveTheirStatusAndMessageAndWriteNothing)
{
    const std::string six = site(6);
    const std::string four = site(4);
    const std::string unoriented = site(5, "SS");
    WriteBytes(file("empty.ran"), "");
    WriteBytes(file("header.ran"), SiteBytes(1).substr(0, 64));
    WriteBytes(file("site.ged"), GedBytes(3));
    WriteBytes(file("empty.ged"), "");
    std::string ged = GedBytes(3);
    ged.insert(64 * 2 + 10, "  ");
    WriteBytes(file("bad.ged"), ged);
    const std::string out = file("out.ran");
    const std::string texts = (tesmor::test::SourceDir() / "tests/data/formats/").string();

    const struct
    {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> messages;
    } cases[] = {
        {{"export", four, "--table", file("t.txt"), "--mean", file("m.txt"), "--name", "X"},
         1,
         {"Not enough records for Tenvar statistics"}},
        {{"export", six, "--mean", file("m.txt")}, 2, {"--name"}},
        {{"export", six, "--picture", file("v.gif")}, 2, {}},
        {{"export", six}, 2, {}},
        {{"merge", unoriented, "--ged", file("empty.ged"), "--direction", "spec-to-geo", "-o", out},
         1,
         {"is empty!"}},
        {{"merge", unoriented, "--ged", file("bad.ged"), "--direction", "geo-to-spec", "-o", out},
         1,
         {"bad.ged", "In line: 3"}},
        {{"merge", unoriented, "--ged", file("site.ged"), "-o", out}, 2, {"--direction"}},
        {{"convert", file("empty.ran"), "-o", out}, 1, {"empty.ran  is empty!"}},
        {{"convert", six, file("empty.ran"), "-o", out}, 1, {"empty.ran"}},
        {{"stats", file("header.ran")}, 1, {"File is empty"}},
        {{"records", file("none.ran")}, 1, {"none.ran"}},
        {{"records", "--coord", "geographic", unoriented}, 1, {"specimen"}},
        {{"records", "--coord", "specimen", six}, 1, {"oriented data"}},
        {{"stats", "--coord", "tectonic", "--foliation", "Q", six}, 1, {"letters are B, S."}},
        {{"list", "--coord", "tectonic", "--lineation", "Q", six}, 1, {"letters are K, L"}},
        {{"stats", "--coord", "tectonic", unoriented}, 1, {"specimen"}},
        {{"records", texts + "two_blocks.apg", six}, 2, {"different kinds"}},
        {{}, 2, {}},
        {{"frobnicate", six}, 2, {}},
        {{"stats"}, 2, {}},
        {{"stats", "--coord", "polar", six}, 2, {"--coord"}},
        {{"stats", "--projection", "mercator", six}, 2, {"--projection"}},
        {{"stats", "--defaults", "1,2,3", six}, 2, {"--defaults"}},
        {{"stats", "--foliation", "BL", six}, 2, {"one letter"}},
        {{"stats", "--threads", "0", six}, 2, {"--threads"}},
        {{"stats", file("site.txt")}, 2, {}},
        {{"convert", six}, 2, {}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(::testing::PrintToString(t.args));

        const ToolRun run = RunTool(t.args);

        EXPECT_EQ(run.status, t.status) << run.err;
        EXPECT_TRUE(run.out.empty());
        for (const std::string& message : t.messages)
            EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        for (const char* name : {"out.ran", "t.txt", "m.txt", "v.gif"})
            EXPECT_FALSE(exists(name)) << name;
    }
}

TEST(Help, EveryCommandHasHelp)
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
