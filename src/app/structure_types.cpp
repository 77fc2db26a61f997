#include "app/structure_types.h"

#include "model/codepage.h"

#include <algorithm>
#include <array>

namespace tesmor::app {

namespace {

// Letters are Windows-1252 bytes: both cases of a letter beyond ASCII count as one type too.
char upper(char c)
{
    return model::UpperCp1252(c);
}

std::vector<StructureType> typesOf(const model::Records& records,
                                   char model::SpecimenRecord::*first,
                                   char model::SpecimenRecord::*second)
{
    // Occurrences per upper-case letter, and the first spelling seen of each.
    std::array<int, 256> counts {};
    std::vector<StructureType> types;
    for (const model::SpecimenRecord& record : records) {
        for (char letter : {record.*first, record.*second}) {
            if (letter == '0')
                continue;
            const unsigned char key = static_cast<unsigned char>(upper(letter));
            if (counts[key]++ == 0)
                types.push_back({letter, 0});
        }
    }
    for (StructureType& type : types)
        type.Count = counts[static_cast<unsigned char>(upper(type.Letter))];
    std::sort(types.begin(), types.end(), [](const StructureType& a, const StructureType& b) {
        return static_cast<unsigned char>(a.Letter) < static_cast<unsigned char>(b.Letter);
    });
    return types;
}

} // namespace

std::vector<StructureType> FoliationTypesOf(const model::Records& records)
{
    return typesOf(records, &model::SpecimenRecord::Code1A, &model::SpecimenRecord::Code2A);
}

std::vector<StructureType> LineationTypesOf(const model::Records& records)
{
    return typesOf(records, &model::SpecimenRecord::Code1B, &model::SpecimenRecord::Code2B);
}

std::string StructureEntryText(const StructureType& type)
{
    return model::LetterText(type.Letter) + "  (N= " + std::to_string(type.Count) + ")";
}

} // namespace tesmor::app
