#include "render/line_raster.h"
#include "render/painter_canvas.h"
#include "render/picture_export.h"
#include "render/printing.h"
#include "render_sample_site.h"
#include "temp_dir.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace tesmor::render {
namespace {

using tesmor::test::MakeSampleViews;
using tesmor::test::ReadBytes;
using tesmor::test::TempDir;

constexpr QRgb WhitePixel = 0xFFFFFFFF;

// The number of rows of `area` with a pixel that is not white.
int InkedRows(const QImage& image, const QRect& area)
{
    int rows = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != WhitePixel) {
                ++rows;
                break;
            }
    return rows;
}

// The format follows the extension in any case; an unknown one gives a message and no file. The
// bitmap holds the title and the views, and the views fill the picture down to the plots'
// labels.
TEST(ExportPicture, ChoosesTheFormatByTheExtensionInAnyCase)
{
    auto views = MakeSampleViews(20);
    TempDir dir;

    for (const char* name : {"a.WMF", "a.svg", "a.pdf", "a.png", "a.bmp"})
        ASSERT_FALSE(ExportPicture(dir.file(name), views->data, "Comment")) << name;
    const auto unknown = ExportPicture(dir.file("a.jpeg"), views->data, "Comment");

    EXPECT_EQ(ReadBytes(dir.file("a.WMF")).substr(0, 4), "\xD7\xCD\xC6\x9A");
    const std::string svg = ReadBytes(dir.file("a.svg"));
    EXPECT_NE(svg.find("viewBox=\"0 0 1600 1380\""), std::string::npos);
    EXPECT_NE(svg.find("Geographic"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.file("a.pdf")).substr(0, 5), "%PDF-");
    const QImage png(QString::fromStdString(dir.file("a.png")));
    ASSERT_EQ(png.size(), QSize(1600, 1380));
    EXPECT_GT(InkedRows(png, QRect(0, 1150, 1600, 230)), png.height() / 12);
    const QImage bmp(QString::fromStdString(dir.file("a.bmp")));
    ASSERT_EQ(bmp.width(), 800);
    EXPECT_GT(InkedRows(bmp, QRect(370, 8, 60, 18)), 0); // the title
    EXPECT_GT(InkedRows(bmp, QRect(150, 150, 100, 100)), 0); // the net
    EXPECT_GT(InkedRows(bmp, QRect(60, 500, 300, 170)), 0); // the first plot
    ASSERT_TRUE(unknown);
    EXPECT_NE(unknown->text.find(".wmf"), std::string::npos);
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
        PainterCanvas(painter, mode).symbol({shape, x, x - 0.05, size, {0, 0, 255}, plot::Black});
        return image;
    };

    for (int shape : {1, 3, 11, 32})
        for (int size : {7, 8, 9, 15})
            for (double x : {20.2, 20.4, 20.6, 20.8}) {
                SCOPED_TRACE(testing::Message()
                             << "shape " << shape << " size " << size << " at " << x);
                const QImage cached = draw(PainterCanvas::Markers::Cached, shape, size, x);
                const QImage vector = draw(PainterCanvas::Markers::Vector, shape, size, x);
                int differing = 0;
                QRect cachedInk, vectorInk;
                for (int y = 0; y < 40; ++y)
                    for (int column = 0; column < 40; ++column) {
                        const QRgb a = cached.pixel(column, y), b = vector.pixel(column, y);
                        differing += a != b;
                        cachedInk |= a == WhitePixel ? QRect() : QRect(column, y, 1, 1);
                        vectorInk |= b == WhitePixel ? QRect() : QRect(column, y, 1, 1);
                    }
                EXPECT_EQ(cachedInk, vectorInk);
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

QImage Drawn(int w, int h, const std::vector<plot::Point>& points, plot::Colour colour,
             plot::PenStyle style = plot::PenStyle::Solid)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    DrawAntialiasedPolyline(image, points, colour, style);
    return image;
}

// Drawn directly on images: a horizontal line covers exactly its row, a sloping one shares its
// coverage between the two nearest pixels, dashes leave gaps, and points far outside are clipped
// (under the address sanitizer no pixel outside the image is touched).
TEST(DrawAntialiasedPolyline, CoversItsPixelsDashesAndClips)
{
    const QImage row = Drawn(20, 10, {{2, 5}, {12, 5}}, {255, 0, 0});
    const QImage slope = Drawn(10, 10, {{0, 0}, {8, 4}}, {0, 0, 0});
    const QImage dashed = Drawn(40, 3, {{0, 1}, {35, 1}}, {0, 0, 0}, plot::PenStyle::Dash);
    const QImage clipped = Drawn(10, 10, {{-1000, -5}, {1000, 20}}, {0, 0, 0}); // y = 7.5 at x = 5

    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y)
            EXPECT_EQ(row.pixel(x, y), y == 5 && x >= 2 && x <= 12 ? qRgb(255, 0, 0) : WhitePixel)
                << x << "," << y;
    // At x = 1 the sloping line is at y = 0.5: both pixels half covered.
    EXPECT_NEAR(qRed(slope.pixel(1, 0)), 128, 2);
    EXPECT_NEAR(qRed(slope.pixel(1, 1)), 128, 2);
    EXPECT_EQ(slope.pixel(8, 4), qRgb(0, 0, 0));
    int ink = 0;
    for (int x = 0; x <= 35; ++x)
        ink += dashed.pixel(x, 1) != WhitePixel;
    EXPECT_EQ(ink, 24); // 4 on, 2 off over 36 pixels
    EXPECT_EQ(dashed.pixel(4, 1), WhitePixel);
    EXPECT_EQ(clipped.pixel(5, 0), WhitePixel);
    EXPECT_NE(clipped.pixel(5, 7), WhitePixel);
}

// A batch drawn by several threads, each over its own rows, gives the image of the lines drawn
// one by one: overlapping lines of two colours, dashes that cross the band edges, a point.
TEST(LineBatch, DrawsTheSameImageOnAnyNumberOfThreads)
{
    std::vector<std::vector<plot::Point>> lines;
    for (int k = 0; k < 400; ++k)
        lines.push_back({{k % 97, 0}, {(k * 7) % 120, 70 + k % 50}, {119 - k % 13, 127 - k % 3}});
    lines.push_back({{3, 3}, {3, 3}});
    QImage serial(120, 128, QImage::Format_RGB32);
    serial.fill(Qt::white);
    const auto style = [](std::size_t k) { return static_cast<plot::PenStyle>(k % 5); };
    const auto colour = [](std::size_t k) { return plot::Colour {255, std::uint8_t(k % 256), 0}; };
    for (std::size_t k = 0; k < lines.size(); ++k)
        DrawAntialiasedPolyline(serial, lines[k], colour(k), style(k));
    for (int threads : {1, 2, 3}) {
        SCOPED_TRACE(threads);
        LineBatch batch;
        for (std::size_t k = 0; k < lines.size(); ++k)
            batch.add(lines[k], colour(k), style(k));
        QImage image(120, 128, QImage::Format_RGB32);
        image.fill(Qt::white);
        batch.draw(image, threads);
        EXPECT_TRUE(batch.empty());
        EXPECT_EQ(image, serial);
    }
}

// A large batch in few colours lays each colour over the coverage of its lines: the same image
// on any number of threads, within a shade or two of the lines drawn one by one. The coverage
// kept for the same lines gives the picture of a fresh drawing in other colours, and a batch
// with one point moved is drawn afresh.
TEST(LineBatch, LargeBatchesInFewColoursLayEachColourOverItsCoverage)
{
    using Lines = std::vector<std::vector<plot::Point>>;
    Lines lines;
    for (int k = 0; k < 400; ++k) {
        std::vector<plot::Point>& line = lines.emplace_back();
        for (int i = 0; i <= 100; ++i)
            line.push_back({k + i, (k * 7 + i * i / 40) % 400});
    }
    const auto drawn
        = [](const Lines& batchLines, plot::Colour even, plot::Colour odd, int threads) {
              LineBatch batch;
              for (std::size_t k = 0; k < batchLines.size(); ++k)
                  batch.add(batchLines[k], k % 2 ? odd : even, static_cast<plot::PenStyle>(k % 5));
              EXPECT_GE(batch.points(), LineBatch::MinCoveragePoints);
              QImage image(500, 400, QImage::Format_RGB32);
              image.fill(Qt::white);
              batch.draw(image, threads);
              return image;
          };
    const plot::Colour orange {255, 128, 0}, blue {0, 0, 255}, black {0, 0, 0};

    QImage serial(500, 400, QImage::Format_RGB32);
    serial.fill(Qt::white);
    for (std::size_t k = 0; k < lines.size(); ++k)
        DrawAntialiasedPolyline(serial, lines[k], orange, static_cast<plot::PenStyle>(k % 5));
    const QImage oneColour = drawn(lines, orange, orange, 1);
    int largest = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 500; ++x) {
            const QRgb a = oneColour.pixel(x, y), b = serial.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(a) - qRed(b)),
                                std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(largest, 3);
    EXPECT_NE(oneColour, drawn(lines, blue, blue, 1)); // the kept coverage, the new colour

    Lines moved = lines;
    moved[200][50].y += 7;
    Lines other = lines;
    other.pop_back();
    const QImage fresh = drawn(lines, blue, black, 2);
    const QImage freshMoved = (drawn(other, blue, black, 2), drawn(moved, blue, black, 2));
    EXPECT_NE(fresh, freshMoved);
    EXPECT_EQ(drawn(lines, blue, black, 3), fresh); // not the coverage of `moved`
    EXPECT_EQ(drawn(moved, blue, black, 1), freshMoved); // not the coverage of `lines`
    drawn(lines, orange, black, 2);
    EXPECT_EQ(drawn(lines, blue, black, 1), fresh); // the kept coverage in other colours
}

} // namespace
} // namespace tesmor::render
