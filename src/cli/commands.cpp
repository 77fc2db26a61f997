#include "cli/commands.h"

#include "app/data_session.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace tesmor::cli {

namespace {

// The common options as typed; converted into LoadOptions after parsing.
struct LoadText
{
    std::vector<std::string> Files;
    std::string Coord;
    std::string Foliation;
    std::string Lineation = "0";
    bool PaleoVertical = false;
    std::string Projection = "equal-area";
    std::string Defaults = "0,0,0,0";
    int Threads = 0;
};

LoadOptions ToLoadOptions(const LoadText& text, const CLI::App& command)
{
    LoadOptions load;
    load.Files = text.Files;
    if (command.count("--coord") > 0)
        load.Coord = app::ParseCoordinateSystem(text.Coord);
    if (command.count("--foliation") > 0)
        load.Foliation = text.Foliation;
    load.Lineation = text.Lineation;
    load.PaleoVertical = text.PaleoVertical;
    load.Projection = ParseProjection(text.Projection).value_or(math::Projection::EqualArea);
    load.Defaults = ParseDefaults(text.Defaults).value_or(formats::OrientationDefaults {});
    if (command.count("--threads") > 0)
        load.Threads = text.Threads;
    return load;
}

void AddLoadOptions(CLI::App& command, LoadText& text)
{
    command
        .add_option("--coord", text.Coord,
                    "Coordinate system: specimen, geographic, paleogeographic or tectonic "
                    "(default: what opening the files chooses)")
        ->check(CLI::IsMember({"specimen", "geographic", "paleogeographic", "tectonic"}));
    command.add_option("--foliation", text.Foliation,
                       "Foliation type letter of the paleogeographic and tectonic systems "
                       "(default: the first foliation letter of the data)");
    command.add_option("--lineation", text.Lineation,
                       "Lineation type letter of those systems, 0 for none (default 0)");
    command.add_flag("--paleo-vertical", text.PaleoVertical,
                     "Take the foliation as paleo vertical instead of paleo horizontal");
    command
        .add_option("--projection", text.Projection,
                    "Projection of the net: equal-area or equal-angle (default equal-area)")
        ->check(CLI::IsMember({"equal-area", "equal-angle"}));
    command
        .add_option("--defaults", text.Defaults,
                    "Orientation parameters P1,P2,P3,P4 for files that give none "
                    "(default 0,0,0,0)")
        ->check([](const std::string& value) {
            return ParseDefaults(value) ? std::string()
                                        : std::string("expects four whole numbers P1,P2,P3,P4");
        });
    command
        .add_option("--threads", text.Threads,
                    "Threads for the per-record computations of large data sets (default: "
                    "every core); the results are the same for any number")
        ->check(CLI::Range(1, 1024));
    command
        .add_option("FILE", text.Files,
                    "Data files opened together (.ran .are .poo .asf .asp, or .pro .apg .asc, "
                    "or .s, or MagIC specimens tables)")
        ->required();
}

void AddExportOptions(CLI::App& command, ExportOptions& options, std::string& show,
                      std::string& scheme, std::string& region, std::uint64_t& seed)
{
    command.add_option("--table", options.Table,
                       "Write the ASCII table of the records as loaded, whatever --coord (.txt)");
    command.add_option(
        "--dat", options.Dat,
        "Write the direction file of the records as loaded (.dat); without --k1 .. --lines it "
        "holds the three axes, as the window starts");
    command.add_flag("--k1", options.DatShown.chcK1, "Direction file: the K1 axes");
    command.add_flag("--k2", options.DatShown.chcK2, "Direction file: the K2 axes");
    command.add_flag("--k3", options.DatShown.chcK3, "Direction file: the K3 axes");
    command.add_flag("--poles", options.DatShown.chcF1P, "Direction file: planes as poles");
    command.add_flag("--circles", options.DatShown.chcF1C,
                     "Direction file: planes as great circles");
    command.add_flag("--lines", options.DatShown.chcL1, "Direction file: the lines");
    command.add_option("--mean", options.Mean,
                       "Append the mean directions to a cumulative listing (.txt)");
    command.add_option("--mean-record", options.MeanRecord,
                       "Append the mean tensor as a record of a binary file (.ran)");
    command.add_option("--magic", options.Magic,
                       "Write a MagIC 3.0 specimens table of the records in --coord");
    command.add_option("--s", options.SFile, "Write an s-file of the records in --coord (.s)");
    command.add_option("--name", options.Name, "Name of the mean (--mean, --mean-record)");
    command.add_option("--picture", options.Picture,
                       "Write the net and both plots as a picture (.wmf .svg .pdf .png .bmp)");
    command.add_option("--title", options.Title, "Title of the picture (default Comment)");
    command.add_option("--plot1", options.Plot1, "Left plot: 1 P-Km, 2 Pj-Km, 3 P-LogKm, 4 H-Km")
        ->check(CLI::Range(1, 4));
    command.add_option("--plot2", options.Plot2, "Right plot: 1 P-T, 2 Pj-T, 3 L-F, 4 P-U")
        ->check(CLI::Range(1, 4));
    command
        .add_option("--region", region,
                    "Confidence ellipses of the picture: tenvar (default), hext or bootstrap "
                    "(1,000 pseudo-samples)")
        ->check(CLI::IsMember({"tenvar", "hext", "bootstrap"}));
    command.add_option("--seed", seed, "Seed of the bootstrap ellipses (default 1)");
    command.add_flag("--contours", options.Contours,
                     "Draw Kamb density contours (2, 4, 6 ... sigma) of the axes shown on the net");
    command.add_option("--scheme", scheme, "Colour scheme: default or bw")
        ->check(CLI::IsMember({"default", "bw"}));
    command
        .add_option("--show", show,
                    "What the net shows, comma-separated: data,k1,k2,k3,mean,ellipses,poles,"
                    "circles,strikes,lines,contours (default data,k1,k2,k3)")
        ->check([](const std::string& value) {
            return ParseShowFlags(value) ? std::string()
                                         : std::string("expects a comma-separated list of "
                                                       "data,k1,k2,k3,mean,ellipses,poles,"
                                                       "circles,strikes,lines,contours");
        });
}

// Checks of the export options that CLI11 cannot express; empty when they are consistent.
std::string ExportProblem(const ExportOptions& options)
{
    if (options.Table.empty() && options.Dat.empty() && options.Mean.empty()
        && options.MeanRecord.empty() && options.Picture.empty() && options.Magic.empty()
        && options.SFile.empty())
        return "export needs at least one of --table, --dat, --mean, --mean-record, --picture, "
               "--magic, --s";
    if ((!options.Mean.empty() || !options.MeanRecord.empty()) && options.Name.empty())
        return "--mean and --mean-record need --name";
    if (!options.Picture.empty() && !IsPictureExtension(options.Picture))
        return "Pictures can be exported as .wmf, .svg, .pdf, .png or .bmp files, not as \""
            + options.Picture + "\".";
    return {};
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const PictureWriter& pictures)
{
    CLI::App app {"Tesmor 42 anisotropy data browser without a window: prints the records, "
                  "statistics and listing of data files, writes exports and pictures, merges "
                  "geological files and converts data files.",
                  "tesmor42-cli"};
    app.require_subcommand(1);
    app.footer("Exit status: 0 success; 1 a file or the data do not allow the command (the "
               "message is on standard error, no output file is written); 2 wrong arguments.");

    LoadText load;
    StatsOptions stats;
    ExportOptions exportOptions;
    std::string show = "data,k1,k2,k3";
    std::string scheme = "default";
    MergeOptions merge;
    std::string direction;
    std::string match = "left";
    ConvertOptions convert;

    CLI::App* records = app.add_subcommand(
        "records", "Print the active records as JSON {\"records\": [...]}, every field by name");
    AddLoadOptions(*records, load);

    CLI::App* statsCommand
        = app.add_subcommand("stats", "Print the group statistics of the active records as JSON");
    AddLoadOptions(*statsCommand, load);
    statsCommand->add_flag("--curves", stats.Curves, "Add the confidence ellipse curves");
    statsCommand->add_flag("--hext", stats.Hext, "Add the Hext statistics");
    CLI::Option* bootstrap
        = statsCommand
              ->add_option("--bootstrap", stats.Bootstrap,
                           "Add bootstrap confidence ellipses of N pseudo-samples (e.g. 1000)")
              ->check(CLI::Range(1, 1000000));
    statsCommand
        ->add_flag("--parametric", stats.Parametric,
                   "Parametric bootstrap: perturb each drawn specimen by its standard error")
        ->needs(bootstrap);
    std::uint64_t seed = 0;
    CLI::Option* seedOption
        = statsCommand
              ->add_option("--seed", seed,
                           "Seed of the bootstrap; the same seed gives the same numbers")
              ->needs(bootstrap);

    CLI::App* list = app.add_subcommand(
        "list", "Print the record list and the statistics panel as the window shows them");
    AddLoadOptions(*list, load);

    CLI::App* exportCommand
        = app.add_subcommand("export", "Write tables, direction files, means and pictures");
    AddLoadOptions(*exportCommand, load);
    std::string region = "tenvar";
    std::uint64_t exportSeed = 0;
    AddExportOptions(*exportCommand, exportOptions, show, scheme, region, exportSeed);

    CLI::App* mergeCommand = app.add_subcommand(
        "merge", "Merge a geological file into the records and save them as a binary file");
    AddLoadOptions(*mergeCommand, load);
    mergeCommand->add_option("--ged", merge.Ged, "Geological data file (.ged)")->required();
    mergeCommand
        ->add_option("--direction", direction,
                     "spec-to-geo (specimen to geographic) or geo-to-spec (back)")
        ->required()
        ->check(CLI::IsMember({"spec-to-geo", "geo-to-spec"}));
    mergeCommand
        ->add_option("--match", match,
                     "Name matching: left (entry name starts the specimen name, default) or full")
        ->check(CLI::IsMember({"left", "full"}));
    mergeCommand->add_option("-o,--output", merge.Output, "Binary data file to write (.ran)")
        ->required();

    CLI::App* convertCommand
        = app.add_subcommand("convert", "Save the loaded records as a binary data file");
    AddLoadOptions(*convertCommand, load);
    convertCommand->add_option("-o,--output", convert.Output, "Binary data file to write (.ran)")
        ->required();

    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? Success : UsageError;
    }

    if (records->parsed())
        return RunRecords(ToLoadOptions(load, *records), out, err);
    if (statsCommand->parsed()) {
        if (seedOption->count() > 0)
            stats.Seed = seed;
        return RunStats(ToLoadOptions(load, *statsCommand), stats, out, err);
    }
    if (list->parsed())
        return RunList(ToLoadOptions(load, *list), out, err);
    if (exportCommand->parsed()) {
        const model::DisplayOptions& dat = exportOptions.DatShown;
        exportOptions.DatFlagsGiven
            = dat.chcK1 || dat.chcK2 || dat.chcK3 || dat.chcF1P || dat.chcF1C || dat.chcL1;
        exportOptions.Show = ParseShowFlags(show).value_or(model::DisplayOptions {});
        exportOptions.Show.chcContours = exportOptions.Show.chcContours || exportOptions.Contours;
        exportOptions.Scheme = scheme == "bw" ? 2 : 1;
        exportOptions.Region = region == "hext" ? 2 : region == "bootstrap" ? 3 : 1;
        if (exportCommand->count("--seed") > 0)
            exportOptions.Seed = exportSeed;
        if (const std::string problem = ExportProblem(exportOptions); !problem.empty()) {
            err << problem << "\nRun with --help for more information.\n";
            return UsageError;
        }
        return RunExport(ToLoadOptions(load, *exportCommand), exportOptions, pictures, out, err);
    }
    if (mergeCommand->parsed()) {
        merge.Direction = direction == "geo-to-spec" ? 2 : 1;
        merge.Match = match == "full" ? 2 : 1;
        return RunMerge(ToLoadOptions(load, *mergeCommand), merge, out, err);
    }
    if (convertCommand->parsed())
        return RunConvert(ToLoadOptions(load, *convertCommand), convert, out, err);
    return UsageError;
}

} // namespace tesmor::cli
