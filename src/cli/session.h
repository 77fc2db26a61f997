#pragma once

// One run's data set: the files opened and shown in one coordinate system by the data session
// that the window uses, with its messages written to the error stream.

#include "app/data_session.h"
#include "cli/options.h"
#include "model/result.h"

#include <ostream>
#include <string>

namespace tesmor::cli {

// The message as one block of text for a terminal: CR LF, CR CR LF and lone CR become line ends,
// trailing line ends are dropped.
std::string TerminalText(const std::string& text);

class Session
{
public:
    explicit Session(std::ostream& err);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens the files and shows them as asked. Problems are reported on the error stream:
    // a reader's message, a coordinate system or structure letter the data do not offer
    // (InputError), files of unknown or mixed kinds or a letter that is not one character
    // (UsageError).
    ExitStatus Open(const LoadOptions& options);

    app::DataSession& Data() { return m_data; }
    const app::DataSession& Data() const { return m_data; }

    // Reports a message of the core on the error stream.
    void Report(const model::UserMessage& message);

private:
    std::ostream& m_err;
    app::DataSession m_data;
};

} // namespace tesmor::cli
