#include "app/browser.h"

#include "app/open_multiple_dialog.h"
#include "app/settings.h"
#include "math/coordinate_systems.h"
#include "model/codepage.h"

#include <cstdlib>

namespace tesmor::app {

namespace {

// The letter of a selector entry (text in memory) as the records keep it.
char letterOf(const std::string& name)
{
    return model::Cp1252Letter(name, 0, math::NoLineation);
}

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
    m_state.Display = DisplayFlags {};
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
    for (Label* label : statisticsLabels())
        label->text.clear();
    m_state.ViewsReady = false;
    enableViewOptions(false);
    c.StatusBar1.panels
        = {"Site:",   "Lat:",       "Lon:", "Rock:", "Stratigraphy:", "Lithostratigraphy:",
           "Region:", "Instrument:"};
    showDataMenus(false);
}

std::vector<Label*> Browser::statisticsLabels()
{
    MainWindowControls& c = m_controls;
    return {&c.lblN,     &c.lblK1,    &c.lblK2,     &c.lblK3,     &c.lblK1d,    &c.lblK2d,
            &c.lblK3d,   &c.lblK1ca,  &c.lblK2ca,   &c.lblK3ca,   &c.lblKmmean, &c.lblLmean,
            &c.lblFmean, &c.lblPmean, &c.lblPJmean, &c.lblTmean,  &c.lblUmean,  &c.lblKmaver,
            &c.lblLaver, &c.lblFAver, &c.lblPaver,  &c.lblPjaver, &c.lblTaver,  &c.lblUaver,
            &c.lblKmsd,  &c.lblLsd,   &c.lblFsd,    &c.lblPsd,    &c.lblPJsd,   &c.lblTsd,
            &c.lblUsd};
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
}

void Browser::refresh()
{
    transform(m_state.CoordSystem, m_state.FoliationName, m_state.LineationName,
              m_state.PaleoReference);
    refreshAfterTransform();
}

void Browser::refreshAfterTransform()
{
    computeStatistics();
    Overview_List();
    Overview_Show();
}

void Browser::transform(math::CoordinateSystem system, const std::string& foliation,
                        const std::string& lineation, math::PaleoReference reference)
{
    math::TransformDataSet(m_state.Data.WorkingRecords, system, letterOf(foliation),
                           letterOf(lineation), reference, m_state.Data.ActiveRecords);
}

void Browser::computeStatistics()
{
    // A projection value outside 1-2 (kept from the settings) draws no ellipses; their points
    // are then computed on the equal-area net.
    const math::Projection projection
        = m_state.Projection == 1 ? math::Projection::EqualAngle : math::Projection::EqualArea;
    math::ComputeGroupStatistics(m_state.Data.ActiveRecords, projection, m_state.Statistics);
}

void Browser::takeStructureNames()
{
    m_state.FoliationName = m_controls.cboFoli.text;
    m_state.LineationName = m_controls.cboLine.text;
}

} // namespace tesmor::app
