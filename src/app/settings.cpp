#include "app/settings.h"

#include "app/open_multiple_dialog.h"
#include "model/file_io.h"
#include "model/number_text.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace tesmor::app {

namespace {

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// A whole 16-bit number with optional blanks around it and an optional sign.
std::optional<std::int16_t> parseWhole(std::string_view line)
{
    std::string text = model::Trim(line);
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    int value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

void readNumber(const std::vector<std::string_view>& lines, std::size_t line, std::int16_t& field)
{
    if (line > lines.size())
        return;
    if (auto value = parseWhole(lines[line - 1]))
        field = *value;
}

bool folderExists(const std::string& folder)
{
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error);
}

void appendNumber(std::string& out, std::int16_t value)
{
    if (value >= 0)
        out += ' ';
    out += std::to_string(value);
    out += "\r\n";
}

} // namespace

std::string DefaultConfigFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/')
        return WithTrailingSeparator(xdg) + "tesmor42/";
    const char* home = std::getenv("HOME");
    std::string base = home != nullptr && home[0] != '\0' ? home : "/tmp";
    return WithTrailingSeparator(base) + ".config/tesmor42/";
}

std::string ChooseSettingsFolder(const std::string& programFolder, const std::string& configFolder)
{
    if (::access(programFolder.c_str(), W_OK) == 0)
        return programFolder;
    return configFolder;
}

void ResetSettings(BrowserState& state, const std::string& fallbackFolder)
{
    state.DataFolder = fallbackFolder;
    state.Projection = 2;
    state.Plot1Kind = plot::plotkind::PKm;
    state.Plot2Kind = plot::plotkind::PT;
    state.GedMatchMode = 1;
    state.ColourScheme = std::int16_t(plot::ColourScheme::Default);
    state.DefaultP1 = state.DefaultP2 = state.DefaultP3 = state.DefaultP4 = 0;
}

void ParseSettings(std::string_view text, BrowserState& state, const std::string& fallbackFolder)
{
    ResetSettings(state, fallbackFolder);
    const std::vector<std::string_view> lines = splitLines(text);
    if (!lines.empty()) {
        std::string folder = model::Trim(lines[0]);
        // The existence test is made on the folder as written, before the clean-up.
        state.DataFolder = folderExists(folder) ? folder : fallbackFolder;
    }
    state.DataFolder = WithTrailingSeparator(CollapseSeparators(state.DataFolder));
    readNumber(lines, 2, state.Projection);
    readNumber(lines, 3, state.Plot1Kind);
    readNumber(lines, 4, state.Plot2Kind);
    readNumber(lines, 5, state.GedMatchMode);
    readNumber(lines, 6, state.ColourScheme);
    readNumber(lines, 7, state.DefaultP1);
    readNumber(lines, 8, state.DefaultP2);
    readNumber(lines, 9, state.DefaultP3);
    readNumber(lines, 10, state.DefaultP4);
}

std::string FormatSettings(const BrowserState& state)
{
    std::string out = state.DataFolder + "\r\n";
    for (std::int16_t value :
         {state.Projection, state.Plot1Kind, state.Plot2Kind, state.GedMatchMode,
          state.ColourScheme, state.DefaultP1, state.DefaultP2, state.DefaultP3, state.DefaultP4})
        appendNumber(out, value);
    return out;
}

void ReadSettings(BrowserState& state, const std::string& fallbackFolder)
{
    const std::string path = state.SettingsFolder + SettingsFileName;
    std::string text;
    if (model::FileExists(path)) {
        if (auto bytes = model::ReadWholeFile(path))
            text = std::move(*bytes);
    }
    ParseSettings(text, state, fallbackFolder);
}

model::Status WriteSettings(const BrowserState& state)
{
    std::error_code error;
    std::filesystem::create_directories(state.SettingsFolder, error);
    return model::WriteFileAtomically(state.SettingsFolder + SettingsFileName,
                                      FormatSettings(state));
}

} // namespace tesmor::app
