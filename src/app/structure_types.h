#pragma once

// The foliation and lineation type letters found in a data set. The foliation letters of a
// record are Code1A and Code2A, its lineation letters Code1B and Code2B; "0" means no structure.

#include "model/data_set.h"

#include <string>
#include <vector>

namespace tesmor::app {

// One distinct structure type letter of the working records and how often it occurs (both
// groups of every record, letters compared without regard to case).
struct StructureType
{
    char Letter = '0';
    int Count = 0;

    friend bool operator==(const StructureType&, const StructureType&) = default;
};

// The distinct letters of the records, first group then second, record by record; a letter is
// kept when no letter of the list equals it without regard to case. The list is sorted by
// character code; each count covers both cases.
std::vector<StructureType> FoliationTypesOf(const model::Records& records);
std::vector<StructureType> LineationTypesOf(const model::Records& records);

// The entry text of lstFoli and lstLine: "B  (N= 12)".
std::string StructureEntryText(const StructureType& type);

} // namespace tesmor::app
