#include "plot/metafile_canvas.h"
#include "plot/views.h"
#include "plot_test_helpers.h"
#include "temp_dir.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tesmor::plot {
namespace {

using test::RecordWithAxes;

struct WmfRecord
{
    std::uint16_t function = 0;
    std::vector<std::int16_t> params;
};

std::uint16_t WordAt(const std::string& bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset])
                                      | static_cast<std::uint8_t>(bytes[offset + 1]) << 8);
}

std::uint32_t DwordAt(const std::string& bytes, std::size_t offset)
{
    return WordAt(bytes, offset) | static_cast<std::uint32_t>(WordAt(bytes, offset + 2)) << 16;
}

// The records after the placeable and standard headers, read by their size fields.
std::vector<WmfRecord> Records(const std::string& file)
{
    std::vector<WmfRecord> out;
    std::size_t at = 22 + 18;
    while (at + 6 <= file.size()) {
        const std::uint32_t words = DwordAt(file, at);
        EXPECT_GE(words, 3u);
        WmfRecord r;
        r.function = WordAt(file, at + 4);
        for (std::uint32_t i = 3; i < words; ++i)
            r.params.push_back(static_cast<std::int16_t>(WordAt(file, at + 2 * i)));
        out.push_back(r);
        at += 2 * static_cast<std::size_t>(words);
    }
    EXPECT_EQ(at, file.size());
    return out;
}

std::vector<WmfRecord> Of(const std::vector<WmfRecord>& records, std::uint16_t function)
{
    std::vector<WmfRecord> out;
    std::copy_if(records.begin(), records.end(), std::back_inserter(out),
                 [&](const WmfRecord& r) { return r.function == function; });
    return out;
}

struct SampleViews
{
    std::vector<model::SpecimenRecord> records;
    ViewData data;
};

SampleViews Sample(ColourScheme scheme = ColourScheme::Default)
{
    SampleViews s;
    for (int i = 0; i < 3; ++i)
        s.records.push_back(RecordWithAxes(30.0f * i, 40, 120, 10, 250, 50));
    s.data.records = s.records;
    s.data.options.colourScheme = scheme;
    return s;
}

TEST(PlaceableHeader, MatchesTheKnownBytesOfTheExportBox)
{
    const auto header = PlaceableHeader(8001, 8001, 1000);

    const std::vector<std::uint8_t> expected {0xD7, 0xCD, 0xC6, 0x9A, 0x00, 0x00, 0x00, 0x00,
                                              0x00, 0x00, 0x41, 0x1F, 0x41, 0x1F, 0xE8, 0x03,
                                              0x00, 0x00, 0x00, 0x00, 0xF9, 0x54};
    EXPECT_EQ(std::vector<std::uint8_t>(header.begin(), header.end()), expected);
}

TEST(MetafilePicture, IsAPlaceableHeaderFollowedByAStandardMetafile)
{
    const auto sample = Sample();

    const std::string file = MetafilePicture(sample.data);

    ASSERT_GT(file.size(), 40u);
    EXPECT_EQ(file.substr(0, 4), "\xD7\xCD\xC6\x9A");
    EXPECT_EQ(file.substr(20, 2), "\xF9\x54");
    EXPECT_EQ(WordAt(file, 22), 1); // memory metafile
    EXPECT_EQ(WordAt(file, 24), 9);
    EXPECT_EQ(WordAt(file, 26), 0x0300);
    EXPECT_EQ(DwordAt(file, 28), (file.size() - 22) / 2);
    const auto records = Records(file);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().function, 0x0000);
    EXPECT_TRUE(records.back().params.empty());
    std::uint32_t largest = 0;
    for (const WmfRecord& r : records)
        largest = std::max<std::uint32_t>(largest, static_cast<std::uint32_t>(3 + r.params.size()));
    EXPECT_EQ(DwordAt(file, 34), largest);
}

TEST(MetafilePicture, ObjectTableHoldsEveryObjectAliveAtOnce)
{
    const auto sample = Sample();

    const std::string file = MetafilePicture(sample.data);

    const int slots = WordAt(file, 32);
    std::vector<bool> used(static_cast<std::size_t>(slots), false);
    for (const WmfRecord& r : Records(file)) {
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
    EXPECT_EQ(std::count(used.begin(), used.end(), true), 0) << "objects left undeleted";
}

TEST(MetafileCanvas, WritesShapesInTheirParameterOrder)
{
    MetafileCanvas canvas(100, 50, 1000);

    canvas.ellipse({10, 20, 30, 40}, White, Black);
    canvas.polygon(std::vector<Point> {{1, 2}, {3, 4}, {5, 6}}, Red, Black);
    canvas.polyline(std::vector<Point> {{7, 8}, {9, 10}}, Pen {PenStyle::Dot, Red, 1});

    const auto records = Records(canvas.bytes());
    EXPECT_EQ(Of(records, 0x0418)[0].params, (std::vector<std::int16_t> {40, 30, 20, 10}));
    EXPECT_EQ(Of(records, 0x0324)[0].params, (std::vector<std::int16_t> {3, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Of(records, 0x0325)[0].params, (std::vector<std::int16_t> {2, 7, 8, 9, 10}));
    EXPECT_EQ(Of(records, 0x020C)[0].params, (std::vector<std::int16_t> {50, 100}));
    const auto pens = Of(records, 0x02FA);
    ASSERT_EQ(pens.size(), 2u);
    EXPECT_EQ(pens[1].params, (std::vector<std::int16_t> {2, 1, 0, 0x00FF, 0}));
}

TEST(MetafileCanvas, WritesTextWithItsFontAlignmentAndColour)
{
    MetafileCanvas canvas;
    TextItem item;
    item.text = "K1";
    item.at = {300, 200};
    item.height = 160;
    item.weight = 700;
    item.colour = {0, 0, 255};
    item.align = {HAlign::Right, VAlign::Bottom};
    item.angle = 90;

    canvas.text(item);

    const auto records = Records(canvas.bytes());
    const auto font = Of(records, 0x02FB);
    ASSERT_EQ(font.size(), 1u);
    EXPECT_EQ(font[0].params[0], -160);
    EXPECT_EQ(font[0].params[2], 900);
    EXPECT_EQ(font[0].params[4], 700);
    EXPECT_EQ(Of(records, 0x012E)[0].params[0], 2 | 8);
    EXPECT_EQ(Of(records, 0x0209)[0].params, (std::vector<std::int16_t> {0, 0x00FF}));
    EXPECT_EQ(Of(records, 0x0521)[0].params,
              (std::vector<std::int16_t> {2, 'K' | '1' << 8, 200, 300}));
}

TEST(MetafilePicture, BlackAndWhiteSchemeHasGreyAndWhiteSymbols)
{
    const auto colour = [](const WmfRecord& brush) {
        return Colour {static_cast<std::uint8_t>(brush.params[1] & 0xFF),
                       static_cast<std::uint8_t>((brush.params[1] >> 8) & 0xFF),
                       static_cast<std::uint8_t>(brush.params[2] & 0xFF)};
    };
    std::vector<Colour> fills;

    for (const WmfRecord& brush :
         Of(Records(MetafilePicture(Sample(ColourScheme::BlackAndWhite).data)), 0x02FC))
        fills.push_back(colour(brush));

    EXPECT_NE(std::find(fills.begin(), fills.end(), Colour {128, 128, 128}), fills.end());
    EXPECT_NE(std::find(fills.begin(), fills.end(), White), fills.end());
    EXPECT_EQ(std::find(fills.begin(), fills.end(), Colour {0, 255, 0}), fills.end());
}

TEST(MetafilePicture, NetSymbolsHaveTheExportSize)
{
    auto sample = Sample();
    sample.data.options.symbolSize = 3;

    const auto polygons = Of(Records(MetafilePicture(sample.data)), 0x0324);

    // The first square is the K1 legend's: side 100 whatever the window's symbol size.
    const auto square = std::find_if(polygons.begin(), polygons.end(),
                                     [](const WmfRecord& r) { return r.params[0] == 4; });
    ASSERT_NE(square, polygons.end());
    EXPECT_EQ(square->params[3] - square->params[1], 100);
}

TEST(MetafilePicture, ConvertsWithWmf2svgAndKeepsItsTexts)
{
    if (std::system("command -v wmf2svg > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "wmf2svg is not installed";
    const auto sample = Sample();
    tesmor::test::TempDir dir;
    const std::string wmf = dir.file("views.wmf");
    const std::string svg = dir.file("views.svg");
    ASSERT_FALSE(WriteMetafilePicture(wmf, sample.data));

    const int rc = std::system(("wmf2svg -o '" + svg + "' '" + wmf + "' > /dev/null 2>&1").c_str());

    ASSERT_EQ(rc, 0);
    const std::string text = tesmor::test::ReadBytes(svg);
    for (const char* expected : {">Geographic<", ">Equal-area<", ">N=3<", ">K1<", ">Km [SI]<"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

TEST(WriteMetafilePicture, UnwritableFolderGivesAMessage)
{
    const auto sample = Sample();

    const auto status = WriteMetafilePicture("/nonexistent-folder/x.wmf", sample.data);

    ASSERT_TRUE(status);
    EXPECT_FALSE(status->text.empty());
}

} // namespace
} // namespace tesmor::plot
