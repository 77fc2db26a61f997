// The text data formats through the tool: converted to the binary format as the window's
// "Save as" would write them, with the default orientation parameters of the command line.

#include "cli_test_support.h"
#include "formats/ams_binary.h"
#include "formats/text_import.h"
#include "math/principal_axes.h"

#include <gtest/gtest.h>

namespace tesmor::cli::test {
namespace {

using tesmor::test::TempDir;

std::string TextSample(const std::string& name)
{
    return (tesmor::test::SourceDir() / "tests" / "data" / "formats" / name).string();
}

// The records that the core reads from a text file, completed as opening completes them.
model::Records CoreTextRecords(const std::string& path, model::FileKind kind,
                               const formats::OrientationDefaults& defaults)
{
    model::Records records;
    EXPECT_TRUE(formats::ReadTextDataFile(path, kind, records, 1, defaults).ok());
    math::ComputeRecordDerived(records);
    return records;
}

TEST(TextFormats, ConvertWritesWhatTheBinaryWriterMakesOfTheImportedRecords)
{
    TempDir dir;
    const formats::OrientationDefaults defaults {6, 0, 6, 0};

    const ToolRun run = RunTool({"convert", "--defaults", "6,0,6,0", TextSample("two_blocks.asc"),
                                 "-o", dir.file("asc.ran")});

    ASSERT_EQ(run.status, 0) << run.err;
    const model::Records core
        = CoreTextRecords(TextSample("two_blocks.asc"), model::FileKind::Asc, defaults);
    auto expected = formats::EncodeAmsBinary(core, false);
    ASSERT_TRUE(expected.ok());
    EXPECT_EQ(tesmor::test::ReadBytes(dir.file("asc.ran")), *expected);
}

TEST(TextFormats, RecordsOfAProFileCarryItsNamesAndTensors)
{
    const model::Records core
        = CoreTextRecords(TextSample("two_blocks.pro"), model::FileKind::Pro, {});

    const ToolRun run = RunTool({"records", TextSample("two_blocks.pro")});

    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = ParseJson(run.out);
    ASSERT_EQ(j["records"].size(), core.size());
    EXPECT_EQ(j["records"][0]["Name"], core[0].Name);
    EXPECT_EQ(static_cast<float>(j["records"][1]["K23"].get<double>()), core[1].K23);
}

TEST(TextFormats, ATextFileCannotBeOpenedWithABinaryOne)
{
    TempDir dir;
    const std::string binary = WriteSite(dir, "site.ran", 5);

    const ToolRun run = RunTool({"records", TextSample("two_blocks.apg"), binary});

    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("different kinds"), std::string::npos);
}

} // namespace
} // namespace tesmor::cli::test
