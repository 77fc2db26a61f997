// The three pictures of the window, recorded at the size of their surfaces in device pixels, in
// the screen layout of plot::ScreenNetStyle and plot::ScreenPlotStyle.

#include "app/browser.h"
#include "plot/recording_canvas.h"
#include "plot/views.h"

namespace tesmor::app {

namespace {

bool drawableScheme(std::int16_t scheme)
{
    return scheme == scheme::Default || scheme == scheme::BlackAndWhite;
}

} // namespace

plot::ViewOptions Browser::viewOptions() const
{
    const BrowserState& s = m_state;
    plot::ViewOptions options;
    options.coordinateSystem = s.CoordSystem;
    options.projection = static_cast<math::Projection>(s.Projection);
    options.plot1Kind = s.Plot1Kind;
    options.plot2Kind = s.Plot2Kind;
    options.colourScheme = static_cast<plot::ColourScheme>(s.ColourScheme);
    options.symbolSize = s.SymbolSize;
    const DisplayFlags& d = s.Display;
    options.display = {d.chcData,     d.chcK1,  d.chcK2,  d.chcK3,  d.chcMean,
                       d.chcEllipses, d.chcF1C, d.chcF1S, d.chcF1P, d.chcL1};
    for (const StructureType& type : s.FoliationTypes)
        options.foliationTypes.push_back(type.Letter);
    for (const StructureType& type : s.LineationTypes)
        options.lineationTypes.push_back(type.Letter);
    return options;
}

// Redraws the three pictures from the active records, the statistics and the options. Nothing
// is drawn while no data set is shown: the surfaces stay cleared.
void Browser::Overview_Show()
{
    if (!m_controls.lstNames.enabled)
        return;
    const plot::ViewOptions options = viewOptions();
    const std::span<const model::SpecimenRecord> records = m_state.Data.ActiveRecords;
    const bool draw = drawableScheme(m_state.ColourScheme);

    plot::StereonetStyle& net = m_views.stereo;
    net = plot::ScreenNetStyle(options, m_stereoSize.width, m_stereoSize.height,
                               m_stereoSize.pixelRatio);
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
    style = plot::ScreenPlotStyle(viewOptions(), size.width, size.height);
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
