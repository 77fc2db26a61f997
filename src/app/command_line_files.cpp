#include "app/command_line_files.h"

#include "app/file_kinds.h"
#include "app/open_multiple_dialog.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace tesmor::app {

namespace fs = std::filesystem;

model::Status PrepareCommandLineFiles(BrowserState& state, const std::vector<std::string>& paths)
{
    if (paths.empty())
        return std::nullopt;
    std::vector<std::string> files;
    for (const std::string& given : paths) {
        std::error_code error;
        const fs::path path = fs::absolute(given, error).lexically_normal();
        if (error || !fs::is_regular_file(path, error))
            return model::InputError("File  " + given + "  does not exist!");
        if (KindOfPath(given) == model::FileKind::Geological)
            return model::UserMessage {"Geological files are opened with File > Open.",
                                       model::AppTitle, model::MessageIcon::Information};
        files.push_back(path.string());
    }
    const KindChoice kind = KindOfFiles(paths);
    if (!kind.Problem.empty())
        return model::InputError(kind.Problem);

    const fs::path folder = fs::path(files.front()).parent_path();
    const std::string pattern = FileTypePattern(FileTypeEntries[std::size_t(kind.Kind) - 1]);
    std::vector<std::string> listed;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error)
            && MatchesPattern(entry.path().filename().string(), pattern))
            listed.push_back(entry.path().string());
    }
    std::sort(listed.begin(), listed.end());
    const auto last = std::find(listed.begin(), listed.end(), files.back());

    state.FilesToOpen = files;
    state.FolderFiles = listed;
    state.FolderFileIndex = std::int16_t(last == listed.end() ? 0 : (last - listed.begin()) + 1);
    state.DataFolder = WithTrailingSeparator(folder.string());
    state.FileKind = kind.Kind;
    state.FileTypeIndex = std::int16_t(int(kind.Kind) - 1);
    state.Cancelled = false;
    return std::nullopt;
}

} // namespace tesmor::app
