#pragma once

// Files named on the command line are opened at start, their kind taken from the extension.

#include "app/browser_state.h"
#include "model/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace tesmor::gui {

// The file kind of a path's extension (letters in any case): ran 2, are 3, poo 4, asf 5,
// asp 6, ged 7, pro 8, apg 9, asc 10; None for any other.
model::FileKind KindOfExtension(std::string_view path);

// Prepares `state` as the open dialog would for the files `paths`: FilesToOpen (absolute
// paths), DataFolder (the first file's folder), FileKind, FileTypeIndex, and FolderFiles with
// FolderFileIndex (every file of that folder of the same kind, by name, and the position of
// the last file given) so that previous and next work. Binary files of different kinds open
// together as kind 1. Returns a message, and leaves `state` unchanged, when a file is missing,
// has an unknown extension or when text and binary kinds are mixed.
model::Status PrepareCommandLineFiles(app::BrowserState& state,
                                      const std::vector<std::string>& paths);

} // namespace tesmor::gui
