#pragma once

// The binary AMS data file (".ran", ".are", ".poo", ".asf", ".asp"): one header record describing
// the site followed by one 64-byte record per specimen. The byte layout is tabulated at the top of
// ams_binary.cpp.

#include "math/frames.h"
#include "model/data_set.h"
#include "model/result.h"
#include "model/specimen_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tesmor::formats {

// The orientation parameters P1-P4 that a reader uses when a file gives none (or gives text that
// is not a number): the default orientation parameters of the settings.
struct OrientationDefaults
{
    std::int16_t P1 = 0;
    std::int16_t P2 = 0;
    std::int16_t P3 = 0;
    std::int16_t P4 = 0;
};

// Sets `Instrument`, `Field` and `Freq` of `record` from the instrument and field code A and the
// susceptibility scale B (both as stored in the file). Remanence files (extension "are") are
// always "VX6"; otherwise A and B equal within 0.5 mean "TRB2/3", A >= 1000 "QSM", else "TRB4".
void DeriveInstrument(model::SpecimenRecord& record, float A, float B, bool remanence);

// True when the path's extension (its last three characters, any case) is "are".
bool IsRemanencePath(std::string_view path);

// The value of a header orientation parameter field: its integer value when the trimmed text is a
// number (model::IsNumber; rounded ties to even), otherwise `fallback`.
std::int16_t OrientationParameter(std::string_view field, std::int16_t fallback);

// A geological group code as stored in memory: "00" when the first byte has a code below 48 ("0")
// or the code is empty, otherwise the Windows-1252 bytes upper-cased (letters beyond ASCII too)
// and converted to UTF-8.
std::string GroupCode(std::string_view bytes);

// A specimen name: every blank removed, then trimmed, converted to UTF-8.
std::string SpecimenName(std::string_view bytes);

// The message of an empty data file: "File  " + path + "  is empty!".
model::UserMessage EmptyFileMessage(std::string_view path);

// The message of a data file refused for a value of one specimen that is not a finite number:
// "File  " + path + "  is damaged: specimen " + name + " (" + place + ") has " + what + ".".
model::UserMessage DamagedFileMessage(std::string_view path, std::string_view name,
                                      std::string_view place, std::string_view what);

// What a data file reader appended.
struct DataImport
{
    int Count = 0; // records appended
    // Set when the file ends inside a record or block: the complete specimens before it were
    // kept and this notice says how many (the caller shows it; the records are valid).
    std::optional<model::UserMessage> Notice;
    // Set by readers of files whose tensors are in one coordinate system only.
    std::optional<math::CoordinateSystem> System;
};

// Reads the records of a binary data file held in `bytes` into `loaded` at the 1-based indices
// start .. start + Count - 1 (records before `start` are kept, the sequence ends after the last
// one read). `path` names the file in messages and its extension selects remanence data. A file
// that ends inside a record keeps the complete records before it, with a notice. On failure
// `loaded` is left exactly as it was. A large file's records are decoded on up to `threads`
// threads.
model::Result<DataImport> ReadAmsBinary(std::string_view bytes, std::string_view path,
                                        model::Records& loaded, int start,
                                        const OrientationDefaults& defaults, int threads = 1);

// ReadAmsBinary on the contents of the file at `path`.
model::Result<DataImport> ReadAmsBinaryFile(const std::string& path, model::Records& loaded,
                                            int start, const OrientationDefaults& defaults,
                                            int threads = 1);

// The bytes of a binary data file holding every record, or only the records whose `Selected` flag
// is set, in sequence order. The header comes from the first record of the sequence whether or not
// it is written; planes are stored by that record's `P4` convention.
model::Result<std::string> EncodeAmsBinary(const model::Records& records, bool selectedOnly);

// The notice that names cut to the 12 characters of the binary format make specimens of
// different names equal (all records, or the selected ones); nothing when no two clash.
std::optional<model::UserMessage> CutNameClashes(const model::Records& records, bool selectedOnly);

// EncodeAmsBinary written to `path` through a temporary file, so that a failure leaves an existing
// file as it was.
model::Status WriteAmsBinaryFile(const std::string& path, const model::Records& records,
                                 bool selectedOnly);

} // namespace tesmor::formats
