#include "render/painter_canvas.h"
#include "render/picture_export.h"
#include "render/printing.h"
#include "render_sample_site.h"
#include "temp_dir.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <gtest/gtest.h>

namespace tesmor::render {
namespace {

using tesmor::test::MakeSampleViews;
using tesmor::test::ReadBytes;
using tesmor::test::TempDir;

// The bitmap holds the title and the views, not the title alone.
TEST(ExportPicture, ChoosesTheFormatByTheExtensionInAnyCase)
{
    auto views = MakeSampleViews(20);
    TempDir dir;

    for (const char* name : {"a.WMF", "a.svg", "a.pdf", "a.png", "a.bmp"})
        ASSERT_FALSE(ExportPicture(dir.file(name), views->data, "Comment")) << name;

    EXPECT_EQ(ReadBytes(dir.file("a.WMF")).substr(0, 4), "\xD7\xCD\xC6\x9A");
    const std::string svg = ReadBytes(dir.file("a.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Geographic"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.file("a.pdf")).substr(0, 5), "%PDF-");
    // The views fill the picture: its bottom rows hold the plots' labels.
    const QImage png(QString::fromStdString(dir.file("a.png")));
    ASSERT_EQ(png.size(), QSize(1600, 1380));
    int inkRows = 0;
    for (int y = png.height() - png.height() / 6; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            if (png.pixel(x, y) != qRgb(255, 255, 255)) {
                ++inkRows;
                break;
            }
    EXPECT_GT(inkRows, png.height() / 12);
    EXPECT_NE(svg.find("viewBox=\"0 0 1600 1380\""), std::string::npos);
    const QImage bmp(QString::fromStdString(dir.file("a.bmp")));
    ASSERT_EQ(bmp.width(), 800);
    const auto hasInk = [&](const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (bmp.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    };
    EXPECT_TRUE(hasInk(QRect(370, 8, 60, 18))); // the title
    EXPECT_TRUE(hasInk(QRect(150, 150, 100, 100))); // the net
    EXPECT_TRUE(hasInk(QRect(60, 500, 300, 170))); // the first plot
}

TEST(ExportPicture, UnknownExtensionGivesAMessageAndWritesNothing)
{
    auto views = MakeSampleViews(5);
    TempDir dir;

    const auto status = ExportPicture(dir.file("a.jpeg"), views->data, "Comment");

    ASSERT_TRUE(status);
    EXPECT_NE(status->text.find(".wmf"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.jpeg")));
}

// A cached square or circle covers the same pixels as the same marker drawn directly, odd sizes
// included, wherever it lands between two pixels (details inside may shade a little differently).
TEST(PainterCanvas, CachedMarkersCoverTheSamePixelsAsVectorMarkers)
{
    const auto draw = [](PainterCanvas::Markers mode, int shape, int size, double x) {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        PainterCanvas canvas(painter, mode);
        canvas.symbol({shape, x, x - 0.05, size, {0, 0, 255}, plot::Black});
        return image;
    };

    for (int shape : {1, 3, 11, 32})
        for (int size : {7, 8, 9, 15})
            for (double x : {20.2, 20.4, 20.6, 20.8}) {
                SCOPED_TRACE(testing::Message()
                             << "shape " << shape << " size " << size << " at " << x);
                const QImage cached = draw(PainterCanvas::Markers::Cached, shape, size, x);
                const QImage vector = draw(PainterCanvas::Markers::Vector, shape, size, x);
                const auto ink = [](const QImage& image) {
                    QRect box;
                    for (int y = 0; y < image.height(); ++y)
                        for (int column = 0; column < image.width(); ++column)
                            if (image.pixel(column, y) != qRgb(255, 255, 255))
                                box |= QRect(column, y, 1, 1);
                    return box;
                };
                int differing = 0;
                for (int y = 0; y < cached.height(); ++y)
                    for (int column = 0; column < cached.width(); ++column)
                        differing += cached.pixel(column, y) != vector.pixel(column, y);
                EXPECT_EQ(ink(cached), ink(vector));
                EXPECT_LE(differing, shape == 1 ? 0 : 2 * size);
            }
}

TEST(PrintViews, PrintsOnePageUnderTheJobNameDokument)
{
    auto views = MakeSampleViews(20);
    TempDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.file("page.pdf")));

    ASSERT_FALSE(PrintViews(printer, views->data, "site"));

    EXPECT_EQ(printer.docName().toStdString(), "Dokument");
    const std::string pdf = ReadBytes(dir.file("page.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
}

} // namespace
} // namespace tesmor::render
