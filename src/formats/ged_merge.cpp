#include "formats/ged_merge.h"

#include "model/codepage.h"
#include "model/file_io.h"
#include "model/number_text.h"
#include "model/specimen_record.h"

#include <unordered_map>

namespace tesmor::formats {
namespace {

// The last entry (in file order) of each upper-cased name.
using NameIndex = std::unordered_map<std::string, std::size_t>;

NameIndex IndexNames(const GedEntries& entries)
{
    NameIndex index;
    index.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        index[model::UpperText(entries[i].Name)] = i;
    return index;
}

// The last entry that matches the upper-cased record name R: an entry named G matches from the
// left when R begins with G (an empty G matches every record), fully when R equals G.
std::optional<std::size_t> LastMatch(const NameIndex& index, const std::string& R,
                                     GedMatchMode mode)
{
    if (mode == GedMatchMode::Full) {
        const auto it = index.find(R);
        return it == index.end() ? std::nullopt : std::optional(it->second);
    }
    std::optional<std::size_t> last;
    for (std::size_t length = 0; length <= R.size(); ++length) {
        const auto it = index.find(R.substr(0, length));
        if (it != index.end() && (!last || it->second > *last))
            last = it->second;
    }
    return last;
}

// The group code of a record from the 4-character code of an entry: its first two characters as
// typed (case kept), "00" when they do not begin with a digit or letter (no group).
std::string RecordCode(const std::string& entryCode)
{
    const std::string bytes = model::FitField(model::Utf8ToCp1252(entryCode), 2);
    if (static_cast<unsigned char>(bytes[0]) < '0')
        return "00";
    return model::Cp1252ToUtf8(bytes);
}

void SetGroups(model::SpecimenRecord& r, const std::string& code1, const std::string& code2,
               const std::array<float, 8>& angles)
{
    r.Code1 = code1;
    r.Code1A = model::Cp1252Letter(r.Code1, 0, '0');
    r.Code1B = model::Cp1252Letter(r.Code1, 1, '0');
    r.F1Dec = angles[0];
    r.F1Inc = angles[1];
    r.L1Dec = angles[2];
    r.L1Inc = angles[3];
    r.F1Strike = model::StrikeOfDipDirection(r.F1Dec);
    r.Code2 = code2;
    r.Code2A = model::Cp1252Letter(r.Code2, 0, '0');
    r.Code2B = model::Cp1252Letter(r.Code2, 1, '0');
    r.F2Dec = angles[4];
    r.F2Inc = angles[5];
    r.L2Dec = angles[6];
    r.L2Inc = angles[7];
    r.F2Strike = model::StrikeOfDipDirection(r.F2Dec);
}

void Apply(const GedEntry& g, model::SpecimenRecord& r, math::RotationMode direction)
{
    if (direction == math::RotationMode::SpecimenToGeographic) {
        SetGroups(r, RecordCode(g.Code1), RecordCode(g.Code2),
                  {float(g.F1Dec), float(g.F1Inc), float(g.L1Dec), float(g.L1Inc), float(g.F2Dec),
                   float(g.F2Inc), float(g.L2Dec), float(g.L2Inc)});
    } else {
        SetGroups(r, "SS", "00", {});
    }
    math::RotateRecordTensor(r, g.Azimuth, g.Plunge, g.P1, g.P2, g.P3, direction);
}

} // namespace

model::UserMessage MissingRecordsMessage(const std::vector<std::string>& upperNames)
{
    std::string text = "Following " + std::to_string(upperNames.size())
        + " record(s) were not found in GED file!\r\n";
    for (const std::string& name : upperNames)
        text += "\r\n'" + name + "'";
    return {std::move(text), "Missing record(s)!", model::MessageIcon::Critical};
}

model::Result<GedMerge> MergeGed(std::string_view bytes, std::string_view path,
                                 model::Records& loaded, GedMatchMode mode,
                                 math::RotationMode direction)
{
    model::Result<GedEntries> entries = ReadGedForMerge(bytes, path);
    if (!entries)
        return entries.error();
    const NameIndex index = IndexNames(*entries);

    std::vector<std::string> missing;
    for (model::SpecimenRecord& r : loaded) {
        const std::string R = model::UpperText(r.Name);
        const std::optional<std::size_t> match = LastMatch(index, R, mode);
        if (!match) {
            missing.push_back(R);
            continue;
        }
        Apply((*entries)[*match], r, direction);
    }

    GedMerge result;
    result.Missing = static_cast<int>(missing.size());
    if (!missing.empty())
        result.MissingReport = MissingRecordsMessage(missing);
    return result;
}

model::Result<GedMerge> MergeGedFile(const std::string& path, model::Records& loaded,
                                     GedMatchMode mode, math::RotationMode direction)
{
    model::Result<std::string> bytes = model::ReadWholeFile(path);
    if (!bytes)
        return bytes.error();
    return MergeGed(*bytes, path, loaded, mode, direction);
}

} // namespace tesmor::formats
