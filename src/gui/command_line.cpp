#include "gui/command_line.h"

#include "app/open_multiple_dialog.h"
#include "model/number_text.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tesmor::gui {

namespace fs = std::filesystem;
using model::FileKind;

namespace {

bool IsBinary(FileKind kind)
{
    return kind >= FileKind::BinaryAll && kind <= FileKind::Para;
}

model::UserMessage InputError(const std::string& text)
{
    return {text, "Input error!", model::MessageIcon::Critical};
}

} // namespace

FileKind KindOfExtension(std::string_view path)
{
    const std::string name = fs::path(std::string(path)).filename().string();
    const auto dot = name.rfind('.');
    if (dot == std::string::npos)
        return FileKind::None;
    const std::string extension = model::ToLower(std::string_view(name).substr(dot + 1));
    static const std::pair<const char*, FileKind> kinds[]
        = {{"ran", FileKind::Ams},   {"are", FileKind::Amr},  {"poo", FileKind::Pooled},
           {"asf", FileKind::Ferro}, {"asp", FileKind::Para}, {"ged", FileKind::Geological},
           {"pro", FileKind::Pro},   {"apg", FileKind::Apg},  {"asc", FileKind::Asc}};
    for (const auto& [text, kind] : kinds) {
        if (extension == text)
            return kind;
    }
    return FileKind::None;
}

model::Status PrepareCommandLineFiles(app::BrowserState& state,
                                      const std::vector<std::string>& paths)
{
    if (paths.empty())
        return std::nullopt;
    std::vector<std::string> files;
    FileKind kind = FileKind::None;
    for (const std::string& given : paths) {
        std::error_code error;
        const fs::path path = fs::absolute(given, error).lexically_normal();
        if (error || !fs::is_regular_file(path, error))
            return InputError("File  " + given + "  does not exist!");
        const FileKind fileKind = KindOfExtension(path.string());
        if (fileKind == FileKind::None)
            return InputError("File  " + given + "  is not a data file of a known kind!");
        if (kind == FileKind::None)
            kind = fileKind;
        else if (kind != fileKind && IsBinary(kind) && IsBinary(fileKind))
            kind = FileKind::BinaryAll;
        else if (kind != fileKind)
            return InputError("Files of different kinds cannot be opened together!");
        files.push_back(path.string());
    }

    const fs::path folder = fs::path(files.front()).parent_path();
    const std::string pattern = app::FileTypePattern(app::FileTypeEntries[std::size_t(kind) - 1]);
    std::vector<std::string> listed;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error)
            && app::MatchesPattern(entry.path().filename().string(), pattern))
            listed.push_back(entry.path().string());
    }
    std::sort(listed.begin(), listed.end());
    const auto last = std::find(listed.begin(), listed.end(), files.back());

    state.FilesToOpen = files;
    state.FolderFiles = listed;
    state.FolderFileIndex = std::int16_t(last == listed.end() ? 0 : (last - listed.begin()) + 1);
    state.DataFolder = app::WithTrailingSeparator(folder.string());
    state.FileKind = kind;
    state.FileTypeIndex = std::int16_t(int(kind) - 1);
    state.Cancelled = false;
    return std::nullopt;
}

} // namespace tesmor::gui
