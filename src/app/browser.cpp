#include "app/browser.h"

#include "app/listing.h"
#include "app/open_multiple_dialog.h"
#include "app/settings.h"
#include "math/parallel.h"

#include <cstdlib>

namespace tesmor::app {

namespace {

// Where the data folder starts when the settings give none: the program's folder, or the home
// folder when the settings live apart from an installed (read-only) program.
std::string fallbackDataFolder(const BrowserState& state)
{
    if (state.SettingsFolder == state.ProgramFolder)
        return state.ProgramFolder;
    const char* home = std::getenv("HOME");
    return home != nullptr && home[0] == '/' ? WithTrailingSeparator(home) : state.ProgramFolder;
}

} // namespace

Browser::Browser(UserInterface& ui)
    : m_ui(ui)
    , m_controls(InitialControls())
{
}

void Browser::Load(const std::string& programFolder, const std::string& configFolder)
{
    m_state.ProgramFolder = WithTrailingSeparator(programFolder);
    const std::string config
        = configFolder.empty() ? DefaultConfigFolder() : WithTrailingSeparator(configFolder);
    m_state.SettingsFolder = ChooseSettingsFolder(m_state.ProgramFolder, config);
    ReadSettings(m_state, fallbackDataFolder(m_state));
    markOptions();
    m_state.SymbolSize = 10;
    m_state.Display = model::DisplayOptions {};
    m_state.PaleoReference = math::PaleoReference::Horizontal;
    m_state.CoordSystem = math::CoordinateSystem::Geographic;
    m_state.FileTypeIndex = 0;
    for (Button* button : {&m_controls.cmdStereo, &m_controls.cmdPlot1, &m_controls.cmdPlot2})
        button->picture = m_state.ProgramFolder + "ARW01dnSmall.ico";
    ClearWindow();
}

void Browser::Unload()
{
    // A settings folder that cannot be written loses this run's settings; the program still
    // ends normally, as there is no window left to report it in.
    (void)WriteSettings(m_state);
}

void Browser::ClearWindow()
{
    MainWindowControls& c = m_controls;
    c.frmMain.caption = "Tesmor 42 - Anisotropy data browser";
    c.lstNames.rows.clear();
    c.lstNames.selected.clear();
    ++c.lstNames.rowsRevision;
    ++c.lstNames.selectionRevision;
    c.lstNames.enabled = false;
    for (Picture* picture : {&c.picStereo, &c.picPlot1, &c.picPlot2}) {
        picture->picture.reset();
        ++picture->revision;
        picture->enabled = false;
    }
    for (Control* control :
         {&c.fraCoor, &c.fraDisplay, &c.fraProperties, static_cast<Control*>(&c.cmdSave),
          static_cast<Control*>(&c.cmdExpand)})
        control->enabled = false;
    c.txtMeanName.text.clear();
    c.txtMeanName.enabled = false;
    c.lblStatisticsInfo.visible = false;
    for (const StatisticsLabel& label : StatisticsLabels())
        (c.*label.Control).text.clear();
    for (Label* readOut :
         {&c.lblStereoD, &c.lblStereoI, &c.lblPlot1X, &c.lblPlot1Y, &c.lblPlot2X, &c.lblPlot2Y})
        readOut->text.clear();
    m_press = {};
    m_state.ViewsReady = false;
    enableViewOptions(false);
    c.StatusBar1.panels
        = {"Site:",   "Lat:",       "Lon:", "Rock:", "Stratigraphy:", "Lithostratigraphy:",
           "Region:", "Instrument:"};
    showDataMenus(false);
}

void Browser::enableViewOptions(bool enabled)
{
    MainWindowControls& c = m_controls;
    for (OptionButton* option : {&c.optEqualAngle, &c.optEqualArea, &c.optPKm, &c.optPjKm,
                                 &c.optPLogKm, &c.optHKm, &c.optPT, &c.optPjT, &c.optLF, &c.optPU})
        option->enabled = enabled;
}

void Browser::showDataMenus(bool shown)
{
    MainWindowControls& c = m_controls;
    for (MenuItem* item : {&c.mnuSave, &c.mnuSaveAs, &c.mnuSaveSelectedRecords, &c.mnuSS,
                           &c.mnuPrevious, &c.mnuNext, &c.mnuEdit, &c.mnuSelection, &c.mnuGraphics})
        item->visible = shown;
    // The items of those menus act on the open data set only, also through their shortcuts.
    for (MenuItem* item :
         {&c.mnuSave, &c.mnuSaveAs, &c.mnuSaveSelectedRecords, &c.mnuEditData, &c.mnuRot_SpecToGeo,
          &c.mnuRot_GeoToSpec, &c.mnuExport, &c.mnuPrint, &c.mnuInvertSelection,
          &c.mnuDisregardSelectedRecords, &c.mnuRestoreAllRecords, &c.mnuClearSelection})
        item->enabled = shown;
}

void Browser::refresh()
{
    m_state.Transform(m_state.CurrentSystem());
    m_state.ComputeStatistics();
    listAndShow();
}

void Browser::listAndShow()
{
    // The listing and the pictures read the records, the statistics and the options and write
    // controls of their own, so neither waits for the other.
    const bool large = m_state.Data.ActiveRecords.size() >= math::ParallelMinRecords;
    const std::function<void()> tasks[]
        = {[this] { Overview_List(); }, [this] { Overview_Show(); }};
    math::ParallelTasks(large ? m_state.Threads : 1, tasks);
}

void Browser::takeStructureNames()
{
    m_state.FoliationName = m_controls.cboFoli.text;
    m_state.LineationName = m_controls.cboLine.text;
}

} // namespace tesmor::app
