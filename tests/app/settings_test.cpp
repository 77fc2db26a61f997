// The settings file: reading, defaults, clean-up of the folder and writing back.

#include "app_fixture.h"

#include <optional>

namespace tesmor::app {
namespace {

using tesmor::test::ReadBytes;
using tesmor::test::WriteBytes;

// A settings file: the folder, then nine values, each with one leading blank when not negative.
std::string SettingsText(const std::string& folder, const std::vector<int>& values)
{
    std::string text = folder + "\r\n";
    for (int v : values)
        text += (v < 0 ? "" : " ") + std::to_string(v) + "\r\n";
    return text;
}

std::vector<int> SettingValues(const BrowserState& s)
{
    return {s.Projection, s.Plot1Kind, s.Plot2Kind, s.GedMatchMode, s.ColourScheme,
            s.DefaultP1,  s.DefaultP2, s.DefaultP3, s.DefaultP4};
}

class SettingsTest : public test_support::BrowserTest
{
protected:
    std::string settingsFile() const { return programFolder() + "Tesmor42.sav"; }
};

TEST_F(SettingsTest, ValuesMarkTheirOptionsAndUnusableOnesTakeTheirDefaults)
{
    std::string doubled;
    for (char ch : dataFolder())
        doubled += ch == '/' ? std::string("//") : std::string(1, ch);
    const std::vector<int> defaults {2, 1, 1, 1, 1, 0, 0, 0, 0};
    const struct
    {
        const char* what;
        std::optional<std::string> text;
        std::string folder; // the data folder read, and written back
        std::vector<int> values;
    } cases[] = {
        {"no file", std::nullopt, programFolder(), defaults},
        {"negative value, written back as read",
         SettingsText(dataFolder(), {1, 3, 4, 2, 2, 12, 0, -5, 90}),
         dataFolder(),
         {1, 3, 4, 2, 2, 12, 0, -5, 90}},
        {"values without blanks",
         dataFolder() + "\r\n1\r\n3\r\n4\r\n2\r\n2\r\n0\r\n0\r\n0\r\n0\r\n",
         dataFolder(),
         {1, 3, 4, 2, 2, 0, 0, 0, 0}},
        {"projection out of range, kept",
         SettingsText(dataFolder(), {3, 1, 1, 1, 1, 0, 0, 0, 0}),
         dataFolder(),
         {3, 1, 1, 1, 1, 0, 0, 0, 0}},
        {"missing data folder", SettingsText(dataFolder() + "gone/", defaults), programFolder(),
         defaults},
        {"doubled separators", SettingsText(doubled, defaults), dataFolder(), defaults},
        {"short and malformed",
         dataFolder() + "\r\n 1\r\n two\r\n 99999\r\n",
         dataFolder(),
         {1, 1, 1, 1, 1, 0, 0, 0, 0}},
    };
    using W = MainWindowControls;
    const OptionButton W::*plot1[] = {&W::optPKm, &W::optPjKm, &W::optPLogKm, &W::optHKm};
    const OptionButton W::*plot2[] = {&W::optPT, &W::optPjT, &W::optLF, &W::optPU};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        std::filesystem::remove(settingsFile());
        if (t.text)
            WriteBytes(settingsFile(), *t.text);
        Browser fresh {ui};

        fresh.Load(programFolder(), configFolder());

        const W& w = fresh.Controls();
        EXPECT_EQ(fresh.State().DataFolder, t.folder);
        EXPECT_EQ(SettingValues(fresh.State()), t.values);
        EXPECT_EQ(w.optEqualAngle.checked, t.values[0] == 1);
        EXPECT_EQ(w.optEqualArea.checked, t.values[0] == 2);
        EXPECT_TRUE((w.*plot1[t.values[1] - 1]).checked && (w.*plot2[t.values[2] - 1]).checked);
        fresh.Unload();
        EXPECT_EQ(ReadBytes(settingsFile()), SettingsText(t.folder, t.values));
    }
}

TEST_F(SettingsTest, UnwritableProgramFolderKeepsSettingsInTheConfigurationFolder)
{
    const std::string missingProgram = programFolder() + "not-there/";
    std::filesystem::create_directories(configFolder());
    WriteBytes(configFolder() + "Tesmor42.sav",
               SettingsText(dataFolder(), {1, 2, 2, 1, 1, 0, 0, 0, 0}));

    browser.Load(missingProgram, configFolder());
    browser.Unload();

    EXPECT_EQ(state().SettingsFolder, configFolder());
    EXPECT_EQ(state().Projection, 1);
    EXPECT_FALSE(std::filesystem::exists(missingProgram + "Tesmor42.sav"));
    EXPECT_EQ(ReadBytes(configFolder() + "Tesmor42.sav").substr(0, dataFolder().size()),
              dataFolder());
}

} // namespace
} // namespace tesmor::app
