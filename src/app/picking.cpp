// The mouse over the three pictures: read-outs of the position under it, and the rubber band
// whose release replaces the selection with the records inside it.

#include "app/browser.h"

#include <utility>

namespace tesmor::app {

void Browser::picStereo_MouseDown(const MouseEvent& event)
{
    if (m_state.ViewsReady && event.buttons != 0)
        m_press[0] = plot::WorldPoint {event.x, event.y};
}

void Browser::picStereo_MouseMove(const MouseEvent& event)
{
    if (!m_state.ViewsReady || event.buttons != 0)
        return;
    const plot::ReadOut text = plot::NetReadOut(m_state.ViewOptions().projection,
                                                m_views.stereo.frame, {event.x, event.y});
    m_controls.lblStereoD.text = text.first;
    m_controls.lblStereoI.text = text.second;
}

void Browser::picStereo_MouseUp(const MouseEvent& event)
{
    const std::optional<plot::WorldPoint> press = std::exchange(m_press[0], std::nullopt);
    if (!press || !m_state.ViewsReady)
        return;
    const plot::NetFrame& frame = m_views.stereo.frame;
    const plot::PickRectangle net = plot::OrderedRectangle(
        plot::NetFromCanvas(frame, *press), plot::NetFromCanvas(frame, {event.x, event.y}));
    const plot::ViewOptions options = m_state.ViewOptions();
    const model::DisplayOptions& shown = options.display;
    const std::array<bool, 3> counted
        = plot::CountedAxes(event.modifiers, {shown.chcK1, shown.chcK2, shown.chcK3});
    replaceSelection(
        plot::NetSelection(m_state.Data.ActiveRecords, options.projection, counted, net));
}

void Browser::picPlot1_MouseDown(const MouseEvent& event)
{
    if (m_state.ViewsReady && (event.buttons & mouse::Left))
        m_press[1] = plot::WorldPoint {event.x, event.y};
}

void Browser::picPlot1_MouseMove(const MouseEvent& event)
{
    plotMouseMove(1, event);
}
void Browser::picPlot1_MouseUp(const MouseEvent& event)
{
    plotMouseUp(1, event);
}

void Browser::picPlot2_MouseDown(const MouseEvent& event)
{
    if (m_state.ViewsReady && (event.buttons & mouse::Left))
        m_press[2] = plot::WorldPoint {event.x, event.y};
}

void Browser::picPlot2_MouseMove(const MouseEvent& event)
{
    plotMouseMove(2, event);
}
void Browser::picPlot2_MouseUp(const MouseEvent& event)
{
    plotMouseUp(2, event);
}

void Browser::plotMouseMove(int plot, const MouseEvent& event)
{
    if (!m_state.ViewsReady || event.buttons != 0)
        return;
    const std::optional<plot::PlotData>& data = plot == 1 ? m_views.plot1 : m_views.plot2;
    const plot::ViewOptions options = m_state.ViewOptions();
    const plot::ReadOut text = data
        ? plot::PlotReadOut(plot, plot == 1 ? options.plot1Kind : options.plot2Kind,
                            plot == 1 ? m_views.plot1Style : m_views.plot2Style, *data,
                            {event.x, event.y})
        : plot::ReadOut {};
    Label& first = plot == 1 ? m_controls.lblPlot1X : m_controls.lblPlot2X;
    Label& second = plot == 1 ? m_controls.lblPlot1Y : m_controls.lblPlot2Y;
    first.text = text.first;
    second.text = text.second;
}

void Browser::plotMouseUp(int plot, const MouseEvent& event)
{
    const std::optional<plot::WorldPoint> press = std::exchange(m_press[plot], std::nullopt);
    if (!press || !m_state.ViewsReady)
        return;
    const std::optional<plot::PlotData>& data = plot == 1 ? m_views.plot1 : m_views.plot2;
    const plot::PlotStyle& style = plot == 1 ? m_views.plot1Style : m_views.plot2Style;
    if (!data) {
        replaceSelection({});
        return;
    }
    const plot::PickRectangle values
        = plot::OrderedRectangle(plot::PlotFromCanvas(style, *data, *press),
                                 plot::PlotFromCanvas(style, *data, {event.x, event.y}));
    replaceSelection(plot::PlotSelection(*data, values));
}

// The list's rows follow the records' flags (row 0 is the header); the selection update then
// refreshes the statistics and all pictures are redrawn.
void Browser::replaceSelection(const std::vector<bool>& records)
{
    ListBox& list = m_controls.lstNames;
    list.selected.assign(list.rows.size(), false);
    for (std::size_t i = 0; i < records.size() && i + 1 < list.selected.size(); ++i)
        list.selected[i + 1] = records[i];
    ++list.selectionRevision;
    m_state.SelectActive(records);
    Overview_Show();
}

} // namespace tesmor::app
