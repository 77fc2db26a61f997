#pragma once

// The records of one loading operation: one file, or several files of one kind opened together.

#include "model/specimen_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tesmor::model {

using Records = std::vector<SpecimenRecord>;

// The largest number of specimen records that 16-bit record numbers can address over all files
// opened together, and the most a binary file's header count (records + 2) can express.
inline constexpr int MaxLoadedRecords = 32767;
inline constexpr int MaxRecordsPerFile = 32765;

// File kinds of the open dialog: 1-6 binary, 7 geological data file, 8-10 text formats, 11-12
// the exchange formats.
enum class FileKind : std::int16_t {
    None = 0,
    BinaryAll = 1,
    Ams = 2,
    Amr = 3,
    Pooled = 4,
    Ferro = 5,
    Para = 6,
    Geological = 7,
    Pro = 8,
    Apg = 9,
    Asc = 10,
    MagicTable = 11,
    SFile = 12,
};

struct DataSet
{
    Records LoadedRecords; // as read; files appended in the order opened
    Records WorkingRecords; // copy of the loaded records; rotations and disregarding apply here
    Records ActiveRecords; // working records in the current coordinate system
    std::vector<std::string> FileNames; // full paths of the files loaded together
    std::string Folder; // folder of the current file, ending in '/'
    std::string FileName; // file name without folder
    std::string BaseName; // file name without its 4-character extension
    FileKind Kind = FileKind::None;
};

} // namespace tesmor::model
