// The three pictures of the window, recorded at the size of their surfaces.
//
// Screen layout in logical pixels: the net in a 400 x 400 picture, centre (200, 200), diameter
// 340, font 16; each parameter plot in a 400 x 300 picture, frame left 40, bottom 250, width 320,
// height 200, text height 14. A surface of another size gets the layout scaled by the smaller of
// its two ratios and centred, through the drawing routines' own arguments.

#include "app/browser.h"
#include "plot/recording_canvas.h"
#include "plot/views.h"

#include <algorithm>
#include <cmath>

namespace tesmor::app {

namespace {

struct Fit
{
    double scale = 1;
    double dx = 0;
    double dy = 0;
};

Fit fitLayout(PictureSize size, double width, double height)
{
    Fit fit;
    fit.scale = std::max(0.05, std::min(size.width / width, size.height / height));
    fit.dx = (size.width - width * fit.scale) / 2;
    fit.dy = (size.height - height * fit.scale) / 2;
    return fit;
}

int scaled(double value, double scale)
{
    return std::max(1, static_cast<int>(std::lround(value * scale)));
}

plot::PlotStyle plotStyle(PictureSize size, int symbolSize, plot::ColourScheme scheme)
{
    const Fit fit = fitLayout(size, 400, 300);
    plot::PlotStyle style;
    style.left = fit.dx + 40 * fit.scale;
    style.bottom = fit.dy + 250 * fit.scale;
    style.width = 320 * fit.scale;
    style.height = 200 * fit.scale;
    style.symbolSize = scaled(symbolSize, fit.scale);
    style.textHeight = scaled(14, fit.scale);
    style.fill = plot::PlotFillColour(scheme);
    return style;
}

} // namespace

// Redraws the three pictures from the active records, the statistics and the options. Nothing
// is drawn while no data set is shown: the surfaces stay cleared.
void Browser::Overview_Show()
{
    if (!m_controls.lstNames.enabled)
        return;
    const plot::ViewOptions options = m_state.ViewOptions();
    const std::span<const model::SpecimenRecord> records = m_state.Data.ActiveRecords;
    const bool draw = plot::SchemeDraws(options.colourScheme);

    const Fit fit = fitLayout(m_stereoSize, 400, 400);
    plot::StereonetStyle& net = m_views.stereo;
    net.frame = {fit.dx + 200 * fit.scale, fit.dy + 200 * fit.scale, 340 * fit.scale};
    net.symbolSize = scaled(m_state.SymbolSize, fit.scale);
    net.fontSize = scaled(16, fit.scale);
    net.colours = plot::SchemeNetColours(options.colourScheme);
    std::shared_ptr<plot::RecordingCanvas> stereo = m_recordings[0].Take();
    if (draw)
        plot::DrawStereonet(*stereo, records, &m_state.Statistics, options, net);
    setPicture(m_controls.picStereo, std::move(stereo));

    recordPlot(1, m_state.Plot1Kind, m_plot1Size, draw, m_views.plot1Style, m_views.plot1,
               m_controls.picPlot1);
    recordPlot(2, m_state.Plot2Kind, m_plot2Size, draw, m_views.plot2Style, m_views.plot2,
               m_controls.picPlot2);
}

void Browser::recordPlot(int plot, int kind, PictureSize size, bool draw, plot::PlotStyle& style,
                         std::optional<plot::PlotData>& data, Picture& picture)
{
    const auto scheme = static_cast<plot::ColourScheme>(m_state.ColourScheme);
    style = plotStyle(size, m_state.SymbolSize, scheme);
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
