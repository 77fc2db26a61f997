#include "plot/views.h"
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
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("a.png"))).size(), QSize(1600, 1600));
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
    EXPECT_EQ(std::string(ExportFilter()).rfind("Windows metafile (*.wmf)", 0), 0u);
}

TEST(PainterCanvas, CachedMarkersLookLikeVectorMarkers)
{
    auto views = MakeSampleViews(60);
    const auto draw = [&](PainterCanvas::Markers mode) {
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        PainterCanvas canvas(painter, mode);
        plot::DrawScreenNet(canvas, views->data, 400, 400);
        return image;
    };

    const QImage cached = draw(PainterCanvas::Markers::Cached);
    const QImage vector = draw(PainterCanvas::Markers::Vector);

    int differing = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 400; ++x)
            differing += cached.pixel(x, y) != vector.pixel(x, y);
    EXPECT_LT(differing, 400 * 400 / 50);
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
