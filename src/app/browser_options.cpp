// Option handlers: coordinate system and structures, projection, plot kinds, display check
// boxes, colour scheme, symbol size and the layout buttons.

#include "app/browser.h"

#include <algorithm>

namespace tesmor::app {

namespace {

using math::CoordinateSystem;

bool isRotatedSystem(CoordinateSystem system)
{
    return system == CoordinateSystem::Paleogeographic || system == CoordinateSystem::Tectonic;
}

} // namespace

bool Browser::coordinateOptionUsable(const OptionButton& option) const
{
    return m_state.ViewsReady && m_controls.fraCoor.enabled && option.enabled;
}

void Browser::optSpec_Click()
{
    if (!coordinateOptionUsable(m_controls.optSpec))
        return;
    m_controls.optPaleoHorizontal.enabled = false;
    m_controls.optPaleoVertical.enabled = false;
    m_state.CoordSystem = CoordinateSystem::Specimen;
    markCoordinateOption();
    refresh();
}

void Browser::optGeo_Click()
{
    if (!coordinateOptionUsable(m_controls.optGeo))
        return;
    m_state.CoordSystem = CoordinateSystem::Geographic;
    markCoordinateOption();
    refresh();
}

void Browser::optPaleo_Click()
{
    if (!coordinateOptionUsable(m_controls.optPaleo))
        return;
    m_state.CoordSystem = CoordinateSystem::Paleogeographic;
    markCoordinateOption();
    takeStructureNames();
    refresh();
}

void Browser::optTecto_Click()
{
    if (!coordinateOptionUsable(m_controls.optTecto))
        return;
    m_state.CoordSystem = CoordinateSystem::Tectonic;
    markCoordinateOption();
    takeStructureNames();
    refresh();
}

void Browser::cboFoli_Click(int index)
{
    ComboBox& box = m_controls.cboFoli;
    if (!m_state.ViewsReady || !box.enabled || index < 0 || index >= int(box.items.size()))
        return;
    box.text = box.items[index];
    if (!isRotatedSystem(m_state.CoordSystem))
        return;
    takeStructureNames();
    refresh();
}

// The lineation chosen takes effect at the next coordinate-system action.
void Browser::cboLine_Click(int index)
{
    ComboBox& box = m_controls.cboLine;
    if (box.enabled && index >= 0 && index < int(box.items.size()))
        box.text = box.items[index];
}

void Browser::optPaleoHorizontal_Click()
{
    setPaleoReference(math::PaleoReference::Horizontal, m_controls.optPaleoHorizontal);
}

void Browser::optPaleoVertical_Click()
{
    setPaleoReference(math::PaleoReference::Vertical, m_controls.optPaleoVertical);
}

void Browser::setPaleoReference(math::PaleoReference reference, const OptionButton& option)
{
    if (!coordinateOptionUsable(option))
        return;
    m_state.PaleoReference = reference;
    m_controls.optPaleoHorizontal.checked = reference == math::PaleoReference::Horizontal;
    m_controls.optPaleoVertical.checked = reference == math::PaleoReference::Vertical;
    if (!isRotatedSystem(m_state.CoordSystem))
        return;
    takeStructureNames();
    refresh();
}

void Browser::optEqualAngle_Click()
{
    setProjection(1);
}

void Browser::optEqualArea_Click()
{
    setProjection(2);
}

void Browser::setProjection(std::int16_t projection)
{
    if (!m_state.ViewsReady)
        return;
    m_state.Projection = projection;
    markOptions();
    m_state.ComputeStatistics();
    Overview_Show();
    m_controls.focus = "picStereo";
}

void Browser::optPKm_Click()
{
    setPlot1Kind(plot::plotkind::PKm);
}
void Browser::optPjKm_Click()
{
    setPlot1Kind(plot::plotkind::PjKm);
}
void Browser::optPLogKm_Click()
{
    setPlot1Kind(plot::plotkind::PLogKm);
}
void Browser::optHKm_Click()
{
    setPlot1Kind(plot::plotkind::HKm);
}
void Browser::optPT_Click()
{
    setPlot2Kind(plot::plotkind::PT);
}
void Browser::optPjT_Click()
{
    setPlot2Kind(plot::plotkind::PjT);
}
void Browser::optLF_Click()
{
    setPlot2Kind(plot::plotkind::LF);
}
void Browser::optPU_Click()
{
    setPlot2Kind(plot::plotkind::PU);
}

void Browser::setPlot1Kind(std::int16_t kind)
{
    if (!m_state.ViewsReady)
        return;
    m_state.Plot1Kind = kind;
    markOptions();
    Overview_Show();
    m_controls.focus = "picPlot1";
}

void Browser::setPlot2Kind(std::int16_t kind)
{
    if (!m_state.ViewsReady)
        return;
    m_state.Plot2Kind = kind;
    markOptions();
    Overview_Show();
    m_controls.focus = "picPlot2";
}

// Marks the projection and plot-kind options of the current values; a value outside the
// named ones marks none of its group.
void Browser::markOptions()
{
    MainWindowControls& c = m_controls;
    c.optEqualAngle.checked = m_state.Projection == 1;
    c.optEqualArea.checked = m_state.Projection == 2;
    OptionButton* first[] = {&c.optPKm, &c.optPjKm, &c.optPLogKm, &c.optHKm};
    OptionButton* second[] = {&c.optPT, &c.optPjT, &c.optLF, &c.optPU};
    for (int i = 0; i < 4; ++i) {
        first[i]->checked = m_state.Plot1Kind == i + 1;
        second[i]->checked = m_state.Plot2Kind == i + 1;
    }
}

void Browser::setDisplayFlag(bool model::DisplayOptions::*flag, CheckBox MainWindowControls::*box,
                             bool checked)
{
    m_state.Display.*flag = checked;
    (m_controls.*box).checked = checked;
    // Only the net shows these; the plots stay as recorded.
    if (m_controls.lstNames.enabled)
        recordNet(m_state.ViewOptions());
}

void Browser::chcK1_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcK1, &MainWindowControls::chcK1, on);
}
void Browser::chcK2_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcK2, &MainWindowControls::chcK2, on);
}
void Browser::chcK3_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcK3, &MainWindowControls::chcK3, on);
}
void Browser::chcData_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcData, &MainWindowControls::chcData, on);
}
void Browser::chcMean_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcMean, &MainWindowControls::chcMean, on);
}
void Browser::chcEllipses_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcEllipses, &MainWindowControls::chcEllipses, on);
}
void Browser::chcContours_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcContours, &MainWindowControls::chcContours, on);
}
void Browser::cboRegion_Click(int index)
{
    ComboBox& box = m_controls.cboRegion;
    if (index < 0 || index >= int(box.items.size()))
        return;
    box.text = box.items[static_cast<std::size_t>(index)];
    m_state.Region = static_cast<ConfidenceRegion>(index + 1);
    if (!m_state.ViewsReady)
        return;
    m_state.ComputeStatistics();
    showStatistics(static_cast<int>(m_state.Data.ActiveRecords.size()));
    Overview_Show();
}

void Browser::chcF1P_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcF1P, &MainWindowControls::chcF1P, on);
}
void Browser::chcF1C_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcF1C, &MainWindowControls::chcF1C, on);
}
void Browser::chcF1S_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcF1S, &MainWindowControls::chcF1S, on);
}
void Browser::chcL1_Click(bool on)
{
    setDisplayFlag(&model::DisplayOptions::chcL1, &MainWindowControls::chcL1, on);
}

void Browser::cmdDefault_Click()
{
    m_state.ColourScheme = std::int16_t(plot::ColourScheme::Default);
    Overview_Show();
}

void Browser::cmdBW_Click()
{
    m_state.ColourScheme = std::int16_t(plot::ColourScheme::BlackAndWhite);
    Overview_Show();
}

void Browser::vslSymbolSize_Change(int value)
{
    Slider& slider = m_controls.vslSymbolSize;
    slider.value = std::clamp(value, slider.minimum, slider.maximum);
    m_state.SymbolSize = static_cast<std::int16_t>(slider.value);
    m_controls.txtSymbolSize.text = std::to_string(slider.value);
    m_controls.focus = "txtSymbolSize";
    Overview_Show();
}

void Browser::cmdExpand_Click()
{
    MainWindowControls& c = m_controls;
    m_state.ListExpanded = !m_state.ListExpanded;
    const bool expanded = m_state.ListExpanded;
    c.cmdExpand.caption = expanded ? "<<" : ">>";
    c.lstNames.width = expanded ? 1010 : 154;
    for (Control* control :
         {static_cast<Control*>(&c.picStereo), static_cast<Control*>(&c.picPlot1),
          static_cast<Control*>(&c.picPlot2), &c.fraCoor, &c.fraMeanTensor, &c.fraProperties,
          static_cast<Control*>(&c.lblCoor)})
        control->visible = !expanded;
}

void Browser::cmdStereo_Click()
{
    MainWindowControls& c = m_controls;
    toggleOptionRow(c.cmdStereo, {&c.lblStereo, &c.optEqualArea, &c.optEqualAngle});
    c.focus = "picStereo";
}

void Browser::cmdPlot1_Click()
{
    MainWindowControls& c = m_controls;
    toggleOptionRow(c.cmdPlot1, {&c.lblPlot1, &c.optPKm, &c.optPjKm, &c.optPLogKm, &c.optHKm});
    c.focus = "picPlot1";
}

void Browser::cmdPlot2_Click()
{
    MainWindowControls& c = m_controls;
    toggleOptionRow(c.cmdPlot2, {&c.lblPlot2, &c.optPT, &c.optPjT, &c.optLF, &c.optPU});
    c.focus = "picPlot2";
}

// The button's tag is 1 while its row is shown. The icon files lie beside the program; the
// window shows no picture when one is missing.
void Browser::toggleOptionRow(Button& button, std::initializer_list<Control*> row)
{
    const bool show = button.tag == 0;
    for (Control* control : row)
        control->visible = show;
    button.tag = show ? 1 : 0;
    button.picture = m_state.ProgramFolder + (show ? "ARW01UPSmall.ico" : "ARW01dnSmall.ico");
}

} // namespace tesmor::app
