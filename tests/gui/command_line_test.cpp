// Files named on the command line: kind by extension, the folder's files for previous and next.

#include "gui/command_line.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::test {
namespace {

using model::FileKind;

TEST(CommandLine, TakesTheKindFromTheExtensionInAnyCase)
{
    EXPECT_EQ(gui::KindOfExtension("/data/x.ran"), FileKind::Ams);
    EXPECT_EQ(gui::KindOfExtension("X.RAN"), FileKind::Ams);
    EXPECT_EQ(gui::KindOfExtension("x.asp"), FileKind::Para);
    EXPECT_EQ(gui::KindOfExtension("x.pro"), FileKind::Pro);
    EXPECT_EQ(gui::KindOfExtension("x.ged"), FileKind::Geological);
    EXPECT_EQ(gui::KindOfExtension("x.txt"), FileKind::None);
    EXPECT_EQ(gui::KindOfExtension("ran"), FileKind::None);
}

TEST(CommandLine, PreparesTheFilesAndTheFolderListLikeTheOpenDialog)
{
    TempDir temp;
    for (const char* name : {"c.ran", "a.ran", "b.ran", "z.pro"})
        WriteBytes(temp.file(name), "x");
    app::BrowserState state;

    const model::Status error = gui::PrepareCommandLineFiles(state, {temp.file("b.ran")});

    ASSERT_FALSE(error);
    const std::string folder = temp.path().string() + "/";
    EXPECT_EQ(state.FilesToOpen, std::vector<std::string> {folder + "b.ran"});
    EXPECT_EQ(state.DataFolder, folder);
    EXPECT_EQ(state.FileKind, FileKind::Ams);
    EXPECT_EQ(state.FolderFiles,
              (std::vector<std::string> {folder + "a.ran", folder + "b.ran", folder + "c.ran"}));
    EXPECT_EQ(state.FolderFileIndex, 2);
}

TEST(CommandLine, BinaryFilesOfDifferentKindsOpenTogetherAsTheBinaryKind)
{
    TempDir temp;
    WriteBytes(temp.file("a.ran"), "x");
    WriteBytes(temp.file("a.are"), "x");
    app::BrowserState state;

    ASSERT_FALSE(gui::PrepareCommandLineFiles(state, {temp.file("a.ran"), temp.file("a.are")}));

    EXPECT_EQ(state.FileKind, FileKind::BinaryAll);
    EXPECT_EQ(state.FilesToOpen.size(), 2u);
}

TEST(CommandLine, RefusesMissingUnknownOrMixedFilesAndChangesNothing)
{
    TempDir temp;
    WriteBytes(temp.file("a.ran"), "x");
    WriteBytes(temp.file("a.pro"), "x");
    WriteBytes(temp.file("a.doc"), "x");
    app::BrowserState state;
    state.DataFolder = "/kept/";

    EXPECT_TRUE(gui::PrepareCommandLineFiles(state, {temp.file("missing.ran")}));
    EXPECT_TRUE(gui::PrepareCommandLineFiles(state, {temp.file("a.doc")}));
    EXPECT_TRUE(gui::PrepareCommandLineFiles(state, {temp.file("a.ran"), temp.file("a.pro")}));

    EXPECT_EQ(state.DataFolder, "/kept/");
    EXPECT_TRUE(state.FilesToOpen.empty());
}

} // namespace
} // namespace tesmor::test
