// The text of the record list and of the statistics panel.

#include "app/listing.h"
#include "app/structure_types.h"
#include "app_fixture.h"

namespace tesmor::app {
namespace {

model::SpecimenRecord listedRecord()
{
    model::SpecimenRecord r;
    r.Name = "A1";
    r.Field = 423;
    r.Freq = "N/A";
    r.Km = 235;
    r.L = 1.0234f;
    r.F = 1.0004f;
    r.P = 1.0f;
    r.Pj = 12.3456f;
    r.T = -0.5f;
    r.U = 0.0004f;
    r.K1dec = 5.04f;
    r.K1inc = 0;
    r.K2dec = 359.96f;
    r.K2inc = 89.96f;
    r.K3dec = 123.46f;
    r.K3inc = 7.25f;
    return r;
}

TEST(Listing, HeaderRowHoldsTheSixteenHeaderTexts)
{
    EXPECT_EQ(ListingHeader(),
              "Name\t H\tF\t      Km\t    L\t    F\t    P\t    Pj\t    T\t    U\t"
              "K1d\tK1i\tK2d\tK2i\tK3d\tK3i");
}

TEST(Listing, RowAlignsEveryFieldToItsWidth)
{
    EXPECT_EQ(ListingRow(listedRecord()),
              "A1\t423\tN/A\t   2.35E-04\t  1.023\t  1.000\t  1.000\t"
              " 12.346\t -0.500\t  0.000\t  5.0\t 0.0\t360.0\t90.0\t"
              "123.5\t 7.2");
}

TEST(Listing, LongTextsKeepTheirRightmostOrLeftmostCharacters)
{
    EXPECT_EQ(AlignRight("12345", 3), "345");
    EXPECT_EQ(AlignLeft("TRB2/3", 3), "TRB");
    EXPECT_EQ(AlignRight("1", 3), "  1");
}

TEST(Listing, FixedFormatRoundsHalfToEvenAndNeverShowsMinusZero)
{
    EXPECT_EQ(FormatFixed(0.0625, 3), "0.062");
    EXPECT_EQ(FormatFixed(0.0635, 3), "0.064");
    EXPECT_EQ(FormatFixed(-0.0001, 3), "0.000");
    EXPECT_EQ(FormatFixed(-12.25, 1), "-12.2");
    EXPECT_EQ(FormatFixed(0, 1), "0.0");
}

TEST(StructureTypes, LettersSortByCodeAndCountBothCases)
{
    model::Records records(3);
    records[0].Code1A = 's';
    records[1].Code1A = 'B';
    records[2].Code1A = 'S';
    records[2].Code2A = '0';

    const std::vector<StructureType> types = FoliationTypesOf(records);

    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0], (StructureType {'B', 1}));
    EXPECT_EQ(types[1], (StructureType {'s', 2}));
    EXPECT_EQ(StructureEntryText(types[1]), "s  (N= 2)");
}

class PanelTest : public test_support::BrowserTest
{
protected:
    PanelTest() { load(); }
};

TEST_F(PanelTest, OneRecordShowsOnlyTheCountAndTheNotice)
{
    writeFile("one.ran", specimens(1));

    open({"one.ran"});

    EXPECT_EQ(c().lblN.text, "1");
    EXPECT_TRUE(c().lblStatisticsInfo.visible);
    EXPECT_EQ(c().lblStatisticsInfo.text, "Not enough records for Tenvar statistics");
    EXPECT_EQ(c().lblLaver.text, "");
    EXPECT_EQ(c().lblKmsd.text, "");
    EXPECT_EQ(c().lblK1.text, "");
}

TEST_F(PanelTest, FourRecordsShowAveragesButNoTenvarStatistics)
{
    writeFile("four.ran", specimens(4));

    open({"four.ran"});

    EXPECT_EQ(c().lblN.text, "4");
    EXPECT_TRUE(c().lblStatisticsInfo.visible);
    EXPECT_NE(c().lblLaver.text, "");
    EXPECT_NE(c().lblKmaver.text.find("E-04"), std::string::npos);
    EXPECT_NE(c().lblPsd.text, "");
    EXPECT_EQ(c().lblK1.text, "");
    EXPECT_EQ(c().lblKmmean.text, "");
    EXPECT_FALSE(c().chcMean.enabled);
    EXPECT_FALSE(c().chcEllipses.enabled);
}

TEST_F(PanelTest, FiveRecordsShowTheTenvarStatistics)
{
    writeFile("five.ran", specimens(5));

    open({"five.ran"});

    EXPECT_EQ(c().lblN.text, "5");
    EXPECT_FALSE(c().lblStatisticsInfo.visible);
    EXPECT_EQ(c().lblKmmean.text, "N/A");
    EXPECT_EQ(c().lblK1.text, FormatFixed(state().Statistics.K1, 3));
    EXPECT_EQ(c().lblK1d.text.size(), 14u); // "ddd.d / ii.i" padded to 6 + 3 + 5
    EXPECT_NE(c().lblK1ca.text.find(" / "), std::string::npos);
    EXPECT_TRUE(c().chcMean.enabled);
}

TEST_F(PanelTest, MeanCheckBoxComesBackEnabledAndChecked)
{
    writeFile("five.ran", specimens(5));
    writeFile("four.ran", specimens(4));
    open({"five.ran"});
    browser.chcMean_Click(true);
    open({"four.ran"});
    ASSERT_FALSE(c().chcMean.enabled);

    open({"five.ran"});

    EXPECT_TRUE(c().chcMean.enabled);
    EXPECT_TRUE(c().chcMean.checked);
    EXPECT_TRUE(state().Display.chcMean);
}

TEST_F(PanelTest, ListSelectionFollowsTheRecordFlags)
{
    writeFile("seven.ran", specimens(7));
    open({"seven.ran"});
    state().Data.ActiveRecords[1].Selected = true;
    state().Data.ActiveRecords[4].Selected = true;

    browser.Overview_List();

    std::vector<bool> expected(8, false);
    expected[2] = expected[5] = true;
    EXPECT_EQ(c().lstNames.selected, expected);
}

} // namespace
} // namespace tesmor::app
