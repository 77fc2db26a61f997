// The text data formats through the tool: converted to the binary format as the window's
// "Save as" would write them, with the default orientation parameters of the command line.

#include "cli_test_support.h"
#include "formats/text_import.h"

namespace tesmor::cli::test {
namespace {

using TextFormats = CliTest;

std::string TextSample(const std::string& name)
{
    return (tesmor::test::SourceDir() / "tests" / "data" / "formats" / name).string();
}

// The records that the core reads from a text file, completed as opening completes them.
model::Records CoreTextRecords(const std::string& name, model::FileKind kind,
                               const formats::OrientationDefaults& defaults)
{
    model::Records records;
    EXPECT_TRUE(formats::ReadTextDataFile(TextSample(name), kind, records, 1, defaults).ok());
    math::ComputeRecordDerived(records);
    return records;
}

TEST_F(TextFormats, ConvertWritesWhatTheBinaryWriterMakesOfTheImportedRecords)
{
    const ToolRun run = RunTool(
        {"convert", "--defaults", "6,0,6,0", TextSample("two_blocks.asc"), "-o", file("asc.ran")});

    ASSERT_EQ(run.status, 0) << run.err;
    const auto expected = formats::EncodeAmsBinary(
        CoreTextRecords("two_blocks.asc", model::FileKind::Asc, {6, 0, 6, 0}), false);
    ASSERT_TRUE(expected.ok());
    EXPECT_EQ(ReadBytes(file("asc.ran")), *expected);
}

} // namespace
} // namespace tesmor::cli::test
