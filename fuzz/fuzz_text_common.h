#pragma once

// Shared body of the fuzz targets of the text data readers: any byte string is read as a file
// of the format, appended after a few records already loaded. The reader must return records or
// a message without touching memory outside the input; a refused file leaves the records as they
// were, an accepted one appends complete, numbered records with finite tensors.

#include "formats/text_import.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace tesmor::fuzz {

inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}

using TextReader
    = model::Result<formats::DataImport> (*)(std::string_view, std::string_view, model::Records&,
                                             int, const formats::OrientationDefaults&);

inline int FuzzTextReader(TextReader reader, const std::uint8_t* data, std::size_t size,
                          const char* path)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int start = size > 0 ? 1 + data[size - 1] % 4 : 1;
    const formats::OrientationDefaults defaults {6, 0, 6, 90};

    model::Records loaded(static_cast<std::size_t>(start - 1));
    const model::Result<formats::DataImport> read = reader(bytes, path, loaded, start, defaults);
    if (!read) {
        Check(loaded.size() == static_cast<std::size_t>(start - 1));
        return 0;
    }
    Check(read->Count >= 1);
    Check(loaded.size() == static_cast<std::size_t>(start - 1 + read->Count));
    for (std::size_t i = static_cast<std::size_t>(start - 1); i < loaded.size(); ++i) {
        const model::SpecimenRecord& r = loaded[i];
        Check(r.Index == static_cast<int>(i + 1));
        Check(std::isfinite(r.NormFactor) && std::isfinite(r.K11) && std::isfinite(r.K13));
        Check(r.Code1.size() >= 2 && r.Code2.size() >= 2);
    }
    return 0;
}

} // namespace tesmor::fuzz
