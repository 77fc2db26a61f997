#pragma once

// Data files named on the window's command line are opened at start, as if chosen in the open
// dialog, their kind taken from their names.

#include "app/browser_state.h"
#include "model/result.h"

#include <string>
#include <vector>

namespace tesmor::app {

// Prepares `state` as the open dialog would for the files `paths`: FilesToOpen (absolute
// paths), DataFolder (the first file's folder), FileKind, FileTypeIndex, and FolderFiles with
// FolderFileIndex (every file of that folder of the same kind, by name, and the position of
// the last file given) so that previous and next work. Binary files of different kinds open
// together as kind 1. Returns a message, and leaves `state` unchanged, when a file is missing,
// is no data file (a geological file included: those open in their editor) or when text and
// binary kinds are mixed.
model::Status PrepareCommandLineFiles(BrowserState& state, const std::vector<std::string>& paths);

} // namespace tesmor::app
