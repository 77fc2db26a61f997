// Geological data file: text lines of exactly 62 characters followed by CR LF (line k = 64-byte
// record k). Text fields are left-aligned and blank-padded, numbers are decimal integers written
// left-aligned without a leading blank. Text is Windows-1252 in the file.
//
// Header line (line 1)
//   offset width content
//     0     4   number of entries + 2
//     4    16   site
//    20     7   latitude, decimal number
//    27     7   longitude, decimal number
//    34     4   rock
//    38     4   stratigraphy
//    42     4   lithostratigraphy
//    46     4   region
//    50     3   P1
//    53     3   P2
//    56     3   P3
//    59     3   P4
//
// Entry line (lines 2 .. N+1)
//   offset width content
//     0    12   specimen name
//    12     4   azimuth of the sampling orientation, degrees
//    16     4   plunge of the sampling orientation, degrees
//    20     4   Code1 (its first two characters are the type letters of group 1)
//    24     4   F1Dec, dip direction of plane 1
//    28     4   F1Inc, dip of plane 1
//    32     4   L1Dec, declination of line 1
//    36     4   L1Inc, inclination of line 1
//    40     4   Code2
//    44    16   F2Dec, F2Inc, L2Dec, L2Inc as for group 1
//    60     2   two blanks

#include "formats/ged_file.h"

#include "model/codepage.h"
#include "model/file_io.h"
#include "model/number_text.h"

#include <array>
#include <cassert>
#include <cmath>

namespace tesmor::formats {
namespace {

constexpr std::size_t LineWidth = 62;

struct NumericField
{
    const char* Name;
    std::size_t Offset;
    std::int16_t GedEntry::*Member;
};

constexpr std::array<NumericField, 10> EntryNumbers = {{
    {"Azimuth", 12, &GedEntry::Azimuth},
    {"Plunge", 16, &GedEntry::Plunge},
    {"F1Dec", 24, &GedEntry::F1Dec},
    {"F1Inc", 28, &GedEntry::F1Inc},
    {"L1Dec", 32, &GedEntry::L1Dec},
    {"L1Inc", 36, &GedEntry::L1Inc},
    {"F2Dec", 44, &GedEntry::F2Dec},
    {"F2Inc", 48, &GedEntry::F2Inc},
    {"L2Dec", 52, &GedEntry::L2Dec},
    {"L2Inc", 56, &GedEntry::L2Inc},
}};

constexpr std::array<NumericField, 4> HeaderParameters = {{
    {"P1", 50, &GedEntry::P1},
    {"P2", 53, &GedEntry::P2},
    {"P3", 56, &GedEntry::P3},
    {"P4", 59, &GedEntry::P4},
}};

// The lines of the file, without CR LF; `bad` receives the number of the first line that is not
// 62 characters long or does not end in CR LF (the last line may lack it), 0 when none.
std::vector<std::string_view> SplitGedLines(std::string_view bytes, int& bad)
{
    std::vector<std::string_view> lines;
    bad = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lf = bytes.find('\n', start);
        std::string_view line = bytes.substr(start, lf == std::string_view::npos ? lf : lf - start);
        start = lf == std::string_view::npos ? bytes.size() : lf + 1;
        const bool endsInCr = !line.empty() && line.back() == '\r';
        if (endsInCr)
            line.remove_suffix(1);
        if ((lf != std::string_view::npos && !endsInCr) || line.size() != LineWidth) {
            bad = static_cast<int>(lines.size()) + 1;
            return lines;
        }
        lines.push_back(line);
    }
    return lines;
}

std::string Field(std::string_view line, std::size_t offset, std::size_t width)
{
    return model::Cp1252ToUtf8(model::Trim(line.substr(offset, width)));
}

// A field that is a number by the number rule, as a whole number (ties to even).
bool NumberField(std::string_view line, std::size_t offset, std::size_t width, std::int16_t& out)
{
    const std::string text = model::Trim(line.substr(offset, width));
    return model::IsNumber(text) && model::RoundToInt16(model::LeadingNumber(text), out);
}

// A field that holds a whole number (a sign, digits, optionally a point and zeros).
bool WholeNumberField(std::string_view line, std::size_t offset, std::size_t width,
                      std::int16_t& out)
{
    const std::string text = model::Trim(line.substr(offset, width));
    if (!model::IsNumber(text))
        return false;
    const double value = model::LeadingNumber(text);
    return value == std::floor(value) && model::RoundToInt16(value, out);
}

void ReadHeaderTexts(std::string_view header, GedEntry& e)
{
    e.Site = Field(header, 4, 16);
    e.Rock = Field(header, 34, 4);
    e.Strat = Field(header, 38, 4);
    e.Litho = Field(header, 42, 4);
    e.Region = Field(header, 46, 4);
}

void ReadEntryTexts(std::string_view line, GedEntry& e)
{
    e.Name = Field(line, 0, 12);
    e.Code1 = model::Cp1252ToUtf8(line.substr(20, 4));
    e.Code2 = model::Cp1252ToUtf8(line.substr(40, 4));
}

std::string LineMessage(std::string_view path, int line)
{
    return "Error in file: " + std::string(path) + "\r\r\nIn line: " + std::to_string(line)
        + "\r\r\n";
}

model::UserMessage EditInputError(std::string text)
{
    return {std::move(text), "Input Error!", model::MessageIcon::Critical};
}

// Latitude and longitude as the editor keeps them: the number through single precision and
// back to its shortest text, or empty when the field is not a number.
std::string Coordinate(std::string_view line, std::size_t offset)
{
    const std::string text = model::Trim(line.substr(offset, 7));
    if (!model::IsNumber(text))
        return {};
    return model::ShortestText(static_cast<float>(model::LeadingNumber(text)));
}

// Integers as decimal text, left-aligned in `width` characters; false when they do not fit.
bool PutNumber(std::string& line, std::int16_t value, std::size_t width)
{
    const std::string text = std::to_string(value);
    if (text.size() > width)
        return false;
    line += model::FitField(text, width);
    return true;
}

void PutText(std::string& line, const std::string& utf8, std::size_t width)
{
    line += model::FitField(model::Utf8ToCp1252(utf8), width);
}

model::UserMessage TooWide(const std::string& what, std::int16_t value, std::size_t width)
{
    return model::OutputError("Cannot save the geological file: " + what + " = "
                              + std::to_string(value) + " does not fit its " + std::to_string(width)
                              + "-character field.");
}

} // namespace

int GedLineLengthCheck(std::string_view bytes)
{
    int bad = 0;
    SplitGedLines(bytes, bad);
    return bad;
}

model::Result<GedEntries> ReadGedForMerge(std::string_view bytes, std::string_view path)
{
    if (bytes.empty())
        return model::InputError("File  " + std::string(path) + "  is empty!");
    int bad = 0;
    const std::vector<std::string_view> lines = SplitGedLines(bytes, bad);
    if (bad != 0)
        return model::InputError(LineMessage(path, bad) + "The line is not "
                                 + std::to_string(LineWidth) + " characters long.");

    GedEntry header;
    for (const NumericField& f : HeaderParameters)
        if (!WholeNumberField(lines[0], f.Offset, 3, header.*f.Member))
            return model::InputError(LineMessage(path, 1) + f.Name + " is not a whole number.");
    ReadHeaderTexts(lines[0], header);
    header.Lat = Field(lines[0], 20, 7);
    header.Lon = Field(lines[0], 27, 7);

    GedEntries entries;
    entries.reserve(lines.size() - 1);
    for (std::size_t k = 1; k < lines.size(); ++k) {
        GedEntry e = header;
        for (const NumericField& f : EntryNumbers)
            if (!WholeNumberField(lines[k], f.Offset, 4, e.*f.Member))
                return model::InputError(LineMessage(path, static_cast<int>(k + 1)) + f.Name
                                         + " is not a whole number.");
        ReadEntryTexts(lines[k], e);
        entries.push_back(std::move(e));
    }
    return entries;
}

GedEditRead ReadGedForEditing(std::string_view bytes, std::string_view path, GedEntries& entries,
                              int start)
{
    assert(start >= 1 && static_cast<std::size_t>(start) <= entries.size() + 1);
    GedEditRead result;
    if (bytes.empty()) {
        result.Error = EditInputError("File  " + std::string(path) + "  is empty!");
        return result;
    }
    int bad = 0;
    const std::vector<std::string_view> lines = SplitGedLines(bytes, bad);
    if (bad != 0) {
        result.Error = EditInputError(LineMessage(path, bad));
        return result;
    }
    if (lines.size() < 2) {
        result.Error = model::UserMessage {"File is empty"};
        return result;
    }
    GedEntry header;
    std::int16_t count = 0;
    bool headerOk = NumberField(lines[0], 0, 4, count);
    for (const NumericField& f : HeaderParameters)
        headerOk = headerOk && NumberField(lines[0], f.Offset, 3, header.*f.Member);
    if (!headerOk) {
        result.Error = EditInputError(LineMessage(path, 0));
        return result;
    }
    ReadHeaderTexts(lines[0], header);
    header.Lat = Coordinate(lines[0], 20);
    header.Lon = Coordinate(lines[0], 27);

    entries.resize(static_cast<std::size_t>(start - 1));
    for (std::size_t k = 1; k < lines.size(); ++k) {
        GedEntry e = header;
        for (const NumericField& f : EntryNumbers) {
            if (!NumberField(lines[k], f.Offset, 4, e.*f.Member)) {
                result.Error = EditInputError(LineMessage(path, static_cast<int>(k + 1)));
                return result;
            }
        }
        ReadEntryTexts(lines[k], e);
        entries.push_back(std::move(e));
        ++result.Count;
    }
    return result;
}

GedEditRead ReadGedFileForEditing(const std::string& path, GedEntries& entries, int start)
{
    model::Result<std::string> bytes = model::ReadWholeFile(path);
    if (!bytes) {
        GedEditRead result;
        result.Error = bytes.error();
        return result;
    }
    return ReadGedForEditing(*bytes, path, entries, start);
}

model::Result<std::string> EncodeGed(const GedEntries& entries)
{
    const GedEntry first = entries.empty() ? GedEntry {} : entries.front();
    std::string out;
    out.reserve((entries.size() + 1) * (LineWidth + 2));

    std::string line;
    const long long count = static_cast<long long>(entries.size()) + 2;
    if (count > 9999)
        return model::OutputError("Cannot save the geological file: " + std::to_string(count - 2)
                                  + " entries are more than its header can count (9997).");
    line = model::FitField(std::to_string(count), 4);
    PutText(line, first.Site, 16);
    PutText(line, first.Lat, 7);
    PutText(line, first.Lon, 7);
    PutText(line, first.Rock, 4);
    PutText(line, first.Strat, 4);
    PutText(line, first.Litho, 4);
    PutText(line, first.Region, 4);
    for (const NumericField& f : HeaderParameters)
        if (!PutNumber(line, first.*f.Member, 3))
            return TooWide(f.Name, first.*f.Member, 3);
    out += line + "\r\n";

    for (std::size_t k = 0; k < entries.size(); ++k) {
        const GedEntry& e = entries[k];
        line.clear();
        PutText(line, e.Name, 12);
        for (const NumericField& f : EntryNumbers) {
            if (f.Offset == 24)
                PutText(line, e.Code1, 4);
            if (f.Offset == 44)
                PutText(line, e.Code2, 4);
            if (!PutNumber(line, e.*f.Member, 4))
                return TooWide(f.Name + std::string(" of ") + e.Name, e.*f.Member, 4);
        }
        out += line + "  \r\n";
    }
    return out;
}

model::Status WriteGedFile(const std::string& path, const GedEntries& entries)
{
    model::Result<std::string> bytes = EncodeGed(entries);
    if (!bytes)
        return bytes.error();
    return model::WriteFileAtomically(path, *bytes);
}

} // namespace tesmor::formats
