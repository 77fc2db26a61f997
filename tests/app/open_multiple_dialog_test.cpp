// The open-multiple dialog: file types, listing, selection and what it returns.

#include "app/open_multiple_dialog.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace tesmor::app {
namespace {

class OpenMultipleDialogTest : public ::testing::Test
{
protected:
    OpenMultipleDialogTest()
    {
        for (const char* name : {"c.ran", "a.ran", "b.RAN", "d.poo", "e.txt", ".hidden.ran"})
            tesmor::test::WriteBytes(dir.file(name), "x");
        std::filesystem::create_directories(dir.path() / "sub.ran");
        dialog.Load(folder(), 0, "/");
    }
    std::string folder() const { return dir.path().string() + "/"; }

    tesmor::test::TempDir dir;
    OpenMultipleDialog dialog;
};

TEST(FileTypes, PatternsMatchWholeNamesInAnyCase)
{
    EXPECT_TRUE(MatchesPattern("X.ARE", "*.ran;*.are"));
    EXPECT_FALSE(MatchesPattern("x.ran.bak", "*.ran"));
}

// Doubled separators and a missing folder are cleaned up on loading.
TEST_F(OpenMultipleDialogTest, ListsTheFilesOfTheChosenTypeInNameOrderInTheCleanedFolder)
{
    EXPECT_EQ(dialog.Entries(), (std::vector<std::string> {"a.ran", "b.RAN", "c.ran", "d.poo"}));
    EXPECT_EQ(dialog.Caption(), "Open multiple - [ " + folder() + "]");
    dialog.ChooseFileType(3);
    EXPECT_EQ(dialog.Entries(), (std::vector<std::string> {"d.poo"}));
    EXPECT_EQ(dialog.FileTypeIndex(), 3);

    OpenMultipleDialog other;
    other.Load(dir.path().string() + "//", 0, "/");
    EXPECT_EQ(other.Folder(), folder());
    other.Load(folder() + "gone/", 0, folder());
    EXPECT_EQ(other.Folder(), folder());
}

TEST_F(OpenMultipleDialogTest, OpenReturnsChosenAndListedFilesAndTheLastPosition)
{
    dialog.ChooseFileType(1);
    dialog.SetSelected(1, true);
    dialog.SetSelected(2, true);

    ASSERT_FALSE(dialog.Open());

    const OpenMultipleResult& r = dialog.Result();
    EXPECT_EQ(r.ChosenFiles, (std::vector<std::string> {folder() + "b.RAN", folder() + "c.ran"}));
    EXPECT_EQ(r.ListedFiles.size(), 3u);
    EXPECT_EQ(r.CurrentPosition, 3);
    EXPECT_EQ(r.Kind, model::FileKind::Ams);
    EXPECT_EQ(r.Extension, "RAN");
    EXPECT_EQ(r.Folder, folder());
    EXPECT_FALSE(r.Cancelled);
    EXPECT_TRUE(dialog.Closed());

    // A double click opens its entry alone.
    OpenMultipleDialog fresh;
    fresh.Load(folder(), 0, "/");
    ASSERT_FALSE(fresh.DoubleClick(2));
    EXPECT_EQ(fresh.Result().ChosenFiles, (std::vector<std::string> {folder() + "c.ran"}));
}

TEST(Drives, IncludeTheFileSystemRoot)
{
    const std::vector<std::string> drives = AvailableDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front(), "/");
}

} // namespace
} // namespace tesmor::app
