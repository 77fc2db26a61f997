#pragma once

// tesmor42-cli COMMAND [options] FILE...
//
// Commands: records, stats, list, export, merge, convert (see RunCli's --help). Exit status 0 on
// success, 1 when a file or the data do not allow the command (the window's message is written
// to the error stream), 2 for wrong arguments. An output file is written whole or not at all.

#include "cli/options.h"
#include "model/result.h"
#include "plot/view_options.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tesmor::cli {

// Writes the three views as a picture file in the format of the path's extension, with a title.
// Drawing needs Qt Gui, which this library does not load: the picture writer is given by the
// executable that has it.
using PictureWriter = std::function<model::Status(
    const std::string& path, const plot::ViewData& data, const std::string& title)>;

// Runs the command line `args` (without the program name), writing results to `out` and
// messages to `err`; returns the exit status. Without `pictures`, an export with --picture
// returns NeedsPictureWriter after checking its arguments, before reading or writing anything.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const PictureWriter& pictures = {});

// True for the extensions of picture files: wmf, svg, pdf, png, bmp (any case).
bool IsPictureExtension(const std::string& path);

// The options of the single commands, as parsed.
struct StatsOptions
{
    bool Curves = false;
    bool Hext = false;
    int Bootstrap = 0; // pseudo-samples; 0 for no bootstrap
    bool Parametric = false;
    std::optional<std::uint64_t> Seed; // empty: a seed drawn for the run, and printed
};

struct ExportOptions
{
    std::string Table; // ASCII table
    std::string Dat; // direction file
    // What the direction file holds: the flags given, or without any the window's initial
    // display (the three principal axes).
    model::DisplayOptions DatShown {false, false, false, false, false, false,
                                    false, false, false, false, false};
    bool DatFlagsGiven = false;
    std::string Mean; // cumulative mean-direction listing
    std::string MeanRecord; // mean direction appended to a binary file
    std::string Magic; // MagIC specimens table of the active records
    std::string SFile; // s-file of the active records
    std::string Name; // name of the mean
    std::string Picture;
    std::string Title = "Comment"; // written above the bitmap and in the vector pictures
    int Plot1 = 1;
    int Plot2 = 1;
    int Scheme = 1; // 1 default, 2 black and white
    model::DisplayOptions Show;
    bool Contours = false; // density contours of the axes shown on the net
    int Region = 1; // confidence ellipses of the picture: 1 Tenvar, 2 Hext, 3 bootstrap
    std::optional<std::uint64_t> Seed; // of the bootstrap ellipses; empty: 1
};

struct MergeOptions
{
    std::string Ged;
    int Direction = 1; // 1 specimen to geographic, 2 geographic to specimen
    int Match = 1; // 1 from the left, 2 full names
    std::string Output;
};

struct ConvertOptions
{
    std::string Output;
};

// The commands after argument parsing; each returns the exit status.
int RunRecords(const LoadOptions& load, std::ostream& out, std::ostream& err);
int RunStats(const LoadOptions& load, const StatsOptions& options, std::ostream& out,
             std::ostream& err);
int RunList(const LoadOptions& load, std::ostream& out, std::ostream& err);
int RunExport(const LoadOptions& load, const ExportOptions& options, const PictureWriter& pictures,
              std::ostream& out, std::ostream& err);
int RunMerge(const LoadOptions& load, const MergeOptions& options, std::ostream& out,
             std::ostream& err);
int RunConvert(const LoadOptions& load, const ConvertOptions& options, std::ostream& out,
               std::ostream& err);

} // namespace tesmor::cli
