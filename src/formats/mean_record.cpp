// Mean-direction record of a binary AMS data file (layout in ams_binary.cpp): the header record
// (count at offset 0, int16 little-endian) is rewritten and the mean record is placed at the
// next record number.

#include "formats/mean_record.h"

#include "formats/ams_binary.h"
#include "model/file_io.h"
#include "model/number_text.h"

#include <algorithm>

namespace tesmor::formats {
namespace {

constexpr std::size_t RecordSize = 64;

model::SpecimenRecord MeanSpecimen(const std::string& name, const model::Records& active,
                                   const math::GroupStatistics& s)
{
    model::SpecimenRecord r;
    if (!active.empty()) {
        const model::SpecimenRecord& first = active.front();
        r.FieldCode = first.FieldCode;
        r.Rock = first.Rock;
        r.Strat = first.Strat;
        r.Litho = first.Litho;
        r.Region = first.Region;
        r.P1 = first.P1;
        r.P2 = first.P2;
        r.P3 = first.P3;
        r.P4 = first.P4;
    }
    r.Site = "MeanDirections";
    r.Name = name;
    r.NormFactor = s.Kaver;
    r.K11 = s.M(1, 1);
    r.K22 = s.M(2, 2);
    r.K33 = s.M(3, 3);
    r.K12 = s.M(1, 2);
    r.K23 = s.M(2, 3);
    r.K13 = s.M(1, 3);
    return r;
}

// A file that mean records may be added to: whole 64-byte records that the reader takes, whose
// header counts them as the writers do (the number of the next free record). Anything else,
// a text file chosen by mistake above all, would be damaged by the added record.
model::Status CheckAppendable(std::string_view bytes, const std::string& path)
{
    model::Records records;
    const bool whole = bytes.size() % RecordSize == 0;
    const auto count = static_cast<std::size_t>(static_cast<unsigned char>(bytes[0])
                                                | static_cast<unsigned char>(bytes[1]) << 8);
    if (whole && bytes.size() >= 2 * RecordSize && count == bytes.size() / RecordSize + 1
        && ReadAmsBinary(bytes, path, records, 1, {}).ok())
        return std::nullopt;
    return model::UserMessage {"Cannot add the mean record to  " + path
                                   + "  : it is not a Varkel AMS data file. The file was left "
                                     "as it was.",
                               "Output error!", model::MessageIcon::Critical};
}

} // namespace

model::Result<MeanRecordFile> AddMeanRecord(std::string_view existing, bool append,
                                            const std::string& name, const model::Records& active,
                                            const math::GroupStatistics& statistics)
{
    double target = 2;
    if (append && !existing.empty())
        target = std::max(
            2.0, model::RoundHalfEven(static_cast<double>(existing.size()) / RecordSize + 1));
    if (target - 1 > model::MaxRecordsPerFile)
        return model::OutputError("Cannot add the mean record: the file already holds the "
                                  + std::to_string(model::MaxRecordsPerFile)
                                  + " records a data file can hold.");

    model::Result<std::string> encoded
        = EncodeAmsBinary({MeanSpecimen(name, active, statistics)}, false);
    if (!encoded)
        return encoded.error();
    const auto number = static_cast<std::size_t>(target);
    const auto count = static_cast<std::uint16_t>(number + 1);

    MeanRecordFile file;
    file.RecordNumber = static_cast<int>(number);
    file.Bytes.assign(existing.substr(0, std::min(existing.size(), (number - 1) * RecordSize)));
    file.Bytes.resize((number - 1) * RecordSize, '\0');
    file.Bytes.replace(0, RecordSize, encoded->substr(0, RecordSize));
    file.Bytes[0] = static_cast<char>(count & 0xFF);
    file.Bytes[1] = static_cast<char>(count >> 8);
    file.Bytes += encoded->substr(RecordSize, RecordSize);
    return file;
}

model::Status WriteMeanRecord(const std::string& path, bool append, const std::string& name,
                              const model::Records& active, const math::GroupStatistics& statistics)
{
    std::string existing;
    if (append && model::FileExists(path)) {
        model::Result<std::string> old = model::ReadWholeFile(path);
        if (!old)
            return old.error();
        existing = std::move(*old);
        if (model::Status refused = CheckAppendable(existing, path))
            return refused;
    }
    model::Result<MeanRecordFile> file = AddMeanRecord(existing, append, name, active, statistics);
    if (!file)
        return file.error();
    return model::WriteFileAtomically(path, file->Bytes);
}

} // namespace tesmor::formats
