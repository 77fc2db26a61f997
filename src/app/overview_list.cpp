// The record list and the statistics panel.

#include "app/browser.h"
#include "app/listing.h"

namespace tesmor::app {

void Browser::Overview_List()
{
    MainWindowControls& c = m_controls;
    const model::Records& active = m_state.Data.ActiveRecords;
    FillListingRows(active, c.lstNames.rows);
    ++c.lstNames.rowsRevision;
    c.lstNames.selected.assign(c.lstNames.rows.size(), false);
    for (std::size_t i = 0; i < active.size(); ++i)
        c.lstNames.selected[i + 1] = active[i].Selected;
    ++c.lstNames.selectionRevision;
    showStatistics(static_cast<int>(active.size()));
}

void Browser::showStatistics(int n)
{
    MainWindowControls& c = m_controls;
    const bool tenvar = !StatisticsInfoShown(n);
    c.chcMean.enabled = tenvar;
    c.chcEllipses.enabled = tenvar;
    if (tenvar) {
        c.chcMean.checked = m_state.Display.chcMean;
        c.chcEllipses.checked = m_state.Display.chcEllipses;
    }
    c.lblStatisticsInfo.visible = !tenvar;
    c.lblStatisticsInfo.text = tenvar ? "" : NotEnoughRecordsText;
    for (const StatisticsLabel& label : StatisticsLabels())
        (c.*label.Control).text = StatisticsText(label, n, m_state.Statistics);
    c.lblRegion.text = RegionSummary(m_state.Regions);
    c.lblRegion.visible = !c.lblRegion.text.empty();
}

} // namespace tesmor::app
