#include "cli/session.h"

#include "app/file_kinds.h"
#include "model/codepage.h"

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

Session::Session(std::ostream& err)
    : m_err(err)
{
}

void Session::Report(const model::UserMessage& message)
{
    m_err << TerminalText(message.text) << '\n';
}

// Opening shows a set without orientation data in the specimen system and any other set in the
// geographic system; another system is taken only where the data offer it, as the window's
// coordinate options do.
ExitStatus Session::Open(const LoadOptions& options)
{
    const app::KindChoice kind = app::KindOfFiles(options.Files);
    if (!kind.Problem.empty()) {
        m_err << kind.Problem << '\n';
        return UsageError;
    }
    if ((options.Foliation && !app::IsOneLetter(*options.Foliation))
        || !app::IsOneLetter(options.Lineation)) {
        m_err << "A structure type is one letter (the lineation \"0\" for none).\n";
        return UsageError;
    }
    m_data.Projection = static_cast<std::int16_t>(options.Projection);
    if (options.Threads)
        m_data.Threads = *options.Threads;
    const auto report = [this](const model::UserMessage& message) { Report(message); };
    if (!m_data.ReadFiles(options.Files, kind.Kind, options.Defaults, report))
        return InputError;
    m_data.CompleteRecords();

    app::SystemChoice choice = m_data.CurrentSystem();
    if (options.Coord && *options.Coord != choice.System) {
        choice.System = *options.Coord;
        const bool rotated = choice.System == math::CoordinateSystem::Paleogeographic
            || choice.System == math::CoordinateSystem::Tectonic;
        if (rotated) {
            choice.Foliation = options.Foliation ? *options.Foliation
                : m_data.FoliationTypes.empty()
                ? std::string("0")
                : model::LetterText(m_data.FoliationTypes.front().Letter);
            choice.Lineation = options.Lineation;
            choice.Reference = options.PaleoVertical ? math::PaleoReference::Vertical
                                                     : math::PaleoReference::Horizontal;
        }
    }
    if (const model::Status refused = m_data.Show(choice)) {
        Report(*refused);
        return InputError;
    }
    return Success;
}

} // namespace tesmor::cli
