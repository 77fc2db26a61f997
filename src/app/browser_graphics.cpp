#include "app/browser.h"

namespace tesmor::app {

// Prints the three views of the open data set on one page, titled with the data set's base name.
void Browser::mnuPrint_Click()
{
    if (!m_state.ViewsReady)
        return;
    const plot::ViewData views {m_state.Data.ActiveRecords, &m_state.Statistics, viewOptions()};
    if (const model::Status failure = m_ui.PrintViews(views, m_state.BaseName))
        m_ui.ShowMessage(*failure);
}

} // namespace tesmor::app
