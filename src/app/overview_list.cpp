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
    const StatisticsPanel p = MakeStatisticsPanel(n, m_state.Statistics);
    const bool tenvar = !p.infoShown;
    c.chcMean.enabled = tenvar;
    c.chcEllipses.enabled = tenvar;
    if (tenvar) {
        c.chcMean.checked = m_state.Display.chcMean;
        c.chcEllipses.checked = m_state.Display.chcEllipses;
    }
    c.lblStatisticsInfo.visible = p.infoShown;
    c.lblStatisticsInfo.text = p.infoShown ? NotEnoughRecordsText : "";
    const std::string* texts[]
        = {&p.N,     &p.K1,     &p.K2,     &p.K3,    &p.K1d,   &p.K2d,    &p.K3d,    &p.K1ca,
           &p.K2ca,  &p.K3ca,   &p.Kmmean, &p.Lmean, &p.Fmean, &p.Pmean,  &p.PJmean, &p.Tmean,
           &p.Umean, &p.Kmaver, &p.Laver,  &p.FAver, &p.Paver, &p.Pjaver, &p.Taver,  &p.Uaver,
           &p.Kmsd,  &p.Lsd,    &p.Fsd,    &p.Psd,   &p.PJsd,  &p.Tsd,    &p.Usd};
    const std::vector<Label*> labels = statisticsLabels();
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i]->text = *texts[i];
}

} // namespace tesmor::app
