#include "app/file_kinds.h"

#include "formats/exchange_formats.h"
#include "model/file_io.h"

namespace tesmor::app {

namespace {

using model::FileKind;

bool matchOne(std::string_view name, std::string_view pattern)
{
    // Iterative wildcard match with back-tracking to the last '*'.
    std::size_t n = 0, p = 0, star = std::string_view::npos, mark = 0;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::string_view fileNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string FileTypePattern(std::string_view entry)
{
    const std::size_t star = entry.find('*');
    if (star == std::string_view::npos || entry.size() < 1 || star >= entry.size() - 1)
        return {};
    return std::string(entry.substr(star, entry.size() - 1 - star));
}

bool MatchesPattern(std::string_view name, std::string_view patterns)
{
    while (true) {
        const std::size_t end = patterns.find(';');
        if (matchOne(name, patterns.substr(0, end)))
            return true;
        if (end == std::string_view::npos)
            return false;
        patterns.remove_prefix(end + 1);
    }
}

bool IsBinaryKind(FileKind kind)
{
    return kind >= FileKind::BinaryAll && kind <= FileKind::Para;
}

bool IsTextKind(FileKind kind)
{
    return kind >= FileKind::Pro && kind <= FileKind::SFile;
}

bool HasReader(FileKind kind)
{
    return IsBinaryKind(kind) || IsTextKind(kind);
}

FileKind KindOfPath(std::string_view path)
{
    const std::string_view name = fileNameOf(path);
    for (int kind = int(FileKind::Ams); kind <= int(FileKind::SFile); ++kind) {
        // A MagIC table is known by its first line: other text files share its extension.
        if (kind != int(FileKind::MagicTable)
            && MatchesPattern(name, FileTypePattern(FileTypeEntries[kind - 1])))
            return static_cast<FileKind>(kind);
    }
    return FileKind::None;
}

FileKind KindOfFile(const std::string& path)
{
    const FileKind byName = KindOfPath(path);
    if (byName != FileKind::None && byName != FileKind::SFile)
        return byName;
    const model::Result<std::string> bytes = model::ReadWholeFile(path);
    if (!bytes)
        return byName;
    if (formats::IsMagicTable(*bytes))
        return FileKind::MagicTable;
    if (byName == FileKind::SFile || (byName == FileKind::None && formats::LooksLikeSFile(*bytes)))
        return FileKind::SFile;
    return FileKind::None;
}

KindChoice KindOfFiles(const std::vector<std::string>& paths)
{
    KindChoice choice;
    for (const std::string& path : paths) {
        const FileKind kind = KindOfFile(path);
        if (!HasReader(kind)) {
            choice.Problem = "The file " + path
                + " is not a data file (.ran, .are, .poo, .asf, .asp, .pro, .apg, .asc, .s or a "
                  "MagIC specimens table).";
            choice.Kind = FileKind::None;
            return choice;
        }
        if (choice.Kind == FileKind::None || choice.Kind == kind)
            choice.Kind = kind;
        else if (IsBinaryKind(choice.Kind) && IsBinaryKind(kind))
            choice.Kind = FileKind::BinaryAll;
        else {
            choice.Problem = "Files of different kinds cannot be opened together: " + path;
            choice.Kind = FileKind::None;
            return choice;
        }
    }
    return choice;
}

} // namespace tesmor::app
