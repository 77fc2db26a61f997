#pragma once

// The state of the browser window for the whole run: the open files, the data set in its three
// sequences, the last statistics, the options of the views and the settings that persist.

#include "math/frames.h"
#include "math/group_statistics.h"
#include "model/data_set.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tesmor::app {

// One distinct structure type letter of the working records and how often it occurs (both
// groups of every record, letters compared without regard to case).
struct StructureType
{
    char Letter = '0';
    int Count = 0;

    friend bool operator==(const StructureType&, const StructureType&) = default;
};

// One flag per display check box, named after it.
struct DisplayFlags
{
    bool chcK1 = true;
    bool chcK2 = true;
    bool chcK3 = true;
    bool chcData = true;
    bool chcMean = false;
    bool chcEllipses = false;
    bool chcF1P = false;
    bool chcF1C = false;
    bool chcF1S = false;
    bool chcL1 = false;
};

// Values of the two parameter plots and of the colour scheme. They are kept as read from the
// settings file: a value outside the named ones marks no option and draws without that choice.
namespace plot1 {
inline constexpr std::int16_t PKm = 1, PjKm = 2, PLogKm = 3, HKm = 4;
}
namespace plot2 {
inline constexpr std::int16_t PT = 1, PjT = 2, LF = 3, PU = 4;
}
namespace scheme {
inline constexpr std::int16_t Default = 1, BlackAndWhite = 2;
}

struct BrowserState
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

    model::DataSet Data;
    math::GroupStatistics Statistics;

    math::CoordinateSystem CoordSystem = math::CoordinateSystem::Geographic;
    std::string FoliationName; // letter of the paleogeographic and tectonic systems
    std::string LineationName; // letter of the tectonic system, "0" for none
    math::PaleoReference PaleoReference = math::PaleoReference::Horizontal;

    // Settings; kept as read (a value outside the valid range is held until the user picks one).
    std::int16_t Projection = 2; // 1 equal-angle, 2 equal-area
    std::int16_t Plot1Kind = plot1::PKm;
    std::int16_t Plot2Kind = plot2::PT;
    std::int16_t GedMatchMode = 1;
    std::int16_t ColourScheme = scheme::Default;
    std::int16_t DefaultP1 = 0;
    std::int16_t DefaultP2 = 0;
    std::int16_t DefaultP3 = 0;
    std::int16_t DefaultP4 = 0;

    std::int16_t SymbolSize = 10; // pixels, net and plots
    DisplayFlags Display;

    std::vector<StructureType> FoliationTypes; // ascending by character code
    std::vector<StructureType> LineationTypes;

    bool ViewsReady = false; // a data set is open
    bool ListExpanded = false;
};

} // namespace tesmor::app
