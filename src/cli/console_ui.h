#pragma once

// The browser's user interface for a run without a window: every message box goes to standard
// error as its text, questions take a fixed answer, and the file dialogs return the paths that
// the command line named, in the order they are asked for.

#include "app/user_interface.h"

#include <deque>
#include <ostream>
#include <string>
#include <vector>

namespace tesmor::cli {

// The message as one block of text for a terminal: CR LF, CR CR LF and lone CR become line ends,
// trailing line ends are dropped.
std::string TerminalText(const std::string& text);

class ConsoleUserInterface : public app::UserInterface
{
public:
    explicit ConsoleUserInterface(std::ostream& err);

    // The answer to every OK/Cancel question (the overwrite question of saving); default OK.
    void SetQuestionAnswer(bool ok) { m_questionAnswer = ok; }
    // Paths returned by the next open or save dialogs, in order; an exhausted queue cancels.
    void QueueDialogAnswer(app::FileDialogAnswer answer);

    void ShowMessage(const model::UserMessage& message) override;
    bool AskOkCancel(const model::UserMessage& question) override;
    app::FileDialogAnswer OpenFileDialog(const app::FileDialogRequest& request) override;
    app::FileDialogAnswer SaveFileDialog(const app::FileDialogRequest& request) override;
    void RunOpenMultiple(app::OpenMultipleDialog& dialog) override;
    void ShowWindow(app::WindowId window, bool modal) override;

    // Every message shown so far, in order.
    const std::vector<model::UserMessage>& Messages() const { return m_messages; }

private:
    app::FileDialogAnswer nextAnswer();

    std::ostream& m_err;
    bool m_questionAnswer = true;
    std::deque<app::FileDialogAnswer> m_answers;
    std::vector<model::UserMessage> m_messages;
};

} // namespace tesmor::cli
