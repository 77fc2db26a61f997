#pragma once

// One run's browser: the data files opened with the window's own loading sequence (OpenFiles),
// then shown in the coordinate system and with the structures that the command line asks for.

#include "app/browser.h"
#include "cli/console_ui.h"
#include "cli/options.h"

#include <ostream>

namespace tesmor::cli {

class Session
{
public:
    explicit Session(std::ostream& err);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens the files and shows them as asked. Problems are reported on the error stream:
    // a reader's message (InputError), a coordinate system the data do not offer (InputError),
    // files of unknown or mixed kinds or a letter that is not one character (UsageError).
    ExitStatus Open(const LoadOptions& options);

    app::Browser& Browser() { return m_browser; }
    const app::BrowserState& State() const { return m_browser.State(); }
    ConsoleUserInterface& Ui() { return m_ui; }

    // Reports a message of the core on the error stream.
    void Report(const model::UserMessage& message) { m_ui.ShowMessage(message); }
    std::ostream& Err() { return m_err; }

private:
    ExitStatus choose(const LoadOptions& options);

    std::ostream& m_err;
    ConsoleUserInterface m_ui;
    app::Browser m_browser;
};

// The folder part of a path, ending in '/', or "" for a bare file name.
std::string FolderOf(const std::string& path);

} // namespace tesmor::cli
