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

struct TextImport
{
    int Count = 0; // records appended
    // Set when the file ends inside a block: the complete specimens before it were kept and
    // this notice says how many (the caller shows it; the records are valid).
    std::optional<model::UserMessage> Notice;
};

// Each reader appends the records of the file held in `bytes` to `loaded` at the 1-based indices
// start .. start + Count - 1 (records before `start` are kept, the sequence ends after the last
// one read). `path` names the file in messages. The ".asc" format carries no orientation
// parameters: its records take `defaults`. On failure `loaded` is left exactly as it was.
model::Result<TextImport> ReadProText(std::string_view bytes, std::string_view path,
                                      model::Records& loaded, int start,
                                      const OrientationDefaults& defaults);
model::Result<TextImport> ReadApgText(std::string_view bytes, std::string_view path,
                                      model::Records& loaded, int start,
                                      const OrientationDefaults& defaults);
model::Result<TextImport> ReadAscText(std::string_view bytes, std::string_view path,
                                      model::Records& loaded, int start,
                                      const OrientationDefaults& defaults);

// The reader of file kind 8 (".pro"), 9 (".apg") or 10 (".asc") on the file at `path`.
model::Result<TextImport> ReadTextDataFile(const std::string& path, model::FileKind kind,
                                           model::Records& loaded, int start,
                                           const OrientationDefaults& defaults);

} // namespace tesmor::formats
