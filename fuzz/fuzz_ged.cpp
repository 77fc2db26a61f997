// Fuzz target of the geological data file: line check, both readers, the merge and the writer.
//
// Any byte string is read as a geological file. The merge reader either refuses it or returns
// entries that the writer can write and that read back equal; a refused merge changes no record;
// the editing reader appends only entries it stored.

#include "formats/ged_file.h"
#include "formats/ged_merge.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace tesmor;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

model::Records SomeRecords()
{
    model::Records records(4);
    const char* names[] = {"AB1", "AB12", "x", ""};
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].Name = names[i];
        records[i].K11 = 1.05f;
        records[i].K22 = 0.98f;
        records[i].K33 = 0.97f;
        records[i].K12 = 0.01f;
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = "fuzz.ged";
    const int bad = formats::GedLineLengthCheck(bytes);
    Check(bad >= 0);

    formats::GedEntries edited(2);
    const formats::GedEditRead edit = formats::ReadGedForEditing(bytes, path, edited, 3);
    Check(edited.size() == 2 + static_cast<std::size_t>(edit.Count));

    const model::Result<formats::GedEntries> entries = formats::ReadGedForMerge(bytes, path);
    model::Records records = SomeRecords();
    const auto mode
        = size > 0 && (data[0] & 1) ? formats::GedMatchMode::Full : formats::GedMatchMode::FromLeft;
    const auto direction = size > 0 && (data[0] & 2) ? math::RotationMode::GeographicToSpecimen
                                                     : math::RotationMode::SpecimenToGeographic;
    const model::Result<formats::GedMerge> merged
        = formats::MergeGed(bytes, path, records, mode, direction);
    Check(merged.ok() == entries.ok());
    if (!entries) {
        Check(records[0].K11 == 1.05f && records[0].Code1 == "00");
        return 0;
    }
    for (const model::SpecimenRecord& r : records)
        Check(std::isfinite(r.K11) && std::isfinite(r.K12) && r.Code1.size() >= 2);

    const model::Result<std::string> written = formats::EncodeGed(*entries);
    Check(written.ok());
    Check(formats::GedLineLengthCheck(*written) == 0);
    const model::Result<formats::GedEntries> again = formats::ReadGedForMerge(*written, path);
    Check(again.ok() && *again == *entries);
    return 0;
}
