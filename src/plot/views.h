#pragma once

// The three views (the net and the two parameter plots) in their three layouts: the window's
// pictures, the exported picture (one logical 8000 x 8000 window with the net above the two
// plots) and the printed page (logical width 2400, scaled to the printer's pixels).

#include "model/result.h"
#include "plot/canvas.h"
#include "plot/parameter_plot.h"
#include "plot/stereonet.h"
#include "plot/view_options.h"

#include <string>

namespace tesmor::plot {

// Whether a scheme value draws at all: only the two named schemes do.
bool SchemeDraws(ColourScheme scheme);

// The window's pictures, in device pixels. The net's layout (centre (200, 200), diameter 340,
// font 16) and the plot frame (40, 250, 320, 200, text 14) are scaled uniformly to fit a picture
// of the given size, centred in it; the room around them keeps the legends and labels uncut (the
// net is fitted as 420 x 420, so that a fifth legend row and the lineation symbols stay inside; a
// plot as 440 x 300 with its frame 20 further right, for the y labels). `pixelRatio` is the
// number of device pixels per pixel of the screen: line widths that the layout scales follow the
// screen's pixels, so that styled lines stay styled on high-density screens.
StereonetStyle ScreenNetStyle(const ViewOptions& options, int width, int height,
                              double pixelRatio = 1);
PlotStyle ScreenPlotStyle(const ViewOptions& options, int width, int height);

// The exported picture: logical window ExportSize x ExportSize; net centre (2000, 2000),
// diameter 3400, font 160, symbols 100; plots (450, 6500, 3000, 2000) and (4500, 6500, 3000,
// 2000) with text 140 and symbols 80. `scale` multiplies every number (a raster of
// 8000 * scale pixels); `top` shifts everything down (room for a title).
inline constexpr int ExportSize = 8000;
// The drawn part of the exported picture: the views end with the plots' axis labels about 6750
// units down, so picture files other than the metafile are cut to this height.
inline constexpr int ExportViewsHeight = 6900;
void DrawExportViews(Canvas& canvas, const ViewData& data, double scale = 1.0, double top = 0);

// The printed page of W x H printer pixels: the title (the data set's base name) centred at the
// top, a rule under it, then the net and both plots, all numbers of the 2400-wide layout
// multiplied by s = W / 2400 and shifted down by 2.5% of the page height.
void DrawPrintedPage(Canvas& canvas, const ViewData& data, const std::string& title, int W, int H);

// The exported picture as a placeable Windows metafile: its bytes, and written to `path`
// (replacing the file only once it is complete).
std::string MetafilePicture(const ViewData& data);
model::Status WriteMetafilePicture(const std::string& path, const ViewData& data);

} // namespace tesmor::plot
