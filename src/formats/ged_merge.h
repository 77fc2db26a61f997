#pragma once

// Merging a geological data file into loaded records: the structures of the matching entry are
// copied into each record and its tensor is rotated between the specimen and the geographic
// frame with the entry's sampling orientation.

#include "formats/ged_file.h"
#include "math/orientation.h"
#include "model/data_set.h"
#include "model/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tesmor::formats {

// How specimen names are compared with entry names (case is ignored in both).
enum class GedMatchMode : std::int16_t {
    FromLeft = 1, // the entry name is the beginning of the specimen name
    Full = 2, // the names are equal
};

struct GedMerge
{
    int Missing = 0; // records for which the file has no entry
    // "Missing record(s)!" report listing them; the merge completed for every other record.
    std::optional<model::UserMessage> MissingReport;
};

// Merges the file held in `bytes` into `loaded`. For each record the last matching entry in file
// order decides. SpecimenToGeographic copies the entry's codes, planes and lines into the record
// and turns the tensor by O T O^T; GeographicToSpecimen resets the structures (Code1 "SS", Code2
// "00", angles 0) and turns the tensor back by O^-1 T O^-T. An entry with azimuth and plunge 0
// leaves the tensor as it is; records without an entry keep everything. Strikes follow the
// merged dip directions. A damaged file is refused as a whole and changes no record. The caller
// recomputes the derived fields afterwards.
model::Result<GedMerge> MergeGed(std::string_view bytes, std::string_view path,
                                 model::Records& loaded, GedMatchMode mode,
                                 math::RotationMode direction);

// MergeGed on the contents of the file at `path`.
model::Result<GedMerge> MergeGedFile(const std::string& path, model::Records& loaded,
                                     GedMatchMode mode, math::RotationMode direction);

// The report of records without an entry: "Following " + count + " record(s) were not found in
// GED file!" and, on lines of their own after an empty line, the upper-cased names between
// apostrophes.
model::UserMessage MissingRecordsMessage(const std::vector<std::string>& upperNames);

} // namespace tesmor::formats
