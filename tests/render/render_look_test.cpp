// Renders every view combination to PNG files for looking at them, when TESMOR_RENDER_DIR names
// a folder; skipped otherwise.

#include "plot/views.h"
#include "render/painter_canvas.h"
#include "render/picture_export.h"
#include "render/printing.h"
#include "render_sample_site.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace tesmor::render {
namespace {

using math::CoordinateSystem;
using math::Projection;

QImage Screen(const plot::ViewData& data, int view, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PainterCanvas canvas(painter);
    if (view == 0)
        plot::DrawScreenNet(canvas, data, width, height);
    else
        plot::DrawScreenPlot(canvas, data, view, width, height);
    return image;
}

TEST(LookAtPictures, WritesEveryCombination)
{
    const char* dir = std::getenv("TESMOR_RENDER_DIR");
    if (!dir || !*dir)
        GTEST_SKIP() << "TESMOR_RENDER_DIR not set";
    const std::string out = std::string(dir) + "/";
    for (int system = 1; system <= 4; ++system) {
        for (int projection = 1; projection <= 2; ++projection) {
            auto views = test::MakeSampleViews(300, static_cast<CoordinateSystem>(system),
                                               static_cast<Projection>(projection));
            plot::DisplayOptions& show = views->data.options.display;
            show.chcMean = show.chcEllipses = show.chcF1C = show.chcF1S = show.chcF1P = show.chcL1
                = (system + projection) % 2 == 0;
            for (int scheme = 1; scheme <= 2; ++scheme) {
                views->data.options.colourScheme = static_cast<plot::ColourScheme>(scheme);
                const std::string name = "net_s" + std::to_string(system) + "_p"
                    + std::to_string(projection) + "_c" + std::to_string(scheme);
                Screen(views->data, 0, 400, 400).save(QString::fromStdString(out + name + ".png"));
            }
        }
    }
    auto views = test::MakeSampleViews(300);
    for (int kind = 1; kind <= 4; ++kind) {
        views->data.options.plot1Kind = kind;
        views->data.options.plot2Kind = kind;
        for (int plot = 1; plot <= 2; ++plot)
            Screen(views->data, plot, 400, 300)
                .save(QString::fromStdString(out + "plot" + std::to_string(plot) + "_k"
                                             + std::to_string(kind) + ".png"));
    }
    views->data.options.display.chcMean = views->data.options.display.chcEllipses = true;
    for (auto& r : views->active)
        r.Selected = false;
    views->data.options.display.chcData = false;
    Screen(views->data, 0, 400, 400).save(QString::fromStdString(out + "means.png"));
    views->data.options.display.chcData = true;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(out + "page.pdf"));
    EXPECT_FALSE(PrintViews(printer, views->data, "BENCHMARK"));
    for (const char* ext : {"wmf", "svg", "pdf", "png", "bmp"})
        EXPECT_FALSE(ExportPicture(out + "export." + ext, views->data, "Comment"));
}

} // namespace
} // namespace tesmor::render
