// Opening data sets: the Open command, OpenFiles, previous and next file, Close.

#include "app/browser.h"
#include "app/file_kinds.h"
#include "app/ged_editor.h"
#include "app/open_multiple_dialog.h"
#include "app/structure_types.h"
#include "model/codepage.h"

namespace tesmor::app {

namespace {

// The file name of `path` seen from `folder`: the path less the folder's characters, or the
// last path component when the path lies elsewhere.
std::string nameInFolder(const std::string& path, const std::string& folder)
{
    if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0)
        return path.substr(folder.size());
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

void Browser::mnuOpen_Click()
{
    m_state.FilesToOpen.clear();
    m_state.FolderFiles.clear();
    m_state.Cancelled = false;

    OpenMultipleDialog dialog;
    dialog.Load(m_state.DataFolder, m_state.FileTypeIndex, m_state.ProgramFolder);
    m_ui.RunOpenMultiple(dialog);
    m_state.FileTypeIndex = static_cast<std::int16_t>(dialog.FileTypeIndex());
    const OpenMultipleResult& result = dialog.Result();
    if (!dialog.Closed() || result.Cancelled) {
        m_state.Cancelled = true;
        return;
    }
    m_state.FilesToOpen = result.ChosenFiles;
    m_state.FolderFiles = result.ListedFiles;
    m_state.FolderFileIndex = result.CurrentPosition;
    m_state.DataFolder = result.Folder;
    m_state.FileKind = result.Kind;
    if (result.Kind == model::FileKind::Geological) {
        m_state.GedFileName = m_state.FilesToOpen.size() == 1
            ? nameInFolder(m_state.FilesToOpen.front(), m_state.DataFolder)
            : std::string();
        openGeologicalFiles();
        return;
    }
    OpenFiles();
}

std::shared_ptr<GedEditor> Browser::newGedEditor(const std::string& fileName)
{
    const BrowserState& s = m_state;
    return std::make_shared<GedEditor>(
        m_ui, s.DataFolder, fileName,
        std::array<std::int16_t, 4> {s.DefaultP1, s.DefaultP2, s.DefaultP3, s.DefaultP4});
}

// One editor at a time: an open one is closed first, asking about its unsaved edits; false when
// the person goes back to it.
bool Browser::closeGedEditor()
{
    return !m_gedEditor || m_gedEditor->Closed() || m_gedEditor->QueryClose();
}

// A new geological file: an empty editor kept above the main window. When the editor is already
// open it is brought forward with its edits.
void Browser::mnuNewGED_Click()
{
    if (!m_gedEditor || m_gedEditor->Closed()) {
        m_gedEditor = newGedEditor("");
        m_gedEditor->caption = "Geological file - new";
    }
    m_ui.ShowGedEditor(m_gedEditor, false);
}

// The chosen geological files, read one after another into one table, in a modal editor. A file
// that cannot be read is reported and opens nothing: a table missing part of a file must not be
// saved over it.
void Browser::openGeologicalFiles()
{
    formats::GedEntries entries;
    for (const std::string& path : m_state.FilesToOpen) {
        const formats::GedEditRead read
            = formats::ReadGedFileForEditing(path, entries, static_cast<int>(entries.size()) + 1);
        if (read.Error) {
            m_ui.ShowMessage(*read.Error);
            m_state.GedFileName.clear();
            return;
        }
    }
    if (!closeGedEditor())
        return;
    m_gedEditor = newGedEditor(m_state.GedFileName);
    m_gedEditor->Fill(entries);
    m_gedEditor->caption
        = "Geological file(s) -  [" + m_state.DataFolder + m_state.GedFileName + "]";
    m_ui.ShowGedEditor(m_gedEditor, true);
}

void Browser::mnuPrevious_Click()
{
    openNeighbour(-1);
}

void Browser::mnuNext_Click()
{
    openNeighbour(+1);
}

// Opens the file before or after the current one in the folder's list, wrapping at both ends.
// Lists of geological data files, and an empty list, have nothing to open here: the request
// is ignored and the open data set stays as it is.
void Browser::openNeighbour(int step)
{
    const int count = static_cast<int>(m_state.FolderFiles.size());
    if (count == 0 || !HasReader(m_state.FileKind))
        return;
    int index = m_state.FolderFileIndex + step;
    if (index < 1)
        index = count;
    else if (index > count)
        index = 1;
    m_state.FolderFileIndex = static_cast<std::int16_t>(index);
    m_state.FilesToOpen = {m_state.FolderFiles[index - 1]};
    OpenFiles();
}

void Browser::mnuClose_Click()
{
    ClearWindow();
}

void Browser::mnuAbout_Click()
{
    m_ui.ShowWindow(WindowId::About, true);
}

void Browser::txtMeanName_Change(const std::string& text)
{
    m_controls.txtMeanName.text = text;
}

void Browser::OpenFiles()
{
    resetStructureControls();
    setNames();
    const formats::OrientationDefaults defaults {m_state.DefaultP1, m_state.DefaultP2,
                                                 m_state.DefaultP3, m_state.DefaultP4};
    const std::optional<OpenMode> mode
        = m_state.Open(m_state.FilesToOpen, m_state.FileKind, defaults,
                       [this](const model::UserMessage& message) { m_ui.ShowMessage(message); });
    if (!mode) {
        ClearWindow();
        return;
    }
    fillStructureControls(*mode);
    listAndShow();
    enterOpenState();
}

void Browser::resetStructureControls()
{
    MainWindowControls& c = m_controls;
    c.lstNames.enabled = true;
    for (ListBox* list : {&c.lstFoli, &c.lstLine}) {
        list->rows.clear();
        list->selected.clear();
        ++list->rowsRevision;
        list->enabled = false;
    }
    for (ComboBox* box : {&c.cboFoli, &c.cboLine}) {
        box->items.clear();
        box->text.clear();
        box->enabled = false;
    }
    for (CheckBox* box : {&c.chcF1P, &c.chcF1C, &c.chcF1S, &c.chcL1})
        box->enabled = false;
    for (OptionButton* option : {&c.optSpec, &c.optGeo, &c.optPaleo, &c.optTecto,
                                 &c.optPaleoHorizontal, &c.optPaleoVertical})
        option->enabled = false;
}

void Browser::setNames()
{
    BrowserState& s = m_state;
    if (s.FilesToOpen.size() == 1) {
        s.FileName = nameInFolder(s.FilesToOpen.front(), s.DataFolder);
        s.BaseName = s.FileName.size() > 4 ? s.FileName.substr(0, s.FileName.size() - 4) : "";
    } else {
        s.FileName.clear();
        s.BaseName.clear();
    }
    m_controls.frmMain.caption = "Tesmor 42 - [" + s.DataFolder + s.FileName + "]";
    m_controls.txtMeanName.text = s.BaseName;
    s.Data.FileNames = s.FilesToOpen;
    s.Data.Folder = s.DataFolder;
    s.Data.FileName = s.FileName;
    s.Data.BaseName = s.BaseName;
    s.Data.Kind = s.FileKind;
}

// Enables the coordinate options that the opened set offers and fills lstFoli, cboFoli, lstLine
// and cboLine with its structure types, enabling the controls that structures make meaningful.
void Browser::fillStructureControls(OpenMode mode)
{
    BrowserState& s = m_state;
    MainWindowControls& c = m_controls;
    if (mode == OpenMode::NoOrientation) {
        c.optSpec.enabled = true;
        return;
    }
    if (mode == OpenMode::TiltCorrectedOnly) {
        c.optPaleo.enabled = true;
        return;
    }
    c.optGeo.enabled = true;
    for (const StructureType& type : s.FoliationTypes) {
        for (Control* control :
             {static_cast<Control*>(&c.lstFoli), static_cast<Control*>(&c.cboFoli),
              static_cast<Control*>(&c.chcF1P), static_cast<Control*>(&c.chcF1C),
              static_cast<Control*>(&c.chcF1S), static_cast<Control*>(&c.optPaleo),
              static_cast<Control*>(&c.optTecto), static_cast<Control*>(&c.optPaleoHorizontal),
              static_cast<Control*>(&c.optPaleoVertical)})
            control->enabled = true;
        c.lstFoli.rows.push_back(StructureEntryText(type));
        c.cboFoli.items.push_back(model::LetterText(type.Letter));
    }
    c.lstFoli.selected.assign(c.lstFoli.rows.size(), false);
    ++c.lstFoli.rowsRevision;
    if (s.FoliationTypes.empty())
        return;
    c.cboFoli.text = c.cboFoli.items.front();
    c.cboLine.enabled = true;
    c.cboLine.items = {"0"};
    c.cboLine.text = c.cboLine.items.front();
    for (const StructureType& type : s.LineationTypes) {
        c.lstLine.enabled = true;
        c.chcL1.enabled = true;
        c.lstLine.rows.push_back(StructureEntryText(type));
        c.cboLine.items.push_back(model::LetterText(type.Letter));
    }
    c.lstLine.selected.assign(c.lstLine.rows.size(), false);
    ++c.lstLine.rowsRevision;
}

void Browser::enterOpenState()
{
    MainWindowControls& c = m_controls;
    for (Control* control :
         {static_cast<Control*>(&c.picStereo), static_cast<Control*>(&c.picPlot1),
          static_cast<Control*>(&c.picPlot2), &c.fraCoor, &c.fraDisplay, &c.fraProperties,
          static_cast<Control*>(&c.lstNames), static_cast<Control*>(&c.cmdSave),
          static_cast<Control*>(&c.cmdExpand)})
        control->enabled = true;
    m_state.ViewsReady = true;
    enableViewOptions(true);
    markCoordinateOption();
    showDataMenus(true);
    c.txtMeanName.enabled = true;
    fillStatusBar();
}

void Browser::markCoordinateOption()
{
    MainWindowControls& c = m_controls;
    const auto system = m_state.CoordSystem;
    c.optSpec.checked = system == math::CoordinateSystem::Specimen;
    c.optGeo.checked = system == math::CoordinateSystem::Geographic;
    c.optPaleo.checked = system == math::CoordinateSystem::Paleogeographic;
    c.optTecto.checked = system == math::CoordinateSystem::Tectonic;
}

void Browser::fillStatusBar()
{
    auto& panels = m_controls.StatusBar1.panels;
    panels = {"Site:",   "Lat:",       "Lon:", "Rock:", "Stratigraphy:", "Lithostratigraphy:",
              "Region:", "Instrument:"};
    if (m_state.FilesToOpen.size() != 1)
        return;
    const model::SpecimenRecord& r = m_state.Data.WorkingRecords.front();
    const std::string* values[]
        = {&r.Site, &r.Lat, &r.Lon, &r.Rock, &r.Strat, &r.Litho, &r.Region, &r.Instrument};
    for (std::size_t i = 0; i < panels.size(); ++i)
        panels[i] += " " + *values[i];
}

} // namespace tesmor::app
