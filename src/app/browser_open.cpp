// Opening data sets: the Open command, OpenFiles, previous and next file, Close.

#include "app/browser.h"
#include "app/open_multiple_dialog.h"
#include "app/structure_types.h"
#include "formats/ams_binary.h"
#include "formats/text_import.h"
#include "math/principal_axes.h"
#include "model/codepage.h"

namespace tesmor::app {

namespace {

using model::FileKind;

bool isBinaryKind(FileKind kind)
{
    return kind >= FileKind::BinaryAll && kind <= FileKind::Para;
}

bool isTextKind(FileKind kind)
{
    return kind >= FileKind::Pro && kind <= FileKind::Asc;
}

bool hasReader(FileKind kind)
{
    return isBinaryKind(kind) || isTextKind(kind);
}

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
    if (result.Kind == FileKind::Geological) {
        m_state.GedFileName = m_state.FilesToOpen.size() == 1
            ? nameInFolder(m_state.FilesToOpen.front(), m_state.DataFolder)
            : std::string();
        m_ui.ShowWindow(WindowId::GedEditor, true);
        return;
    }
    OpenFiles();
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
    if (count == 0 || !hasReader(m_state.FileKind))
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

void Browser::OpenFiles()
{
    resetStructureControls();
    setNames();
    if (!readFiles()) {
        ClearWindow();
        return;
    }
    math::ComputeRecordDerived(m_state.Data.LoadedRecords);
    m_state.Data.WorkingRecords = m_state.Data.LoadedRecords;
    m_state.Data.ActiveRecords.clear();
    const OpenMode mode = buildStructureControls();
    transformForMode(mode);
    refreshAfterTransform();
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

// Reads every file of FilesToOpen into fresh loaded records. A reader's error is shown and
// abandons the whole opening; a notice about a shortened file is shown and its complete records
// are kept.
bool Browser::readFiles()
{
    model::Records loaded;
    const formats::OrientationDefaults defaults {m_state.DefaultP1, m_state.DefaultP2,
                                                 m_state.DefaultP3, m_state.DefaultP4};
    const FileKind kind = m_state.FileKind;
    bool ok = hasReader(kind) && !m_state.FilesToOpen.empty();
    for (const std::string& path : m_state.FilesToOpen) {
        if (!ok)
            break;
        const int start = static_cast<int>(loaded.size()) + 1;
        auto import = isBinaryKind(kind)
            ? formats::ReadAmsBinaryFile(path, loaded, start, defaults)
            : formats::ReadTextDataFile(path, kind, loaded, start, defaults);
        if (!import)
            m_ui.ShowMessage(import.error());
        else if (import->Notice)
            m_ui.ShowMessage(*import->Notice);
        ok = import.ok();
    }
    if (ok && loaded.empty()) {
        // Readers refuse empty files; a data set without a record is never shown.
        m_ui.ShowMessage(formats::EmptyFileMessage(m_state.FilesToOpen.front()));
        ok = false;
    }
    m_state.Data.LoadedRecords = ok ? std::move(loaded) : model::Records {};
    return ok;
}

Browser::OpenMode Browser::buildStructureControls()
{
    BrowserState& s = m_state;
    MainWindowControls& c = m_controls;
    s.FoliationTypes.clear();
    s.LineationTypes.clear();
    if (s.Data.WorkingRecords.front().Code1 == "SS") {
        s.CoordSystem = math::CoordinateSystem::Specimen;
        c.optSpec.enabled = true;
        return OpenMode::NoOrientation;
    }
    c.optGeo.enabled = true;
    if (s.CoordSystem == math::CoordinateSystem::Specimen)
        s.CoordSystem = math::CoordinateSystem::Geographic;
    fillStructureControls();
    if (s.FoliationTypes.empty()) {
        s.CoordSystem = math::CoordinateSystem::Geographic;
        return OpenMode::NoFoliation;
    }
    return OpenMode::WithFoliation;
}

// Rebuilds the type lists from the working records and fills lstFoli, cboFoli, lstLine and
// cboLine with them, enabling the controls that structures make meaningful.
void Browser::fillStructureControls()
{
    BrowserState& s = m_state;
    MainWindowControls& c = m_controls;
    s.FoliationTypes = FoliationTypesOf(s.Data.WorkingRecords);
    s.LineationTypes = LineationTypesOf(s.Data.WorkingRecords);
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

void Browser::transformForMode(OpenMode mode)
{
    using math::CoordinateSystem;
    const CoordinateSystem system = mode == OpenMode::NoOrientation ? CoordinateSystem::Specimen
        : mode == OpenMode::NoFoliation                             ? CoordinateSystem::Geographic
                                                                    : m_state.CoordSystem;
    if (system == CoordinateSystem::Paleogeographic || system == CoordinateSystem::Tectonic) {
        takeStructureNames();
        transform(system, m_state.FoliationName, m_state.LineationName, m_state.PaleoReference);
    } else {
        transform(system, "0", "0", math::PaleoReference::Horizontal);
    }
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
