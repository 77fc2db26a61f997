#pragma once

// The geological data file (".ged"): per specimen name, the sampling orientation (azimuth and
// plunge) and two groups of geological structures. Fixed-width text lines of 62 characters and
// CR LF, so that line k is also the 64-byte record k. Layout at the top of ged_file.cpp.

#include "model/result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tesmor::formats {

// One entry of a geological data file. The header values (Site .. Region, P1-P4) are carried by
// every entry; writers take them from the first entry. Text is UTF-8 in memory.
struct GedEntry
{
    std::string Name;
    std::string Site;
    std::string Lat;
    std::string Lon;
    std::string Rock;
    std::string Strat;
    std::string Litho;
    std::string Region;
    std::int16_t Azimuth = 0; // degrees
    std::int16_t Plunge = 0; // degrees
    std::string Code1; // as read, 4 characters; its first two are the group's type letters
    std::int16_t F1Dec = 0; // dip direction of plane 1
    std::int16_t F1Inc = 0; // dip of plane 1
    std::int16_t L1Dec = 0; // declination of line 1
    std::int16_t L1Inc = 0; // inclination of line 1
    std::string Code2;
    std::int16_t F2Dec = 0;
    std::int16_t F2Inc = 0;
    std::int16_t L2Dec = 0;
    std::int16_t L2Inc = 0;
    std::int16_t P1 = 0; // orientation parameters of the file's header
    std::int16_t P2 = 0;
    std::int16_t P3 = 0;
    std::int16_t P4 = 0;

    friend bool operator==(const GedEntry&, const GedEntry&) = default;
};

using GedEntries = std::vector<GedEntry>;

// The number (from 1) of the first line whose length is not 62 characters or that does not end
// in CR LF (the last line may lack it); 0 when every line is well formed or the file is empty.
int GedLineLengthCheck(std::string_view bytes);

// The entries of a file for merging. Refused, with a message naming the line, when the file is
// empty, a line has the wrong length, or a numeric field (P1-P4 of the header, the ten angles of
// an entry) is blank or not a whole number: a merge must not half-apply a damaged file.
model::Result<GedEntries> ReadGedForMerge(std::string_view bytes, std::string_view path);

// The outcome of the validating reader of the editor.
struct GedEditRead
{
    int Count = 0; // entries appended by this call
    // The message to show, when the file was refused or reading stopped at a bad line. The entries
    // stored before a bad entry line stay in the sequence; the caller forgets the file's path.
    model::Status Error;
};

// Appends the entries of the file held in `bytes` to `entries` at the 1-based indices start ..
// (records before `start` are kept, the sequence ends after the last one stored). Several files
// can be read one after another into one sequence.
GedEditRead ReadGedForEditing(std::string_view bytes, std::string_view path, GedEntries& entries,
                              int start);
GedEditRead ReadGedFileForEditing(const std::string& path, GedEntries& entries, int start);

// The bytes of a geological data file holding `entries`, the header from the first entry.
// Refused with a message when a number does not fit its field (4 characters for the angles and
// the header count, 3 for P1-P4), instead of cutting it into another number.
model::Result<std::string> EncodeGed(const GedEntries& entries);

// EncodeGed written to `path` through a temporary file.
model::Status WriteGedFile(const std::string& path, const GedEntries& entries);

} // namespace tesmor::formats
