#pragma once

// Readers of the text data formats "Werner format (*.pro)", "Pelta20 format (*.apg)" and
// "Quillex ASCII 15-position format (*.asc)". Each file is a sequence of fixed-layout blocks of
// lines, one block per specimen (layouts at the top of text_import_blocks.cpp); every block
// becomes a SpecimenRecord completed by the rules of the binary reader. The text formats carry
// no site header: Site, Lat, Lon, Rock, Strat, Litho and Region stay empty.

#include "formats/ams_binary.h"
#include "model/data_set.h"
#include "model/result.h"

#include <optional>
#include <string>
#include <string_view>

namespace tesmor::formats {

// Each reader appends the records of the file held in `bytes` to `loaded` at the 1-based indices
// start .. start + Count - 1 (records before `start` are kept, the sequence ends after the last
// one read). `path` names the file in messages. The ".asc" format carries no orientation
// parameters: its records take `defaults`. On failure `loaded` is left exactly as it was.
model::Result<DataImport> ReadProText(std::string_view bytes, std::string_view path,
                                      model::Records& loaded, int start,
                                      const OrientationDefaults& defaults);
model::Result<DataImport> ReadApgText(std::string_view bytes, std::string_view path,
                                      model::Records& loaded, int start,
                                      const OrientationDefaults& defaults);
model::Result<DataImport> ReadAscText(std::string_view bytes, std::string_view path,
                                      model::Records& loaded, int start,
                                      const OrientationDefaults& defaults);

// The reader of file kind 8 (".pro"), 9 (".apg"), 10 (".asc"), 11 (MagIC specimens table) or
// 12 (s-file) on the file at `path`.
model::Result<DataImport> ReadTextDataFile(const std::string& path, model::FileKind kind,
                                           model::Records& loaded, int start,
                                           const OrientationDefaults& defaults);

} // namespace tesmor::formats
