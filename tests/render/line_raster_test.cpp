#include "render/line_raster.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>
#include <vector>

namespace tesmor::render {
namespace {

using Points = std::vector<plot::Point>;

QImage Drawn(int w, int h, const Points& points, plot::Colour colour,
             plot::PenStyle style = plot::PenStyle::Solid)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    DrawAntialiasedPolyline(image, points, colour, style);
    return image;
}

TEST(DrawAntialiasedPolyline, HorizontalLineCoversExactlyItsRow)
{
    const QImage image = Drawn(20, 10, {{2, 5}, {12, 5}}, {255, 0, 0});

    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y) {
            const bool onLine = y == 5 && x >= 2 && x <= 12;
            EXPECT_EQ(image.pixel(x, y), onLine ? qRgb(255, 0, 0) : qRgb(255, 255, 255))
                << x << "," << y;
        }
}

TEST(DrawAntialiasedPolyline, SharesCoverageBetweenTheTwoNearestPixels)
{
    const QImage image = Drawn(10, 10, {{0, 0}, {8, 4}}, {0, 0, 0});

    // At x = 1 the line is at y = 0.5: both pixels half covered.
    EXPECT_NEAR(qRed(image.pixel(1, 0)), 128, 2);
    EXPECT_NEAR(qRed(image.pixel(1, 1)), 128, 2);
    EXPECT_EQ(image.pixel(8, 4), qRgb(0, 0, 0));
}

TEST(DrawAntialiasedPolyline, DashedLineLeavesGaps)
{
    const QImage image = Drawn(40, 3, {{0, 1}, {35, 1}}, {0, 0, 0}, plot::PenStyle::Dash);

    int ink = 0;
    for (int x = 0; x <= 35; ++x)
        ink += image.pixel(x, 1) != qRgb(255, 255, 255);
    EXPECT_EQ(ink, 24); // 4 on, 2 off over 36 pixels
    EXPECT_EQ(image.pixel(4, 1), qRgb(255, 255, 255));
}

TEST(DrawAntialiasedPolyline, PointsFarOutsideTheImageAreClipped)
{
    // Under the address sanitizer: no pixel outside the image is touched. The line crosses the
    // image at y = 7.5.
    const QImage image = Drawn(10, 10, {{-1000, -5}, {1000, 20}}, {0, 0, 0});

    EXPECT_EQ(image.pixel(5, 0), qRgb(255, 255, 255));
    EXPECT_NE(image.pixel(5, 7), qRgb(255, 255, 255));
}

TEST(DirectLineTarget, OnlyUntransformedPlainImages)
{
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);

    EXPECT_EQ(DirectLineTarget(painter), &image);
    painter.scale(2, 2);
    EXPECT_EQ(DirectLineTarget(painter), nullptr);
}

} // namespace
} // namespace tesmor::render
