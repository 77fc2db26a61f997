// File kinds by name, and data files named on the window's command line.

#include "app/command_line_files.h"
#include "app/file_kinds.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::test {
namespace {

using app::KindOfFiles;
using app::KindOfPath;
using model::FileKind;

TEST(FileKinds, FollowTheFileNameInAnyCase)
{
    EXPECT_EQ(KindOfPath("/d/site.RAN"), FileKind::Ams);
    EXPECT_EQ(KindOfPath("x.are"), FileKind::Amr);
    EXPECT_EQ(KindOfPath("x.asp"), FileKind::Para);
    EXPECT_EQ(KindOfPath("x.Asc"), FileKind::Asc);
    EXPECT_EQ(KindOfPath("x.ged"), FileKind::Geological);
    EXPECT_EQ(KindOfPath("x.txt"), FileKind::None);
    EXPECT_EQ(KindOfPath("ran"), FileKind::None);
    EXPECT_EQ(KindOfPath("/d.ran/site"), FileKind::None);

    EXPECT_EQ(KindOfFiles({"a.ran", "b.ran"}).Kind, FileKind::Ams);
    EXPECT_EQ(KindOfFiles({"a.ran", "b.are"}).Kind, FileKind::BinaryAll);
    EXPECT_EQ(KindOfFiles({"a.pro", "b.pro"}).Kind, FileKind::Pro);
    for (const std::vector<std::string>& refused : std::vector<std::vector<std::string>> {
             {"a.ged"}, {"a.txt"}, {"a.ran", "b.pro"}, {"a.pro", "b.apg"}}) {
        EXPECT_EQ(KindOfFiles(refused).Kind, FileKind::None);
        EXPECT_NE(KindOfFiles(refused).Problem.find(refused.back()), std::string::npos);
    }
}

// Files named on the command line are opened like the open dialog chooses them; missing,
// unknown, mixed or geological files are refused and change nothing.
TEST(CommandLineFiles, AreOpenedLikeTheOpenDialogChoosesThemOrRefused)
{
    TempDir temp;
    for (const char* name : {"c.ran", "a.ran", "b.ran", "z.pro", "d.are", "a.doc", "a.ged"})
        WriteBytes(temp.file(name), "x");
    const std::string folder = temp.path().string() + "/";
    app::BrowserState state;

    ASSERT_FALSE(app::PrepareCommandLineFiles(state, {temp.file("b.ran")}));

    EXPECT_EQ(state.FilesToOpen, std::vector<std::string> {folder + "b.ran"});
    EXPECT_EQ(state.DataFolder, folder);
    EXPECT_EQ(state.FileKind, FileKind::Ams);
    EXPECT_EQ(state.FolderFiles,
              (std::vector<std::string> {folder + "a.ran", folder + "b.ran", folder + "c.ran"}));
    EXPECT_EQ(state.FolderFileIndex, 2);
    ASSERT_FALSE(app::PrepareCommandLineFiles(state, {temp.file("a.ran"), temp.file("d.are")}));
    EXPECT_EQ(state.FileKind, FileKind::BinaryAll);
    EXPECT_EQ(state.FilesToOpen.size(), 2u);

    app::BrowserState refused;
    refused.DataFolder = "/kept/";
    for (const std::vector<std::string>& names : std::vector<std::vector<std::string>> {
             {"missing.ran"}, {"a.doc"}, {"a.ged"}, {"a.ran", "z.pro"}}) {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(temp.file(name));
        EXPECT_TRUE(app::PrepareCommandLineFiles(refused, paths)) << names.back();
    }
    EXPECT_EQ(refused.DataFolder, "/kept/");
    EXPECT_TRUE(refused.FilesToOpen.empty());
}

} // namespace
} // namespace tesmor::test
