#include "app/browser.h"

namespace tesmor::app {

// Picture formats of the export dialog, the Windows metafile first.
constexpr const char* PictureFilter
    = "Windows metafile (*.wmf)|*.wmf|Scalable vector graphics (*.svg)|*.svg|"
      "PDF document (*.pdf)|*.pdf|PNG image (*.png)|*.png|Windows bitmap (*.bmp)|*.bmp";

void Browser::mnuExport_Click()
{
    if (!m_state.ViewsReady)
        return;
    const FileDialogAnswer answer = m_ui.SaveFileDialog(
        SaveDialogRequest("Export", m_state.DataFolder, m_state.BaseName, PictureFilter));
    if (!answer.path.empty())
        Overview_Export(answer.path, "Comment");
}

void Browser::Overview_Export(const std::string& path, const std::string& title)
{
    const plot::ViewData views = m_state.ViewData();
    if (const model::Status failure = m_ui.ExportViews(path, views, title))
        m_ui.ShowMessage(*failure);
}

// Prints the three views of the open data set on one page, titled with the data set's base name.
void Browser::mnuPrint_Click()
{
    if (!m_state.ViewsReady)
        return;
    const plot::ViewData views = m_state.ViewData();
    if (const model::Status failure = m_ui.PrintViews(views, m_state.BaseName))
        m_ui.ShowMessage(*failure);
}

} // namespace tesmor::app
