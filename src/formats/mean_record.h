#pragma once

// The mean tensor of a group written as one record of a binary AMS data file ("Save Mean
// directions", binary choice): successive means accumulate in one file whose header carries the
// site "MeanDirections".

#include "math/group_statistics.h"
#include "model/data_set.h"
#include "model/result.h"

#include <string>
#include <string_view>

namespace tesmor::formats {

struct MeanRecordFile
{
    std::string Bytes; // the whole file after the record was added
    int RecordNumber = 0; // 1-based record number of the mean record (the header is record 1)
};

// The file `existing` (empty for a new file) with the mean record added. When `append` is set and
// `existing` is not empty the record goes to record number (length / 64) + 1 (rounded ties to
// even; a partial last record is completed with zeros or cut), otherwise the file is started
// afresh and the record is number 2. The header is rewritten with the site "MeanDirections",
// blank latitude and longitude, the count (record number + 1), and rock, stratigraphy,
// lithostratigraphy, region and P1-P4 of the first active record. The record holds `name`, the
// FieldCode of the first active record, Kaver as the susceptibility scale and the mean tensor;
// its codes are "00" and its angles 0.
model::Result<MeanRecordFile> AddMeanRecord(std::string_view existing, bool append,
                                            const std::string& name, const model::Records& active,
                                            const math::GroupStatistics& statistics);

// AddMeanRecord on the file at `path` (read when `append` is set and it exists), written back
// through a temporary file so that a failure leaves the old file as it was.
model::Status WriteMeanRecord(const std::string& path, bool append, const std::string& name,
                              const model::Records& active,
                              const math::GroupStatistics& statistics);

} // namespace tesmor::formats
