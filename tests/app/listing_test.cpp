// The text of the record list and of the statistics panel.

#include "app/listing.h"
#include "app/structure_types.h"
#include "app_fixture.h"

namespace tesmor::app {
namespace {

// Rows are held against the golden listings. Long texts keep their rightmost or leftmost
// characters; fixed numbers round half to even and never show minus zero.
TEST(Listing, AlignedTextsAndFixedNumbers)
{
    EXPECT_EQ(AlignRight("12345", 3), "345");
    EXPECT_EQ(AlignLeft("TRB2/3", 3), "TRB");
    EXPECT_EQ(AlignRight("1", 3), "  1");
    EXPECT_EQ(FormatFixed(0.0625, 3), "0.062");
    EXPECT_EQ(FormatFixed(0.0635, 3), "0.064");
    EXPECT_EQ(FormatFixed(-0.0001, 3), "0.000");
    EXPECT_EQ(FormatFixed(-12.25, 1), "-12.2");
    EXPECT_EQ(FormatFixed(0, 1), "0.0");
}

TEST(StructureTypes, LettersSortByCodeAndCountBothCases)
{
    // Letters are Windows-1252 bytes: e-acute and E-acute are one type.
    model::Records records(3);
    records[0].Code1A = 's';
    records[1].Code1A = 'B';
    records[1].Code2A = '\xE9';
    records[2].Code1A = 'S';
    records[2].Code2A = '\xC9';

    const std::vector<StructureType> types = FoliationTypesOf(records);

    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[0], (StructureType {'B', 1}));
    EXPECT_EQ(types[1], (StructureType {'s', 2}));
    EXPECT_EQ(types[2], (StructureType {'\xE9', 2}));
    EXPECT_EQ(StructureEntryText(types[1]), "s  (N= 2)");
    EXPECT_EQ(StructureEntryText(types[2]), "\xC3\xA9  (N= 2)");
}

using PanelTest = test_support::LoadedBrowserTest;

TEST_F(PanelTest, AveragesNeedTwoRecordsAndTenvarStatisticsFive)
{
    const struct
    {
        int n;
        bool averages;
        bool tenvar;
    } cases[] = {{1, false, false}, {4, true, false}, {5, true, true}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.n);
        const std::string name = std::to_string(t.n) + ".ran";
        writeFile(name, t.n);

        open({name});

        EXPECT_EQ(c().lblN.text, std::to_string(t.n));
        EXPECT_EQ(c().lblStatisticsInfo.visible, !t.tenvar);
        if (!t.tenvar) {
            EXPECT_EQ(c().lblStatisticsInfo.text, "Not enough records for Tenvar statistics");
        }
        for (const Label* label : {&c().lblLaver, &c().lblKmsd, &c().lblPsd})
            EXPECT_EQ(label->text.empty(), !t.averages);
        if (t.averages) {
            EXPECT_NE(c().lblKmaver.text.find("E-04"), std::string::npos);
        }
        EXPECT_EQ(c().lblKmmean.text, t.tenvar ? "N/A" : "");
        EXPECT_EQ(c().lblK1.text, t.tenvar ? FormatFixed(state().Statistics.K1, 3) : "");
        EXPECT_EQ(c().lblK1d.text.size(), t.tenvar ? 14u : 0u); // "ddd.d / ii.i" in 6 + 3 + 5
        EXPECT_EQ(c().lblK1ca.text.find(" / ") != std::string::npos, t.tenvar);
        EXPECT_EQ(std::pair(c().chcMean.enabled, c().chcEllipses.enabled),
                  std::pair(t.tenvar, t.tenvar));
    }
}

TEST_F(PanelTest, MeanCheckBoxComesBackEnabledAndChecked)
{
    writeFile("five.ran", 5);
    writeFile("four.ran", 4);
    open({"five.ran"});
    browser.chcMean_Click(true);
    open({"four.ran"});
    ASSERT_FALSE(c().chcMean.enabled);

    open({"five.ran"});

    EXPECT_TRUE(c().chcMean.enabled && c().chcMean.checked && state().Display.chcMean);
}

} // namespace
} // namespace tesmor::app
