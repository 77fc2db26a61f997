#include "plot/views.h"

#include "model/file_io.h"
#include "model/number_text.h"
#include "plot/metafile_canvas.h"

#include <algorithm>

namespace tesmor::plot {

namespace {

int Nearest(double v)
{
    return std::max(0, static_cast<int>(model::RoundHalfEven(v)));
}

StereonetStyle NetStyle(const ViewOptions& options, double cx, double cy, double diameter,
                        int symbolSize, int fontSize)
{
    StereonetStyle style;
    style.frame = {cx, cy, diameter};
    style.symbolSize = symbolSize;
    style.fontSize = fontSize;
    style.colours = SchemeNetColours(options.colourScheme);
    return style;
}

PlotStyle FrameStyle(const ViewOptions& options, double left, double bottom, double width,
                     double height, int symbolSize, int textHeight)
{
    PlotStyle style;
    style.left = left;
    style.bottom = bottom;
    style.width = width;
    style.height = height;
    style.symbolSize = symbolSize;
    style.textHeight = textHeight;
    style.fill = PlotFillColour(options.colourScheme);
    return style;
}

int PlotKind(const ViewOptions& options, int plot)
{
    return plot == 1 ? options.plot1Kind : options.plot2Kind;
}

void DrawNet(Canvas& canvas, const ViewData& data, const StereonetStyle& style)
{
    if (SchemeDraws(data.options.colourScheme))
        DrawStereonet(canvas, data.records, data.statistics, data.options, style);
}

std::optional<PlotData> DrawPlot(Canvas& canvas, const ViewData& data, int plot,
                                 const PlotStyle& style)
{
    if (!SchemeDraws(data.options.colourScheme))
        return std::nullopt;
    auto prepared = PrepareParameterPlot(plot, PlotKind(data.options, plot), data.records);
    if (prepared)
        DrawParameterPlot(canvas, style, *prepared);
    return prepared;
}

} // namespace

bool SchemeDraws(ColourScheme scheme)
{
    return scheme == ColourScheme::Default || scheme == ColourScheme::BlackAndWhite;
}

StereonetStyle ScreenNetStyle(const ViewOptions& options, int width, int height, double pixelRatio)
{
    const double k = std::max(0.01, std::min(width / 420.0, height / 420.0));
    const double left = (width - 420 * k) / 2;
    const double top = (height - 420 * k) / 2;
    StereonetStyle style
        = NetStyle(options, left + 200 * k, top + 200 * k, 340 * k,
                   std::max(1, Nearest(options.symbolSize * k)), std::max(1, Nearest(16 * k)));
    style.pixelRatio = pixelRatio > 0 ? pixelRatio : 1;
    return style;
}

PlotStyle ScreenPlotStyle(const ViewOptions& options, int width, int height)
{
    const double k = std::max(0.01, std::min(width / 440.0, height / 300.0));
    const double left = (width - 440 * k) / 2;
    const double top = (height - 300 * k) / 2;
    return FrameStyle(options, left + 60 * k, top + 250 * k, 320 * k, 200 * k,
                      std::max(1, Nearest(options.symbolSize * k)), std::max(1, Nearest(14 * k)));
}

void DrawExportViews(Canvas& canvas, const ViewData& data, double scale, double top)
{
    const double s = scale;
    DrawNet(canvas, data,
            NetStyle(data.options, 2000 * s, top + 2000 * s, 3400 * s, Nearest(100 * s),
                     Nearest(160 * s)));
    DrawPlot(canvas, data, 1,
             FrameStyle(data.options, 450 * s, top + 6500 * s, 3000 * s, 2000 * s, Nearest(80 * s),
                        Nearest(140 * s)));
    DrawPlot(canvas, data, 2,
             FrameStyle(data.options, 4500 * s, top + 6500 * s, 3000 * s, 2000 * s, Nearest(80 * s),
                        Nearest(140 * s)));
}

void DrawPrintedPage(Canvas& canvas, const ViewData& data, const std::string& title, int W, int H)
{
    const double s = W / 2400.0;
    const double y0 = 0.025 * H;
    DrawLabel(canvas, title, 1200 * s, 80 * s, Nearest(40 * s), 400, Black,
              {HAlign::Centre, VAlign::Baseline});
    DrawSegment(canvas, 100 * s, 90 * s, 2300 * s, 90 * s, PenStyle::Solid, Black, 2);
    DrawNet(
        canvas, data,
        NetStyle(data.options, 650 * s, 500 * s + y0, 850 * s, Nearest(25 * s), Nearest(30 * s)));
    DrawPlot(canvas, data, 1,
             FrameStyle(data.options, 225 * s, 1550 * s + y0, 800 * s, 500 * s, Nearest(25 * s),
                        Nearest(30 * s)));
    DrawPlot(canvas, data, 2,
             FrameStyle(data.options, 1275 * s, 1550 * s + y0, 800 * s, 500 * s, Nearest(25 * s),
                        Nearest(30 * s)));
}

std::string MetafilePicture(const ViewData& data)
{
    MetafileCanvas metafile(ExportSize, ExportSize, 1000);
    // A white ground over the whole window: the drawing then spans the window that the
    // placeable box maps, also for readers that scale the extent of what is drawn instead of the
    // window (libwmf), which would otherwise stretch the net into an oval.
    const Point ground[4] = {{0, 0}, {ExportSize, 0}, {ExportSize, ExportSize}, {0, ExportSize}};
    metafile.polygon(ground, White, White);
    DrawExportViews(metafile, data);
    return metafile.bytes();
}

model::Status WriteMetafilePicture(const std::string& path, const ViewData& data)
{
    return model::WriteFileAtomically(path, MetafilePicture(data));
}

} // namespace tesmor::plot
