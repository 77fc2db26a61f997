#pragma once

// The exchange formats of the AMS community: the MagIC 3.0 specimens table and the plain s-file.
//
// MagIC specimens table: tab-delimited text. Line 1 is "tab" TAB "specimens", line 2 the column
// names, then one specimen per line until the end of the file or a line beginning ">>>>>>>>>>"
// (another table follows; it is not read). Columns come in any order; the ones read are
// `specimen`, `aniso_type` ("AMS"; other types are skipped), `aniso_s` (x11:x22:x33:x12:x23:x13,
// trace 1), `aniso_s_mean` (SI), `aniso_s_sigma` and `aniso_tilt_correction` (-1 specimen,
// 0 geographic, 100 tilt-corrected coordinates; empty means specimen coordinates).
//
// s-file: plain text, each non-blank line "x11 x22 x33 x12 x23 x13" with an optional seventh
// number, the standard error; any positive trace. It carries no names and no mean
// susceptibility: specimens are named after the file and the line, and their scale is 1.
//
// Both readers give records with the tensor normalised to trace 3 (a tensor of trace 1 or 3
// within float precision is only multiplied by 3 or kept, so that our own files read back
// exactly) and the standard error in the same normalisation.

#include "formats/ams_binary.h"
#include "math/frames.h"
#include "model/data_set.h"
#include "model/result.h"

#include <optional>
#include <string>
#include <string_view>

namespace tesmor::formats {

// True when the bytes begin with the first line of a MagIC specimens table.
bool IsMagicTable(std::string_view head);

// True when every non-blank line holds six or seven numbers, and one line at least does.
bool LooksLikeSFile(std::string_view bytes);

// Read as the text data readers do: records appended at `start`, `loaded` unchanged on failure.
// The MagIC reader sets DataImport::System to the coordinate system of the rows it kept; rows of
// other systems, rows of other anisotropy types and rows with a malformed `aniso_s` are left out
// and named in the notice. The s-file reader refuses a file with a malformed line.
model::Result<DataImport> ReadMagicTable(std::string_view bytes, std::string_view path,
                                         model::Records& loaded, int start,
                                         const OrientationDefaults& defaults);
model::Result<DataImport> ReadSFile(std::string_view bytes, std::string_view path,
                                    model::Records& loaded, int start,
                                    const OrientationDefaults& defaults);

// The value of `aniso_tilt_correction` for records shown in `system` (specimen -1,
// geographic 0, paleogeographic 100); nothing for the tectonic system.
std::optional<int> TiltCorrectionCode(math::CoordinateSystem system);

// A MagIC specimens table of the records (all, or the selected ones), in coordinates named by
// `tiltCorrection`: type AMS, method code LP-X, the mean susceptibility in SI.
std::string EncodeMagicTable(const model::Records& records, int tiltCorrection, bool selectedOnly);
model::Status WriteMagicTable(const std::string& path, const model::Records& records,
                              int tiltCorrection, bool selectedOnly);

// An s-file of the records (all, or the selected ones): the tensor normalised to trace 3, with
// the standard error as the seventh number where a record has one.
std::string EncodeSFile(const model::Records& records, bool selectedOnly);
model::Status WriteSFile(const std::string& path, const model::Records& records, bool selectedOnly);

} // namespace tesmor::formats
