// Acting on the records: selecting, disregarding and restoring them, saving the data set, its
// selected records or its mean tensor, and merging a geological file.

#include "app/browser.h"
#include "app/file_kinds.h"
#include "app/listing.h"
#include "app/table_view.h"

#include <algorithm>

namespace tesmor::app {

namespace {

// File types of the mean tensor's Save button, and of "Save as" and "Save selected records as"
// (the exchange formats added), in the order of RecordFormat.
constexpr const char* MeanFilter = "Varkel AMS format (*.ran)|*.ran|ASCII text file (*.txt)|*.txt|"
                                   "Dravex file (*.dat)|*.dat";
constexpr const char* RecordFilter
    = "Varkel AMS format (*.ran)|*.ran|ASCII text file (*.txt)|*.txt|"
      "Dravex file (*.dat)|*.dat|MagIC 3.0 specimens table (*.txt)|*.txt|"
      "s-file of tensor elements (*.s)|*.s";

RecordFormat formatOf(int filterIndex)
{
    return filterIndex >= 2 && filterIndex <= 5 ? static_cast<RecordFormat>(filterIndex)
                                                : RecordFormat::AmsBinary;
}

// The folder of a chosen path, with its separator, and the name after it.
std::pair<std::string, std::string> splitPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {"", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

} // namespace

void Browser::lstNames_Release(const std::vector<bool>& selectedRows)
{
    if (!m_state.ViewsReady)
        return;
    ListBox& list = m_controls.lstNames;
    // The list already shows this selection: its revision stays, so it is not copied back.
    list.selected.assign(list.rows.size(), false);
    std::copy_n(selectedRows.begin(), std::min(selectedRows.size(), list.selected.size()),
                list.selected.begin());
    const std::vector<bool> records(list.selected.begin() + (list.selected.empty() ? 0 : 1),
                                    list.selected.end());
    m_state.SelectActive(records);
    Overview_Show();
}

void Browser::mnuClearSelection_Click()
{
    if (!m_state.ViewsReady)
        return;
    ListBox& list = m_controls.lstNames;
    list.selected.assign(list.rows.size(), false);
    ++list.selectionRevision;
    m_state.ClearSelection();
    Overview_Show();
}

void Browser::mnuInvertSelection_Click()
{
    if (!m_state.ViewsReady)
        return;
    ListBox& list = m_controls.lstNames;
    for (std::size_t row = 1; row < list.selected.size(); ++row)
        list.selected[row] = !list.selected[row];
    ++list.selectionRevision;
    m_state.InvertSelection();
    Overview_Show();
}

void Browser::mnuDisregardSelectedRecords_Click()
{
    if (!m_state.ViewsReady)
        return;
    if (!m_state.DisregardSelected()) {
        m_ui.ShowMessage({"You cannot disregard all records!", "Disregard error",
                          model::MessageIcon::Exclamation});
        return;
    }
    listAndShow();
}

void Browser::mnuRestoreAllRecords_Click()
{
    if (!m_state.ViewsReady)
        return;
    takeStructureNames();
    m_state.RestoreAll();
    refresh();
}

// Writes the records and opens the written file as the data set. A failure is shown and changes
// nothing: the file on disk stays as it was, the data set stays open and Cancelled stays set.
bool Browser::saveAndReopen(const std::string& path, RecordFormat format, bool selectedOnly)
{
    if (const model::Status failure = m_state.SaveRecords(path, format, selectedOnly)) {
        m_ui.ShowMessage(*failure);
        return false;
    }
    if (format != RecordFormat::AmsBinary)
        return true;
    if (const auto clashes = formats::CutNameClashes(m_state.Data.WorkingRecords, selectedOnly))
        m_ui.ShowMessage(*clashes);
    m_state.FilesToOpen = {path};
    m_state.FileKind = model::FileKind::Ams;
    m_state.Cancelled = false;
    OpenFiles();
    return true;
}

void Browser::mnuSave_Click()
{
    if (!m_state.ViewsReady)
        return;
    BrowserState& s = m_state;
    s.Cancelled = true;
    if (!s.BaseName.empty() && IsBinaryKind(s.FileKind)) {
        // The file that is open, even when a text export has since moved the data folder.
        const std::string path
            = s.Data.FileNames.size() == 1 ? s.Data.FileNames.front() : s.DataFolder + s.FileName;
        if (!m_ui.AskOkCancel({"Overwrite existing  <<" + path + ">> file?", "File already exists",
                               model::MessageIcon::Question}))
            return;
        saveAndReopen(path, RecordFormat::AmsBinary, false);
        return;
    }
    const FileDialogAnswer answer = m_ui.SaveFileDialog(
        SaveDialogRequest("Save", s.DataFolder, s.BaseName, "Varkel AMS format (*.ran)|*.ran"));
    if (answer.path.empty())
        return;
    const auto [folder, name] = splitPath(answer.path);
    const std::string previousFolder = s.DataFolder;
    s.DataFolder = folder;
    if (!saveAndReopen(answer.path, RecordFormat::AmsBinary, false))
        s.DataFolder = previousFolder;
}

void Browser::mnuSaveAs_Click()
{
    saveRecordsAs(false);
}

void Browser::mnuSaveSelectedRecords_Click()
{
    saveRecordsAs(true);
}

void Browser::saveRecordsAs(bool selectedOnly)
{
    if (!m_state.ViewsReady)
        return;
    BrowserState& s = m_state;
    s.Cancelled = true;
    if (selectedOnly && !s.AnySelected()) {
        // Said before the file dialog, so that nobody chooses a file for nothing.
        m_ui.ShowMessage(NoRecordSelectedMessage());
        return;
    }
    const FileDialogAnswer answer = m_ui.SaveFileDialog(
        SaveDialogRequest(selectedOnly ? "Save selected records as" : "Save as", s.DataFolder,
                          s.BaseName, RecordFilter));
    if (answer.path.empty())
        return;
    const auto [folder, name] = splitPath(answer.path);
    const RecordFormat format = formatOf(answer.filterIndex);
    const std::string previousFolder = s.DataFolder;
    const std::string previousBase = s.BaseName;
    s.DataFolder = folder;
    s.BaseName = name.size() > 4 ? name.substr(0, name.size() - 4) : "";
    if (!saveAndReopen(answer.path, format, selectedOnly)) {
        s.DataFolder = previousFolder;
        s.BaseName = previousBase;
    }
}

void Browser::cmdSave_Click()
{
    if (!m_state.ViewsReady)
        return;
    if (m_state.Data.ActiveRecords.size() < 5) {
        m_ui.ShowMessage({NotEnoughRecordsText});
        return;
    }
    const std::string& name = m_controls.txtMeanName.text;
    if (name.empty()) {
        m_ui.ShowMessage(
            {"No name inserted!", "Save Mean directions", model::MessageIcon::Exclamation});
        return;
    }
    FileDialogRequest request
        = SaveDialogRequest("Save Mean directions", m_state.DataFolder, "", MeanFilter);
    request.confirmOverwrite = false; // the mean tensor is added to an existing file
    const FileDialogAnswer answer = m_ui.SaveFileDialog(request);
    if (answer.path.empty())
        return;
    const RecordFormat format = formatOf(answer.filterIndex);
    if (format == RecordFormat::DirectionFile) {
        m_ui.ShowMessage({"Dravex file"});
        return;
    }
    if (const model::Status failure = m_state.SaveMeanTensor(answer.path, format, name))
        m_ui.ShowMessage(*failure);
}

void Browser::mnuEditData_Click()
{
    if (!m_state.ViewsReady)
        return;
    TableView view(m_state, m_ui);
    m_ui.RunTableView(view);
    if (!m_state.Cancelled)
        OpenFiles();
}

void Browser::mnuRot_SpecToGeo_Click()
{
    rotate(math::RotationMode::SpecimenToGeographic);
}

void Browser::mnuRot_GeoToSpec_Click()
{
    rotate(math::RotationMode::GeographicToSpecimen);
}

// Merges a geological file into the loaded records and shows them in the geographic system
// (specimen to geographic) or the specimen system (the way back). Cancelling the file dialog or
// the name-matching dialog abandons the merge; a file that cannot be merged changes nothing.
void Browser::rotate(math::RotationMode direction)
{
    if (!m_state.ViewsReady)
        return;
    FileDialogRequest request;
    request.title = "Geological file";
    request.initialFolder = m_state.DataFolder;
    request.filter = "Geological file(s) (*.ged)|*.ged";
    const FileDialogAnswer answer = m_ui.OpenFileDialog(request);
    if (answer.path.empty() || !m_ui.ChooseGedMatchMode(m_state.GedMatchMode))
        return;
    const auto mode
        = m_state.GedMatchMode == 2 ? formats::GedMatchMode::Full : formats::GedMatchMode::FromLeft;
    auto merged = m_state.MergeGeologicalFile(answer.path, mode, direction);
    if (!merged) {
        m_ui.ShowMessage(merged.error());
        return;
    }
    if (*merged)
        m_ui.ShowMessage(**merged);
    MainWindowControls& c = m_controls;
    if (direction == math::RotationMode::SpecimenToGeographic) {
        resetStructureControls();
        fillStructureControls(m_state.FoliationTypes.empty() ? OpenMode::NoFoliation
                                                             : OpenMode::WithFoliation);
    } else {
        c.optSpec.enabled = true;
        for (OptionButton* option : {&c.optGeo, &c.optPaleo, &c.optTecto})
            option->enabled = false;
    }
    markCoordinateOption();
    listAndShow();
}

} // namespace tesmor::app
