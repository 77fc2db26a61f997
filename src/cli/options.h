#pragma once

// The options of the commands as plain values, and the text forms they are given in.

#include "formats/ams_binary.h"
#include "math/frames.h"
#include "model/data_set.h"
#include "model/display_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tesmor::cli {

// Exit statuses of the tool.
enum ExitStatus : int {
    Success = 0,
    InputError = 1, // a file or the data did not allow the command; the message is on stderr
    UsageError = 2, // the arguments are wrong; nothing was read or written
    // Not an exit status of the tool: the command asks for a picture and this process has no
    // picture writer; nothing was read or written (see RunCli).
    NeedsPictureWriter = 3,
};

// What every command needs to load a data set and show it in one coordinate system.
struct LoadOptions
{
    std::vector<std::string> Files;
    // Empty: the system that opening the files chooses (specimen for a set without orientation,
    // otherwise geographic).
    std::optional<math::CoordinateSystem> Coord;
    std::optional<std::string> Foliation; // empty: the first foliation letter of the data
    std::string Lineation = "0";
    bool PaleoVertical = false;
    math::Projection Projection = math::Projection::EqualArea;
    formats::OrientationDefaults Defaults; // 0,0,0,0 unless given
    std::optional<int> Threads; // empty: every core
};

// "equal-area", "equal-angle".
std::optional<math::Projection> ParseProjection(std::string_view text);

// "P1,P2,P3,P4": four whole numbers that fit 16 bits.
std::optional<formats::OrientationDefaults> ParseDefaults(std::string_view text);

// A comma-separated subset of data, k1, k2, k3, mean, ellipses, poles, circles, strikes, lines;
// the flags named are set, all others cleared. An empty text clears every flag.
std::optional<model::DisplayOptions> ParseShowFlags(std::string_view text);

} // namespace tesmor::cli
