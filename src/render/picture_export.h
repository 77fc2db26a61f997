#pragma once

// Picture files of the three views side by side, in the layout of the exported picture, chosen
// by the file name's extension (its last three characters, any case):
//   wmf  placeable Windows metafile, logical window 8000 x 8000 (vector)
//   svg  scalable vector graphics, 1600 x 1380 (vector)
//   pdf  one page of 8 x 6.9 inches (vector, fonts embedded)
//   png  1600 x 1380 pixels, white background
//   bmp  800 pixels wide: the title centred at the top, the views below it
// Apart from the metafile, whose window is the full 8000 x 8000 square, the pictures end below the
// plots' labels (plot::ExportViewsHeight) instead of leaving the bottom of the square empty.
// Files are replaced only once complete.

#include "model/result.h"
#include "plot/view_options.h"

#include <QImage>

#include <string>

namespace tesmor::render {

// Writes the picture; a message when the extension is not one of the above or writing fails.
model::Status ExportPicture(const std::string& path, const plot::ViewData& data,
                            const std::string& title);

// The raster picture of the views: the exported layout at `scale` (1600 pixels wide at 0.2), cut
// to the views' height, with the title above it when `title` is not empty.
QImage RenderViews(const plot::ViewData& data, double scale, const std::string& title = {});

} // namespace tesmor::render
