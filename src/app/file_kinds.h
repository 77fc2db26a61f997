#pragma once

// The kinds of data files: the open dialog's file-type list, and the kind of a path or of a list
// of paths taken from it. Every place that asks which reader a file needs asks here.

#include "model/data_set.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tesmor::app {

// The file-type list of the open dialog in its order; entry i (0-based) is file kind i + 1.
inline constexpr std::array<const char*, 12> FileTypeEntries = {
    "Varkel binary format (*.ran;*.are;*.poo;*.asf;*.asp)",
    "Varkel AMS format (*.ran)",
    "Varkel AMR format (*.are)",
    "Pooled data (*.poo)",
    "Ferromagnetic component (*.asf)",
    "Paramagnetic component (*.asp)",
    "Geological file (*.ged)",
    "Werner format (*.pro)",
    "Pelta20 format (*.apg)",
    "Quillex ASCII 15-position format (*.asc)",
    "MagIC 3.0 specimens table (*.txt)",
    "s-file of tensor elements (*.s)",
};

// The pattern of an entry: from its first '*' up to, not including, its last character.
std::string FileTypePattern(std::string_view entry);

// True when `name` matches one of the ';'-separated wildcard patterns ('*' and '?'), letters
// compared without regard to case.
bool MatchesPattern(std::string_view name, std::string_view patterns);

bool IsBinaryKind(model::FileKind kind); // kinds 1-6
bool IsTextKind(model::FileKind kind); // kinds 8-12
bool HasReader(model::FileKind kind); // the data kinds: binary or text

// The kind of one path by its file name, from the single-kind entries of the file-type list
// (kinds 2-12 but the MagIC table, the geological file included); None for any other name.
model::FileKind KindOfPath(std::string_view path);

// The kind of one existing file: a MagIC specimens table by its first line whatever its name,
// otherwise the kind of its name; a file whose name gives no kind is an s-file when every
// non-blank line holds six or seven numbers.
model::FileKind KindOfFile(const std::string& path);

// The kind under which data files are opened together (each file's kind by KindOfFile): one
// binary extension gives its own kind, several binary extensions the binary kind 1, one text
// kind its kind. A file that is no
// data file (geological files included), or a text kind mixed with any other, gives a message
// instead, naming the file as it was given.
struct KindChoice
{
    model::FileKind Kind = model::FileKind::None;
    std::string Problem; // empty when Kind is usable
};
KindChoice KindOfFiles(const std::vector<std::string>& paths);

} // namespace tesmor::app
