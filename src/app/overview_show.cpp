// The three pictures of the window, recorded at the size of their surfaces in device pixels, in
// the screen layout of plot::ScreenNetStyle and plot::ScreenPlotStyle.

#include "app/browser.h"
#include "plot/recording_canvas.h"
#include "plot/views.h"

namespace tesmor::app {

// Redraws the three pictures from the active records, the statistics and the options. Nothing
// is drawn while no data set is shown: the surfaces stay cleared.
void Browser::Overview_Show()
{
    if (!m_controls.lstNames.enabled)
        return;
    const plot::ViewOptions options = m_state.ViewOptions();
    const bool draw = plot::SchemeDraws(options.colourScheme);
    recordNet(options);
    recordPlot(1, options, m_plot1Size, draw, m_views.plot1Style, m_views.plot1,
               m_controls.picPlot1);
    recordPlot(2, options, m_plot2Size, draw, m_views.plot2Style, m_views.plot2,
               m_controls.picPlot2);
}

void Browser::recordNet(const plot::ViewOptions& options)
{
    plot::StereonetStyle& net = m_views.stereo;
    net = plot::ScreenNetStyle(options, m_stereoSize.width, m_stereoSize.height,
                               m_stereoSize.pixelRatio);
    std::shared_ptr<plot::RecordingCanvas> stereo = m_recordings[0].Take();
    if (plot::SchemeDraws(options.colourScheme))
        plot::DrawStereonet(*stereo, m_state.Data.ActiveRecords, &m_state.Statistics, options, net,
                            &m_greatCircles);
    setPicture(m_controls.picStereo, std::move(stereo));
}

void Browser::recordPlot(int plot, const plot::ViewOptions& options, PictureSize size, bool draw,
                         plot::PlotStyle& style, std::optional<plot::PlotData>& data,
                         Picture& picture)
{
    style = plot::ScreenPlotStyle(options, size.width, size.height);
    const int kind = plot == 1 ? options.plot1Kind : options.plot2Kind;
    data = plot::PrepareParameterPlot(plot, kind, m_state.Data.ActiveRecords);
    std::shared_ptr<plot::RecordingCanvas> canvas = m_recordings[plot].Take();
    if (draw && data)
        plot::DrawParameterPlot(*canvas, style, *data);
    setPicture(picture, std::move(canvas));
}

void Browser::setPicture(Picture& picture, std::shared_ptr<plot::RecordingCanvas> recording)
{
    picture.picture = std::move(recording);
    ++picture.revision;
}

// A recording that nobody shows any more is cleared and used again: it keeps the memory of its
// operations, which for tens of thousands of symbols is most of the cost of recording.
std::shared_ptr<plot::RecordingCanvas> RecordingPool::Take()
{
    for (std::shared_ptr<plot::RecordingCanvas>& recording : m_recordings) {
        if (recording && recording.use_count() == 1) {
            recording->clear();
            return recording;
        }
    }
    auto fresh = std::make_shared<plot::RecordingCanvas>();
    m_recordings[m_next] = fresh;
    m_next = (m_next + 1) % m_recordings.size();
    return fresh;
}

void Browser::SetPictureSizes(PictureSize stereo, PictureSize plot1, PictureSize plot2)
{
    m_stereoSize = stereo;
    m_plot1Size = plot1;
    m_plot2Size = plot2;
    Overview_Show();
}

} // namespace tesmor::app
