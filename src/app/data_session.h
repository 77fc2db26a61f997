#pragma once

// The data session: from a list of file names to a data set shown in one coordinate system.
// The main window, the files named on its command line and every command of the batch tool
// open and show data through these operations, so that they all show the same figures.
//
// The session holds the data set in its three sequences (loaded as read, working, active in the
// chosen coordinate system), the structure type lists, the last statistics and the options the
// pictures are drawn from.

#include "app/confidence_region.h"
#include "app/structure_types.h"
#include "formats/ams_binary.h"
#include "formats/ged_merge.h"
#include "math/frames.h"
#include "math/group_statistics.h"
#include "math/parallel.h"
#include "model/data_set.h"
#include "model/display_options.h"
#include "model/result.h"
#include "plot/view_options.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tesmor::app {

// Receives the messages of an operation (a reader's error, a notice about a shortened file)
// in the order they arise.
using MessageSink = std::function<void(const model::UserMessage&)>;

// How opening chose the coordinate systems that the data offer.
enum class OpenMode {
    NoOrientation = 1, // the first record's group 1 is "SS": only the specimen system
    NoFoliation = 2, // oriented, no foliation letter: only the geographic system
    WithFoliation = 3, // every system
    TiltCorrectedOnly = 4, // tensors given in tilt-corrected coordinates: only that system
};

// A coordinate system with the structures it is built on. The specimen and geographic systems
// use no structure: their letters are "0" and the reference is the paleo horizontal.
struct SystemChoice
{
    math::CoordinateSystem System = math::CoordinateSystem::Geographic;
    std::string Foliation = "0";
    std::string Lineation = "0";
    math::PaleoReference Reference = math::PaleoReference::Horizontal;
};

// The file formats that records and mean tensors are saved in, numbered as the entries of the
// save dialogs' file-type list.
enum class RecordFormat {
    AmsBinary = 1, // "Varkel AMS format (*.ran)"
    AsciiTable = 2, // "ASCII text file (*.txt)"
    DirectionFile = 3, // "Dravex file (*.dat)"
    MagicTable = 4, // "MagIC 3.0 specimens table (*.txt)", the active records
    SFile = 5, // "s-file of tensor elements (*.s)", the active records
};

struct DataSession
{
    model::DataSet Data;
    math::GroupStatistics Statistics;
    // The confidence region the net draws, its statistics and the bootstrap's seed.
    ConfidenceRegion Region = ConfidenceRegion::Tenvar;
    RegionStatistics Regions;
    std::uint64_t BootstrapSeed = 1;
    std::vector<StructureType> FoliationTypes; // ascending by character code
    std::vector<StructureType> LineationTypes;

    math::CoordinateSystem CoordSystem = math::CoordinateSystem::Geographic;
    std::string FoliationName; // letter of the paleogeographic and tectonic systems
    std::string LineationName; // letter of the tectonic system, "0" for none
    math::PaleoReference PaleoReference = math::PaleoReference::Horizontal;

    // Kept as read from the settings: a value outside the named ones is held until the user
    // picks one, and draws without that choice.
    std::int16_t Projection = 2; // 1 equal-angle, 2 equal-area
    std::int16_t Plot1Kind = plot::plotkind::PKm;
    std::int16_t Plot2Kind = plot::plotkind::PT;
    std::int16_t ColourScheme = std::int16_t(plot::ColourScheme::Default);
    std::int16_t SymbolSize = 10; // pixels, net and plots
    model::DisplayOptions Display;
    // The one coordinate system of files whose tensors are given in it (exchange files), as
    // their reader said; nothing for files that offer the systems their data allow.
    std::optional<math::CoordinateSystem> OnlySystem;

    // Threads for the per-record work of large data sets (derived values, transformation,
    // statistics); every figure is the same whatever their number.
    int Threads = math::HardwareThreads();

    // Reads every file of `paths` with the reader of `kind` into fresh loaded records, in order.
    // A reader's error is reported and abandons the whole opening (the loaded records are then
    // empty); a notice about a shortened file is reported and its complete records are kept.
    // Returns whether the records were read.
    bool ReadFiles(const std::vector<std::string>& paths, model::FileKind kind,
                   const formats::OrientationDefaults& defaults, const MessageSink& report);

    // Completes freshly read records: derived values of every loaded record, the working records
    // as their copy, the structure type lists, and the coordinate system that opening shows: the
    // specimen system for a set without orientation, otherwise the current one (the geographic
    // system for a set without foliation, or when the specimen system was current). The
    // paleogeographic and tectonic systems take the first foliation letter and no lineation.
    OpenMode CompleteRecords();

    // Read, complete, transform and compute the statistics: the whole opening of data files.
    // Returns the mode, or nothing after a reader's error.
    std::optional<OpenMode> Open(const std::vector<std::string>& paths, model::FileKind kind,
                                 const formats::OrientationDefaults& defaults,
                                 const MessageSink& report);

    // The active records built afresh from the working records in `choice`'s system.
    void Transform(const SystemChoice& choice);
    // The current system with its structure letters and reference.
    SystemChoice CurrentSystem() const;
    // The statistics of the active records, with the ellipse points in the projection (a value
    // outside 1-2 computes them on the equal-area net).
    void ComputeStatistics();

    // The systems the data offer, as the window's coordinate options do: refuses a system the
    // data cannot be shown in, and letters that are not among the data's structure types, with
    // a message naming what exists. On success the choice becomes current, transformed, with
    // new statistics.
    model::Status Show(const SystemChoice& choice);

    // Merges the geological file at `path` into the loaded records (the rotation commands): the
    // structures of each matching entry are copied and the tensors turned between the specimen
    // and the geographic frame. The records are then completed again (derived values, working
    // records as a fresh copy, structure type lists) and shown in the geographic system after a
    // merge from specimen to geographic, in the specimen system after the way back. Gives the
    // report of records without an entry, if any; a damaged or empty file is refused whole and
    // changes nothing.
    model::Result<std::optional<model::UserMessage>>
    MergeGeologicalFile(const std::string& path, formats::GedMatchMode mode,
                        math::RotationMode direction);

    // Selection. The list and the views show the Selected flags of the active records; the
    // working records carry them too, matched through Index, for saving the selected records and
    // for the next transformation (which copies each working record with its flag).

    // Active record i takes selected[i] (false beyond its end), then SyncSelection.
    void SelectActive(const std::vector<bool>& selected);
    // Every working record is selected exactly when an active record with its Index is.
    void SyncSelection();
    void ClearSelection();
    // True when a working record is selected.
    bool AnySelected() const;
    // Toggles every active and every working record, also working records without an active
    // counterpart.
    void InvertSelection();
    // Drops the selected active records, and their working records, from consideration and
    // computes the statistics of the rest; the others keep their coordinates. Refused (false,
    // nothing changed) when no active record would remain.
    bool DisregardSelected();
    // The working records become a fresh copy of the loaded ones: every disregarded record is
    // back. The caller transforms and computes.
    void RestoreAll();

    // Writes the working records (all, or the selected ones) as a binary data file, replacing
    // the file only once the new one is complete.
    model::Status SaveBinary(const std::string& path, bool selectedOnly) const;
    // Writes the working records, all or the selected ones, in `format` (the exchange formats:
    // the active records in the current system; MagIC has no code for the tectonic system and
    // the paleovertical reference, which are refused). Saving the selected
    // records when none is selected writes nothing and says so: such a file could not be opened.
    model::Status SaveRecords(const std::string& path, RecordFormat format,
                              bool selectedOnly) const;
    // Adds the mean tensor of the active records under `name` to the file at `path`, which is
    // created when missing: a record of a binary data file, or a line of the text listing of
    // mean directions. An existing file that is not a binary data file, and a file of the open
    // data set, are refused unchanged.
    // Writes nothing for the direction file format, which has no mean record.
    model::Status SaveMeanTensor(const std::string& path, RecordFormat format,
                                 const std::string& name) const;

    // The options and data that the three views are drawn from.
    plot::ViewOptions ViewOptions() const;
    plot::ViewData ViewData() const;

    // True when the first working record carries orientation data.
    bool Oriented() const;
};

// The answer to saving the selected records when none is selected.
model::UserMessage NoRecordSelectedMessage();

// True when the text in memory is one character that a data file can hold as a structure letter.
bool IsOneLetter(const std::string& text);

// The lower-case name of a coordinate system: "specimen", "geographic", "paleogeographic",
// "tectonic"; and back.
std::string_view CoordinateSystemName(math::CoordinateSystem system);
std::optional<math::CoordinateSystem> ParseCoordinateSystem(std::string_view text);

} // namespace tesmor::app
