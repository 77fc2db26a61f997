#include "cli/console_ui.h"

#include "app/open_multiple_dialog.h"

namespace tesmor::cli {

std::string TerminalText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r') {
            out += c;
            continue;
        }
        // A run of CR ends one line, and swallows the LF that ends it.
        while (i + 1 < text.size() && text[i + 1] == '\r')
            ++i;
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out += '\n';
    }
    while (!out.empty() && out.back() == '\n')
        out.pop_back();
    return out;
}

ConsoleUserInterface::ConsoleUserInterface(std::ostream& err)
    : m_err(err)
{
}

void ConsoleUserInterface::QueueDialogAnswer(app::FileDialogAnswer answer)
{
    m_answers.push_back(std::move(answer));
}

void ConsoleUserInterface::ShowMessage(const model::UserMessage& message)
{
    m_messages.push_back(message);
    m_err << TerminalText(message.text) << '\n';
}

bool ConsoleUserInterface::AskOkCancel(const model::UserMessage&)
{
    return m_questionAnswer;
}

app::FileDialogAnswer ConsoleUserInterface::OpenFileDialog(const app::FileDialogRequest&)
{
    return nextAnswer();
}

app::FileDialogAnswer ConsoleUserInterface::SaveFileDialog(const app::FileDialogRequest&)
{
    return nextAnswer();
}

void ConsoleUserInterface::RunOpenMultiple(app::OpenMultipleDialog& dialog)
{
    dialog.Cancel();
}

void ConsoleUserInterface::ShowWindow(app::WindowId, bool) { }

app::FileDialogAnswer ConsoleUserInterface::nextAnswer()
{
    if (m_answers.empty())
        return {};
    app::FileDialogAnswer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

} // namespace tesmor::cli
