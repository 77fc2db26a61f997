#include "plot/metafile_canvas.h"
#include "plot/views.h"
#include "plot_test_helpers.h"
#include "temp_dir.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace tesmor::plot {
namespace {

using Params = std::vector<std::int16_t>;
using namespace std::string_literals;

struct WmfRecord
{
    std::uint16_t function = 0;
    Params params;
};

// The little-endian number of `size` bytes at `at`.
std::uint32_t Le(const std::string& bytes, std::size_t at, int size = 2)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// The records after the placeable and standard headers, read by their size fields; with
// `function` only those of that function.
std::vector<WmfRecord> Records(const std::string& file, int function = -1)
{
    std::vector<WmfRecord> out;
    std::size_t at = 22 + 18;
    while (at + 6 <= file.size()) {
        const std::uint32_t words = Le(file, at, 4);
        EXPECT_GE(words, 3u);
        WmfRecord r {static_cast<std::uint16_t>(Le(file, at + 4)), {}};
        for (std::uint32_t i = 3; i < words; ++i)
            r.params.push_back(static_cast<std::int16_t>(Le(file, at + 2 * i)));
        if (function < 0 || r.function == function)
            out.push_back(r);
        at += 2 * static_cast<std::size_t>(words);
    }
    EXPECT_EQ(at, file.size());
    return out;
}

// Three records of a mild fabric in the given scheme.
ViewData Sample(ColourScheme scheme = ColourScheme::Default)
{
    static const std::vector records(3, test::RecordWithAxes(30, 40, 120, 10, 250, 50));
    ViewData data;
    data.records = records;
    data.options.colourScheme = scheme;
    return data;
}

TEST(MetafilePicture, IsAPlaceableHeaderThenAStandardMetafileWithABalancedObjectTable)
{
    const std::string file = MetafilePicture(Sample());

    // Key, box (0, 0, 8001, 8001), 1000 units per inch, checksum; then a memory metafile of
    // 9 header words, version 0x0300.
    ASSERT_GT(file.size(), 40u);
    EXPECT_EQ(file.substr(0, 28),
              "\xD7\xCD\xC6\x9A\0\0\0\0\0\0\x41\x1F\x41\x1F\xE8\x03\0\0\0\0\xF9\x54"
              "\x01\0\x09\0\0\x03"s);
    EXPECT_EQ(Le(file, 28, 4), (file.size() - 22) / 2);
    const auto records = Records(file);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(std::pair(int(records.back().function), records.back().params),
              std::pair(0, Params {}));
    std::uint32_t largest = 0;
    const int slots = Le(file, 32);
    std::vector<bool> used(static_cast<std::size_t>(slots), false);
    for (const WmfRecord& r : records) {
        largest = std::max<std::uint32_t>(largest, static_cast<std::uint32_t>(3 + r.params.size()));
        if (r.function == 0x02FA || r.function == 0x02FB || r.function == 0x02FC) {
            const auto free = std::find(used.begin(), used.end(), false);
            ASSERT_NE(free, used.end()) << "more objects alive than the header announces";
            *free = true;
        } else if (r.function == 0x012D) {
            ASSERT_LT(r.params[0], slots);
            EXPECT_TRUE(used[static_cast<std::size_t>(r.params[0])]);
        } else if (r.function == 0x01F0) {
            used[static_cast<std::size_t>(r.params[0])] = false;
        }
    }
    EXPECT_EQ(Le(file, 34, 4), largest);
    EXPECT_EQ(std::count(used.begin(), used.end(), true), 0) << "objects left undeleted";
}

TEST(MetafileCanvas, WritesShapesAndTextsWithTheirParametersInRecordOrder)
{
    MetafileCanvas canvas(100, 50, 1000);

    canvas.ellipse({10, 20, 30, 40}, White, Black);
    canvas.polygon(std::vector<Point> {{1, 2}, {3, 4}, {5, 6}}, Red, Black);
    canvas.polyline(std::vector<Point> {{7, 8}, {9, 10}}, Pen {PenStyle::Dot, Red, 1});
    canvas.text(
        {"K1", {300, 200}, 160, "Arial", 700, {0, 0, 255}, {HAlign::Right, VAlign::Bottom}, 90});

    const std::string file = canvas.bytes();
    EXPECT_EQ(Records(file, 0x020C)[0].params, (Params {50, 100})); // window extent
    EXPECT_EQ(Records(file, 0x0418)[0].params, (Params {40, 30, 20, 10}));
    EXPECT_EQ(Records(file, 0x0324)[0].params, (Params {3, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Records(file, 0x0325)[0].params, (Params {2, 7, 8, 9, 10}));
    const auto pens = Records(file, 0x02FA);
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[1].params, (Params {2, 1, 0, 0x00FF, 0}));
    const auto font = Records(file, 0x02FB);
    ASSERT_EQ(font.size(), 1u); // height, escapement in tenths of a degree, weight
    EXPECT_EQ(std::tuple(font[0].params[0], font[0].params[2], font[0].params[4]),
              std::tuple(-160, 900, 700));
    EXPECT_EQ(Records(file, 0x012E)[0].params[0], 2 | 8); // right, bottom
    EXPECT_EQ(Records(file, 0x0209)[0].params, (Params {0, 0x00FF}));
    EXPECT_EQ(Records(file, 0x0521)[0].params, (Params {2, 'K' | '1' << 8, 200, 300}));
}

TEST(MetafilePicture, FollowsTheSchemeAndDrawsSymbolsInTheExportSize)
{
    // Brush colours as 0x00BBGGRR.
    const auto brushes = Records(MetafilePicture(Sample(ColourScheme::BlackAndWhite)), 0x02FC);
    std::set<int> colours;
    for (const WmfRecord& b : brushes)
        colours.insert((b.params[1] & 0xFFFF) | (b.params[2] & 0xFF) << 16);
    EXPECT_TRUE(colours.contains(0x808080) && colours.contains(0xFFFFFF));
    EXPECT_FALSE(colours.contains(0x00FF00));

    auto data = Sample();
    data.options.symbolSize = 3;
    const auto polygons = Records(MetafilePicture(data), 0x0324);
    // A white ground over the whole window, then the K1 legend's square: side 100 whatever the
    // window's symbol size.
    ASSERT_FALSE(polygons.empty());
    EXPECT_EQ(polygons[0].params, (Params {4, 0, 0, 8000, 0, 8000, 8000, 0, 8000}));
    const auto square = std::find_if(polygons.begin() + 1, polygons.end(),
                                     [](const WmfRecord& r) { return r.params[0] == 4; });
    ASSERT_NE(square, polygons.end());
    EXPECT_EQ(square->params[3] - square->params[1], 100);
}

// A real reader converts the picture with its texts and a round net; an unwritable folder gives
// a message.
TEST(WriteMetafilePicture, ConvertsWithWmf2svgAndKeepsItsTextsAndRoundNet)
{
    EXPECT_FALSE(WriteMetafilePicture("/nonexistent-folder/x.wmf", Sample()).value().text.empty());
    if (std::system("command -v wmf2svg > /dev/null 2>&1") != 0) {
        // The continuous integration machine must have the reader; elsewhere it is optional.
        const std::string ci = std::getenv("CI") ? std::getenv("CI") : "";
        if (!ci.empty() && ci != "false" && ci != "0")
            FAIL() << "wmf2svg is not installed (package libwmf-bin), and CI is set";
        GTEST_SKIP() << "wmf2svg is not installed";
    }
    tesmor::test::TempDir dir;
    const std::string wmf = dir.file("views.wmf"), svg = dir.file("views.svg");
    ASSERT_FALSE(WriteMetafilePicture(wmf, Sample()));

    ASSERT_EQ(std::system(("wmf2svg -o '" + svg + "' '" + wmf + "' > /dev/null 2>&1").c_str()), 0);

    const std::string text = tesmor::test::ReadBytes(svg);
    for (const char* expected : {">Geographic<", ">Equal-area<", ">N=3<", ">K1<", ">Km [SI]<"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // The primitive circle, the first ellipse, stays round.
    const auto ellipse = text.find("<ellipse");
    ASSERT_NE(ellipse, std::string::npos);
    const auto number = [&](const std::string& name) {
        return std::atof(text.c_str() + text.find(name, ellipse) + name.size());
    };
    EXPECT_NEAR(number(" rx=\"") / number(" ry=\""), 1.0, 0.01);
}

} // namespace
} // namespace tesmor::plot
