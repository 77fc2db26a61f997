// The settings file: reading, defaults, clean-up of the folder and writing back.

#include "app_fixture.h"

namespace tesmor::app {
namespace {

// Lines 2 to 10 of a settings file holding the defaults.
const std::string DefaultValues = "\r\n 2\r\n 1\r\n 1\r\n 1\r\n 1\r\n 0\r\n 0\r\n 0\r\n 0\r\n";

class SettingsTest : public test_support::BrowserTest
{
protected:
    void writeSettings(const std::string& text)
    {
        tesmor::test::WriteBytes(programFolder() + "Tesmor42.sav", text);
    }
    std::string writtenSettings(const std::string& folder)
    {
        return tesmor::test::ReadBytes(folder + "Tesmor42.sav");
    }
};

TEST_F(SettingsTest, RoundTripKeepsTheTenLinesAndNegativeValues)
{
    const std::string text
        = dataFolder() + "\r\n 1\r\n 3\r\n 4\r\n 2\r\n 2\r\n 12\r\n 0\r\n-5\r\n 90\r\n";
    writeSettings(text);

    load();
    browser.Unload();

    EXPECT_EQ(state().DefaultP3, -5);
    EXPECT_EQ(writtenSettings(programFolder()), text);
}

TEST_F(SettingsTest, ValuesMarkTheirOptions)
{
    writeSettings(dataFolder() + "\r\n1\r\n3\r\n4\r\n2\r\n2\r\n0\r\n0\r\n0\r\n0\r\n");

    load();

    EXPECT_TRUE(c().optEqualAngle.checked);
    EXPECT_FALSE(c().optEqualArea.checked);
    EXPECT_TRUE(c().optPLogKm.checked);
    EXPECT_TRUE(c().optPU.checked);
    EXPECT_EQ(state().GedMatchMode, 2);
    EXPECT_EQ(state().ColourScheme, 2);
}

TEST_F(SettingsTest, ProjectionOutsideTheRangeMarksNoOptionAndIsKept)
{
    writeSettings(dataFolder() + "\r\n 3\r\n 1\r\n 1\r\n 1\r\n 1\r\n 0\r\n 0\r\n 0\r\n 0\r\n");

    load();

    EXPECT_EQ(state().Projection, 3);
    EXPECT_FALSE(c().optEqualAngle.checked);
    EXPECT_FALSE(c().optEqualArea.checked);
}

TEST_F(SettingsTest, MissingDataFolderFallsBackToTheProgramFolder)
{
    writeSettings(dataFolder() + "gone/" + DefaultValues);

    load();
    browser.Unload();

    EXPECT_EQ(state().DataFolder, programFolder());
    EXPECT_EQ(writtenSettings(programFolder()), programFolder() + DefaultValues);
}

TEST_F(SettingsTest, DoubledSeparatorsAreCollapsed)
{
    std::string doubled;
    for (char ch : dataFolder())
        doubled += ch == '/' ? std::string("//") : std::string(1, ch);
    writeSettings(doubled + DefaultValues);

    load();

    EXPECT_EQ(state().DataFolder, dataFolder());
}

TEST_F(SettingsTest, MissingFileStartsWithDefaultsAndIsWrittenAtTheEnd)
{
    load();
    browser.Unload();

    EXPECT_EQ(state().DataFolder, programFolder());
    EXPECT_EQ(writtenSettings(programFolder()), programFolder() + DefaultValues);
}

TEST_F(SettingsTest, ShortOrMalformedLinesTakeTheirDefaults)
{
    writeSettings(dataFolder() + "\r\n 1\r\n two\r\n 99999\r\n");

    load();

    EXPECT_EQ(state().DataFolder, dataFolder());
    EXPECT_EQ(state().Projection, 1);
    EXPECT_EQ(state().Plot1Kind, 1);
    EXPECT_EQ(state().Plot2Kind, 1);
    EXPECT_EQ(state().ColourScheme, 1);
    EXPECT_EQ(state().DefaultP4, 0);
}

TEST_F(SettingsTest, UnwritableProgramFolderKeepsSettingsInTheConfigurationFolder)
{
    const std::string missingProgram = programFolder() + "not-there/";
    std::filesystem::create_directories(configFolder());
    tesmor::test::WriteBytes(configFolder() + "Tesmor42.sav",
                             dataFolder()
                                 + "\r\n 1\r\n 2\r\n 2\r\n 1\r\n 1\r\n 0\r\n 0\r\n 0\r\n 0\r\n");

    browser.Load(missingProgram, configFolder());
    browser.Unload();

    EXPECT_EQ(state().SettingsFolder, configFolder());
    EXPECT_EQ(state().Projection, 1);
    EXPECT_FALSE(std::filesystem::exists(missingProgram + "Tesmor42.sav"));
    EXPECT_EQ(writtenSettings(configFolder()).substr(0, dataFolder().size()), dataFolder());
}

} // namespace
} // namespace tesmor::app
