#pragma once

// The settings file "Tesmor42.sav": ten lines ended by CR LF, read once at start and written
// once at the end of the run.
//
//   line 1   DataFolder, as it stands
//   line 2   Projection     (1 equal-angle, 2 equal-area)
//   line 3   Plot1Kind      (1-4)
//   line 4   Plot2Kind      (1-4)
//   line 5   GedMatchMode   (1, 2)
//   line 6   ColourScheme   (1 Default, 2 BlackAndWhite)
//   lines 7-10  DefaultP1 .. DefaultP4
//
// Integers are 16-bit, written in decimal with one leading blank when not negative. A missing
// file, a missing line or a line that is not a whole 16-bit number gives that setting its
// default; the complete file is written at the end whatever was read.

#include "app/browser_state.h"
#include "model/result.h"

#include <string>
#include <string_view>

namespace tesmor::app {

inline constexpr const char* SettingsFileName = "Tesmor42.sav";

// $XDG_CONFIG_HOME/tesmor42/ or ~/.config/tesmor42/, ending in '/'.
std::string DefaultConfigFolder();

// The program's folder when it is writable; otherwise `configFolder`.
std::string ChooseSettingsFolder(const std::string& programFolder, const std::string& configFolder);

// The defaults of every setting; the data folder is `fallbackFolder`.
void ResetSettings(BrowserState& state, const std::string& fallbackFolder);

// Applies the text of a settings file to `state`. A first line naming a folder that does not
// exist gives `fallbackFolder`; doubled separators are collapsed after the existence test.
void ParseSettings(std::string_view text, BrowserState& state, const std::string& fallbackFolder);

// The ten lines of the settings file for `state`.
std::string FormatSettings(const BrowserState& state);

// Reads `state.SettingsFolder` + "Tesmor42.sav" into `state`.
void ReadSettings(BrowserState& state, const std::string& fallbackFolder);

// Writes the settings file into `state.SettingsFolder`, creating that folder when needed.
model::Status WriteSettings(const BrowserState& state);

} // namespace tesmor::app
