// Saving the data set, its selected records and its mean tensor, with scripted answers, read
// back from the files written; failures on real paths leave every file as it was.

#include "app/cell_text.h"
#include "app/file_kinds.h"
#include "app/listing.h"
#include "app_fixture.h"
#include "formats/ams_binary.h"
#include "model/file_io.h"
#include "sample_site.h"

#include <algorithm>
#include <filesystem>

namespace tesmor::app {
namespace {

using SavingTest = test_support::LoadedBrowserTest;
using test_support::Rows;

// The specimen names of a binary data file, read back.
std::vector<std::string> NamesIn(const std::string& path)
{
    model::Records records;
    std::vector<std::string> names;
    if (formats::ReadAmsBinaryFile(path, records, 1, {}).ok())
        for (const model::SpecimenRecord& r : records)
            names.push_back(r.Name);
    return names;
}

TEST_F(SavingTest, SaveSelectedRecordsWritesTheSelectedWorkingRecordsOnly)
{
    writeFile("x.ran", 6);
    open({"x.ran"});
    browser.lstNames_Release(Rows(6, {2, 3}));
    browser.mnuDisregardSelectedRecords_Click();
    browser.lstNames_Release(Rows(4, {4}));
    ui.saveAnswers = {{dataFolder() + "last.ran", 1}};

    browser.mnuSaveSelectedRecords_Click();

    EXPECT_EQ(NamesIn(dataFolder() + "last.ran"), std::vector<std::string> {"S6"});
    EXPECT_EQ(ui.saveRequests.back().filter,
              "Varkel AMS format (*.ran)|*.ran|ASCII text file (*.txt)|*.txt|"
              "Dravex file (*.dat)|*.dat|MagIC 3.0 specimens table (*.txt)|*.txt|"
              "s-file of tensor elements (*.s)|*.s");
    EXPECT_EQ(c().frmMain.caption, "Tesmor 42 - [" + dataFolder() + "last.ran]");
    EXPECT_FALSE(state().Cancelled);

    // With nothing selected nothing is written, and the person is told before any dialog.
    ui.saveRequests.clear();
    browser.mnuSaveSelectedRecords_Click();
    EXPECT_EQ(ui.messages.back(), NoRecordSelectedMessage());
    EXPECT_TRUE(ui.saveRequests.empty() && state().Cancelled);
}

TEST_F(SavingTest, SaveRewritesTheOneOpenFileAfterTheQuestionOrAsksForAName)
{
    writeFile("x.ran", 6);
    open({"x.ran"});
    browser.lstNames_Release(Rows(6, {1}));
    browser.mnuDisregardSelectedRecords_Click();
    const std::string before = tesmor::test::ReadBytes(dataFolder() + "x.ran");
    // A text export elsewhere moves the data folder, not the file that Save writes.
    std::filesystem::create_directory(dataFolder() + "out");
    ui.saveAnswers = {{dataFolder() + "out/x.txt", 2}};
    browser.mnuSaveAs_Click();
    ui.okAnswers = {false, true};

    browser.mnuSave_Click();
    EXPECT_EQ(tesmor::test::ReadBytes(dataFolder() + "x.ran"), before);
    EXPECT_TRUE(state().Cancelled);
    browser.mnuSave_Click();

    EXPECT_EQ(ui.questions.back(),
              (model::UserMessage {"Overwrite existing  <<" + dataFolder() + "x.ran>> file?",
                                   "File already exists", model::MessageIcon::Question}));
    EXPECT_EQ(NamesIn(dataFolder() + "x.ran"),
              (std::vector<std::string> {"S2", "S3", "S4", "S5", "S6"}));
    EXPECT_EQ(state().Data.LoadedRecords.size(), 5u);
    EXPECT_FALSE(state().Cancelled);

    writeFile("y.ran", 2);
    open({"x.ran", "y.ran"});
    ui.saveAnswers = {{dataFolder() + "both.ran", 1}};
    browser.mnuSave_Click();
    EXPECT_EQ(ui.saveRequests.back().filter, "Varkel AMS format (*.ran)|*.ran");
    EXPECT_EQ(NamesIn(dataFolder() + "both.ran").size(), 7u);
    EXPECT_EQ(state().FileName, "both.ran");
    EXPECT_EQ(c().txtMeanName.text, "both");
}

// A save that cannot be written names the file and the reason, and changes nothing: no file,
// the open data set, Cancelled.
TEST_F(SavingTest, FailedSavesSayWhyAndChangeNothing)
{
    writeFile("x.ran", 6);
    std::filesystem::create_directory(dataFolder() + "folder.ran");
    const std::vector<std::string> paths
        = {dataFolder() + "missing/x.ran", dataFolder() + "folder.ran", "/dev/full"};
    for (const std::string& path : paths) {
        for (int format : {1, 2}) {
            SCOPED_TRACE(path + " " + std::to_string(format));
            open({"x.ran"});
            const std::string before = tesmor::test::ReadBytes(dataFolder() + "x.ran");
            ui.messages.clear();
            ui.saveAnswers = {{path, format}, {path, format}};

            browser.mnuSaveAs_Click();
            browser.cmdSave_Click();

            ASSERT_EQ(ui.messages.size(), 2u);
            for (const model::UserMessage& message : ui.messages) {
                EXPECT_NE(message.text.find(path), std::string::npos) << message.text;
                EXPECT_EQ(message.icon, model::MessageIcon::Critical);
            }
            EXPECT_EQ(tesmor::test::ReadBytes(dataFolder() + "x.ran"), before);
            EXPECT_EQ(state().FileName, "x.ran");
            EXPECT_EQ(state().DataFolder, dataFolder());
            EXPECT_TRUE(state().Cancelled);
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(dataFolder() + "folder.ran"));
    EXPECT_FALSE(std::filesystem::exists(dataFolder() + "missing"));
}

TEST_F(SavingTest, TheMeanTensorIsAddedToAFileOrRefusedWithAMessage)
{
    writeFile("four.ran", 4);
    writeFile("x.ran", 6);
    open({"four.ran"});
    browser.cmdSave_Click();
    EXPECT_EQ(ui.messages.back(), model::UserMessage {"Not enough records for Tenvar statistics"});

    open({"x.ran"});
    browser.txtMeanName_Change("");
    browser.cmdSave_Click();
    EXPECT_EQ(ui.messages.back(),
              (model::UserMessage {"No name inserted!", "Save Mean directions",
                                   model::MessageIcon::Exclamation}));
    EXPECT_TRUE(ui.saveRequests.empty());

    const std::string means = dataFolder() + "means.ran";
    const std::string listing = dataFolder() + "means.txt";
    tesmor::test::WriteBytes(dataFolder() + "notes.ran", std::string(128, 'x'));
    ui.saveAnswers = {{means, 1},
                      {means, 1},
                      {listing, 2},
                      {listing, 2},
                      {dataFolder() + "m.dat", 3},
                      {dataFolder() + "notes.ran", 1},
                      {dataFolder() + "x.ran", 1}};
    const std::string opened = tesmor::test::ReadBytes(dataFolder() + "x.ran");
    ui.messages.clear();
    for (const char* name : {"FIRST", "SECOND", "FIRST", "SECOND", "DAT", "NOTES", "OPEN"}) {
        browser.txtMeanName_Change(name);
        browser.cmdSave_Click();
    }

    EXPECT_FALSE(ui.saveRequests.back().confirmOverwrite);
    EXPECT_EQ(NamesIn(means), (std::vector<std::string> {"FIRST", "SECOND"}));
    const std::string text = tesmor::test::ReadBytes(listing);
    EXPECT_LT(text.find("FIRST"), text.find("SECOND"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_FALSE(std::filesystem::exists(dataFolder() + "m.dat"));
    EXPECT_EQ(tesmor::test::ReadBytes(dataFolder() + "notes.ran"), std::string(128, 'x'));
    EXPECT_EQ(tesmor::test::ReadBytes(dataFolder() + "x.ran"), opened);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0], model::UserMessage {"Dravex file"});
    EXPECT_NE(ui.messages[1].text.find("notes.ran"), std::string::npos);
    EXPECT_NE(ui.messages[2].text.find("x.ran"), std::string::npos);
}

// Open and disregard; text formats are written and keep the data set open as it was, and the
// binary file saved and reopened shows the statistics shown before.
TEST_F(SavingTest, TextFormatsKeepTheSetOpenAndASavedSetReopensWithTheSameStatistics)
{
    writeFile("x.ran", 9);
    open({"x.ran"});
    browser.lstNames_Release(Rows(9, {2, 7}));
    browser.mnuDisregardSelectedRecords_Click();
    std::vector<std::string> shown;
    for (const StatisticsLabel& label : StatisticsLabels())
        shown.push_back((c().*label.Control).text);
    ui.saveAnswers = {
        {dataFolder() + "x.txt", 2}, {dataFolder() + "x.dat", 3}, {dataFolder() + "kept.ran", 1}};

    browser.mnuSaveAs_Click();
    browser.mnuSaveAs_Click();
    EXPECT_NE(tesmor::test::ReadBytes(dataFolder() + "x.txt").find("S9"), std::string::npos);
    EXPECT_FALSE(tesmor::test::ReadBytes(dataFolder() + "x.dat").empty());
    EXPECT_EQ(state().FileName, "x.ran");
    EXPECT_TRUE(state().Cancelled);
    browser.mnuSaveAs_Click();

    ASSERT_EQ(state().FileName, "kept.ran");
    EXPECT_EQ(state().Data.LoadedRecords.size(), 7u);
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ((c().*StatisticsLabels()[i].Control).text, shown[i]) << i;
}

// Typed cells: the whole text must be a finite value of the field's kind.
TEST(CellText, OnlyWholeFiniteValuesOfTheFieldsKindAreTaken)
{
    EXPECT_EQ(CellNumber(" -2.5 "), -2.5);
    EXPECT_EQ(CellNumber("+1.3E-04"), 1.3e-4);
    for (const char* bad : {"", " ", "abc", "5x", "1,5", "inf", "nan", "+-1", "1e400"})
        EXPECT_FALSE(CellNumber(bad)) << bad;
    EXPECT_FALSE(CellFloat("1e39"));
    EXPECT_EQ(CellInt16("56.5"), 56);
    EXPECT_EQ(CellInt16("57.5"), 58);
    EXPECT_EQ(CellInt16("-32768"), -32768);
    EXPECT_FALSE(CellInt16("40000"));
}

TEST(CellText, EnterRunsAlongTheRowsAndWrapsTheArrowsStopAtTheEdges)
{
    const struct
    {
        GridCell from;
        GridKey key;
        GridCell to;
    } moves[] = {
        {{1, 1}, GridKey::Enter, {1, 2}},   {{1, 19}, GridKey::Enter, {2, 1}},
        {{3, 19}, GridKey::Enter, {1, 1}},  {{2, 1}, GridKey::Left, {2, 1}},
        {{2, 19}, GridKey::Right, {2, 19}}, {{1, 5}, GridKey::Up, {1, 5}},
        {{3, 5}, GridKey::Down, {3, 5}},    {{2, 5}, GridKey::Up, {1, 5}},
    };
    for (const auto& m : moves)
        EXPECT_EQ(MoveInGrid(m.from, m.key, 3, 19), m.to) << m.from.row << "," << m.from.column;
}

// The exchange formats carry the records out and back: tensors to float precision, names, Km
// and the statistics; the coordinate system of a MagIC table is the only one it opens in.
TEST(ExchangeFormats, RoundTripsThroughMagicAndSFiles)
{
    const tesmor::test::TempDir dir;
    std::vector<std::string> messages;
    const auto sink = [&](const model::UserMessage& m) { messages.push_back(m.text); };
    const auto openAs = [&](DataSession& s, const std::string& path) {
        return s.Open({path}, KindOfFiles({path}).Kind, {}, sink);
    };
    const auto expectSameTensors
        = [](const model::Records& a, const model::Records& b, bool names) {
              ASSERT_EQ(a.size(), b.size());
              for (std::size_t i = 0; i < a.size(); ++i) {
                  SCOPED_TRACE(a[i].Name);
                  EXPECT_TRUE(!names || a[i].Name == b[i].Name);
                  const float x[] = {a[i].K11, a[i].K22, a[i].K33, a[i].K12, a[i].K23, a[i].K13};
                  const float y[] = {b[i].K11, b[i].K22, b[i].K33, b[i].K12, b[i].K23, b[i].K13};
                  for (int k = 0; k < 6; ++k)
                      EXPECT_FLOAT_EQ(x[k], y[k]);
                  if (names) {
                      EXPECT_FLOAT_EQ(a[i].Km, b[i].Km);
                  }
              }
          };
    ASSERT_FALSE(formats::WriteAmsBinaryFile(dir.file("site.ran"),
                                             tesmor::test::MakeSampleRecords(30), false));
    DataSession site;
    ASSERT_TRUE(openAs(site, dir.file("site.ran")));
    ASSERT_FALSE(site.SaveRecords(dir.file("site.txt"), RecordFormat::MagicTable, false));
    ASSERT_FALSE(site.SaveRecords(dir.file("site.s"), RecordFormat::SFile, false));

    DataSession magic;
    EXPECT_EQ(openAs(magic, dir.file("site.txt")), OpenMode::NoFoliation);
    expectSameTensors(site.Data.LoadedRecords, magic.Data.LoadedRecords, true);
    EXPECT_FLOAT_EQ(magic.Statistics.Kaver, site.Statistics.Kaver);
    EXPECT_FLOAT_EQ(magic.Statistics.Pjaver, site.Statistics.Pjaver);
    ASSERT_FALSE(magic.SaveRecords(dir.file("back.ran"), RecordFormat::AmsBinary, false));
    DataSession back;
    ASSERT_TRUE(openAs(back, dir.file("back.ran")));
    expectSameTensors(site.Data.LoadedRecords, back.Data.LoadedRecords, true);

    DataSession s;
    EXPECT_EQ(openAs(s, dir.file("site.s")), OpenMode::NoOrientation);
    expectSameTensors(site.Data.LoadedRecords, s.Data.LoadedRecords, false);

    // Tilt-corrected coordinates open in the paleogeographic system only; the tectonic system
    // has no MagIC code.
    ASSERT_FALSE(site.Show({math::CoordinateSystem::Paleogeographic, "B", "0"}));
    ASSERT_FALSE(site.SaveRecords(dir.file("tilt.txt"), RecordFormat::MagicTable, false));
    DataSession tilt;
    EXPECT_EQ(openAs(tilt, dir.file("tilt.txt")), OpenMode::TiltCorrectedOnly);
    expectSameTensors(site.Data.ActiveRecords, tilt.Data.ActiveRecords, true);
    EXPECT_TRUE(tilt.Show({math::CoordinateSystem::Geographic}));
    EXPECT_EQ(tilt.CoordSystem, math::CoordinateSystem::Paleogeographic);
    ASSERT_FALSE(site.Show({math::CoordinateSystem::Tectonic, "B", "0"}));
    EXPECT_TRUE(site.SaveRecords(dir.file("tecto.txt"), RecordFormat::MagicTable, false));
    EXPECT_FALSE(model::FileExists(dir.file("tecto.txt")));
    EXPECT_TRUE(messages.empty());

    // Long names stay in the session; cutting them for a binary file is announced on a clash.
    model::Records named = magic.Data.LoadedRecords;
    named[0].Name = "ABCDEFGHIJKLM1";
    named[1].Name = "ABCDEFGHIJKLM2";
    EXPECT_FALSE(formats::CutNameClashes(model::Records(named.begin() + 1, named.end()), false));
    const auto clash = formats::CutNameClashes(named, false);
    ASSERT_TRUE(clash);
    EXPECT_NE(clash->text.find("ABCDEFGHIJKLM1 ABCDEFGHIJKLM2  become  ABCDEFGHIJKL"),
              std::string::npos);
}

} // namespace
} // namespace tesmor::app
