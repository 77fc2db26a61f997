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

    // Specimens with slightly different tensors, so that their statistics are defined.
    static std::vector<testing::AmsSpecimenFields>
    specimens(int count, const std::string& code1 = "BL", const std::string& code2 = "00")
    {
        std::vector<testing::AmsSpecimenFields> out;
        for (int i = 0; i < count; ++i) {
            testing::AmsSpecimenFields s;
            s.Name = std::to_string(i + 1);
            s.Name.insert(s.Name.begin(), 'S');
            const float d = 0.01f * static_cast<float>(i % 7);
            s.Tensor
                = {1.06f - d, 0.99f + d / 2, 0.95f + d / 2, 0.01f + d, -0.02f + d / 3, 0.03f - d};
            s.Code1 = code1;
            s.Code2 = code2;
            s.Group1 = {static_cast<std::int16_t>(100 + 7 * i), 30, 150, 20};
            out.push_back(s);
        }
        return out;
    }

    std::string writeFile(const std::string& name,
                          const std::vector<testing::AmsSpecimenFields>& records,
                          const std::string& site = "SITE")
    {
        testing::AmsFileBuilder builder;
        testing::AmsHeaderFields header;
        header.Site = site;
        builder.Header(header);
        for (const auto& record : records)
            builder.Specimen(record);
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

    const MainWindowControls& c() const { return browser.Controls(); }
    BrowserState& state() { return browser.State(); }

    tesmor::test::TempDir m_dir;
    testing::ScriptedUi ui;
    Browser browser {ui};
};

} // namespace tesmor::app::test_support
