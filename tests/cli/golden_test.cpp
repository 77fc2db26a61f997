// The tool's reports on the bundled example site, compared byte for byte with the files checked
// in under tests/golden. An intended change of any figure updates them in the same commit: run
// the tests with TESMOR_UPDATE_GOLDEN=1 and review the difference.
//
// The window's listing and statistics panel are held against the tool's `list` here too, so that
// the golden files speak for what the window shows.

#include "app/browser.h"
#include "app/command_line_files.h"
#include "app/listing.h"
#include "app_scripted_ui.h"
#include "cli_test_support.h"

#include <cstdlib>

namespace tesmor::cli::test {
namespace {

std::string Example()
{
    return (tesmor::test::SourceDir() / "examples/site/BOHEM1.ran").string();
}

struct GoldenSystem
{
    const char* name; // part of the golden file's name
    std::vector<std::string> options;
};

const GoldenSystem Systems[] = {
    {"geographic", {}},
    {"paleogeographic", {"--coord", "paleogeographic"}},
    {"paleovertical", {"--coord", "paleogeographic", "--foliation", "S", "--paleo-vertical"}},
    {"tectonic", {"--coord", "tectonic", "--lineation", "L"}},
};

TEST(Golden, ReportsOfTheExampleSiteInEverySystem)
{
    const bool update = std::getenv("TESMOR_UPDATE_GOLDEN") != nullptr;
    for (const GoldenSystem& system : Systems) {
        for (const char* command : {"records", "stats", "list"}) {
            const std::string name = std::string("BOHEM1.") + system.name + "." + command
                + (std::string(command) == "list" ? ".txt" : ".json");
            SCOPED_TRACE(name);
            std::vector<std::string> args {command};
            args.insert(args.end(), system.options.begin(), system.options.end());
            args.push_back(Example());

            const ToolRun run = RunTool(args, false);

            ASSERT_EQ(run.status, 0) << run.err;
            const std::string path = (tesmor::test::SourceDir() / "tests/golden" / name).string();
            if (update)
                WriteBytes(path, run.out);
            EXPECT_EQ(run.out, ReadBytes(path));
        }
    }
}

// The record list and the statistics labels of the window, written as the tool's `list` is.
std::string WindowListing(const app::MainWindowControls& c)
{
    std::string text;
    for (const std::string& row : c.lstNames.rows)
        text += row + '\n';
    for (const app::StatisticsLabel& label : app::StatisticsLabels())
        text += std::string(label.Name) + '\t' + (c.*label.Control).text + '\n';
    return text + "lblStatisticsInfo\t" + c.lblStatisticsInfo.text + '\n';
}

TEST(Golden, WindowShowsWhatTheToolLists)
{
    tesmor::test::TempDir program;
    tesmor::testing::ScriptedUi ui;
    app::Browser browser(ui);
    browser.Load(program.path().string(), program.path().string());
    ASSERT_FALSE(app::PrepareCommandLineFiles(browser.State(), {Example()}));
    browser.OpenFiles();
    ASSERT_TRUE(ui.messages.empty());

    const std::string geographic = WindowListing(browser.Controls());
    browser.optPaleo_Click();
    const std::string paleogeographic = WindowListing(browser.Controls());
    browser.cboLine_Click(2);
    browser.optTecto_Click();
    const std::string tectonic = WindowListing(browser.Controls());

    EXPECT_EQ(browser.Controls().cboLine.text, "L");
    EXPECT_EQ(geographic, RunTool({"list", Example()}).out);
    EXPECT_EQ(paleogeographic, RunTool({"list", "--coord", "paleogeographic", Example()}).out);
    EXPECT_EQ(tectonic,
              RunTool({"list", "--coord", "tectonic", "--lineation", "L", Example()}).out);
}

} // namespace
} // namespace tesmor::cli::test
