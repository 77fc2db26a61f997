#pragma once

// The state of the browser window for the whole run: the data session (the data set in its
// three sequences, the last statistics, the options of the views), the open files and the
// settings that persist.

#include "app/data_session.h"
#include "model/data_set.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tesmor::app {

struct BrowserState : DataSession
{
    std::string DataFolder; // folder of the current files, ending in '/'
    std::string ProgramFolder; // the program's own folder, ending in '/'
    std::string SettingsFolder; // where "Tesmor42.sav" is read and written, ending in '/'

    std::vector<std::string> FilesToOpen; // full paths read by the next OpenFiles, in order
    std::vector<std::string> FolderFiles; // every file the open dialog listed when confirmed
    std::int16_t FolderFileIndex = 0; // 1-based position of the current file in FolderFiles
    model::FileKind FileKind = model::FileKind::None;
    std::int16_t FileTypeIndex = 0; // 0-based entry of the open dialog's file-type list

    std::string FileName; // name of the single open file (no folder), else ""
    std::string BaseName; // FileName without its 4-character extension
    std::string GedFileName;
    bool Cancelled = false;

    // Settings besides the view options of the session.
    std::int16_t GedMatchMode = 1;
    std::int16_t DefaultP1 = 0;
    std::int16_t DefaultP2 = 0;
    std::int16_t DefaultP3 = 0;
    std::int16_t DefaultP4 = 0;

    bool ViewsReady = false; // a data set is open
    bool ListExpanded = false;
};

} // namespace tesmor::app
