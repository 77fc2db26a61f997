#pragma once

// A browser driven by a scripted person, with data files written into a temporary folder.

#include "ams_file_builder.h"
#include "app/browser.h"
#include "app_scripted_ui.h"
#include "temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tesmor::app::test_support {

// File-type entries of the open dialog used by the tests (0-based).
inline constexpr int AmsEntry = 1; // "Varkel AMS format (*.ran)"
inline constexpr int GedEntry = 6;
inline constexpr const char* ClosedCaption = "Tesmor 42 - Anisotropy data browser";

// List rows as the list hands them over: the header row, then one flag per record.
inline std::vector<bool> Rows(int records, const std::vector<int>& selected)
{
    std::vector<bool> rows(static_cast<std::size_t>(records) + 1, false);
    for (int row : selected)
        rows[static_cast<std::size_t>(row)] = true;
    return rows;
}

class BrowserTest : public ::testing::Test
{
protected:
    BrowserTest()
    {
        std::filesystem::create_directories(programFolder());
        std::filesystem::create_directories(dataFolder());
    }

    std::string programFolder() const { return m_dir.path().string() + "/program/"; }
    std::string configFolder() const { return m_dir.path().string() + "/config/"; }
    std::string dataFolder() const { return m_dir.path().string() + "/data/"; }

    void load() { browser.Load(programFolder(), configFolder()); }

    // `count` specimens S1, S2, ... with slightly different tensors, so that their statistics
    // are defined, and group 1 / group 2 codes `code1` / `code2`.
    std::string writeFile(const std::string& name, int count, const std::string& code1 = "BL",
                          const std::string& code2 = "00", const std::string& site = "SITE")
    {
        testing::AmsFileBuilder builder;
        testing::AmsHeaderFields header;
        header.Site = site;
        builder.Header(header);
        for (int i = 0; i < count; ++i) {
            testing::AmsSpecimenFields s;
            s.Name = "S" + std::to_string(i + 1);
            const float d = 0.01f * static_cast<float>(i % 7);
            s.Tensor
                = {1.06f - d, 0.99f + d / 2, 0.95f + d / 2, 0.01f + d, -0.02f + d / 3, 0.03f - d};
            s.Code1 = code1;
            s.Code2 = code2;
            s.Group1 = {static_cast<std::int16_t>(100 + 7 * i), 30, 150, 20};
            builder.Specimen(s);
        }
        const std::string path = dataFolder() + name;
        tesmor::test::WriteBytes(path, builder.Bytes());
        return path;
    }

    // Opens the named files of the data folder through the open-multiple dialog.
    void open(const std::vector<std::string>& names, int entry = AmsEntry)
    {
        ui.ChooseFiles(dataFolder(), entry, names);
        browser.mnuOpen_Click();
    }

    // The state before any file is opened, and after a failed open.
    void expectClosed()
    {
        EXPECT_EQ(c().frmMain.caption, ClosedCaption);
        EXPECT_FALSE(state().ViewsReady);
        EXPECT_FALSE(c().lstNames.enabled);
        EXPECT_FALSE(c().mnuSave.visible);
    }

    const MainWindowControls& c() const { return browser.Controls(); }
    BrowserState& state() { return browser.State(); }

    tesmor::test::TempDir m_dir;
    testing::ScriptedUi ui;
    Browser browser {ui};
};

// A browser that has read its (missing) settings file.
class LoadedBrowserTest : public BrowserTest
{
protected:
    LoadedBrowserTest() { load(); }
};

} // namespace tesmor::app::test_support
