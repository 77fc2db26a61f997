// Binary AMS data file: fixed 64-byte records, record 1 the header, records 2 .. N+1 specimens.
// Integers are little-endian two's complement, reals 32-bit IEEE little-endian, text one byte per
// character in Windows-1252, blank-padded and not terminated.
//
// Header record (record 1)
//   offset size type    content
//     0     2   int16   number of specimen records + 2 (next free record); ignored on reading
//     2    16   chars   site (cut at the first NUL on reading)
//    18     7   chars   latitude    } read only when the first longitude byte is >= 34,
//    25     7   chars   longitude   } otherwise both stay empty
//    32     4   chars   rock
//    36     4   chars   stratigraphy
//    40     4   chars   lithostratigraphy
//    44     4   chars   region
//    48     3   chars   P1 as decimal text, left-aligned
//    51     3   chars   P2
//    54     3   chars   P3
//    57     3   chars   P4: 0 planes stored by dip direction, 90 by strike
//    60     4   -       reserved; written as zeros, ignored on reading
//
// Specimen record (records 2 .. N+1)
//   offset size type     content
//     0    12   chars    name (blanks removed on reading)
//    12     4   float32  instrument and field code (FieldCode)
//    16     4   float32  susceptibility scale, 1e-6 SI (NormFactor)
//    20    24   float32  normalised tensor K11, K22, K33, K12, K23, K13
//    44     2   chars    group 1 code: plane type letter, line type letter
//    46     2   int16    plane 1 dip direction (P4 = 0) or strike (P4 = 90), degrees
//    48     2   int16    plane 1 dip
//    50     2   int16    line 1 declination
//    52     2   int16    line 1 inclination
//    54    10   -        group 2 as offsets 44-53
//
// A file of 96 bytes or less (the file length / 64 - 1 rounds ties to even below 1) holds no
// specimen. A trailing partial record is not read: the complete records before it are kept and
// the reader says so.

#include "formats/ams_binary.h"

#include "math/parallel.h"
#include "model/codepage.h"
#include "model/file_io.h"
#include "model/number_text.h"

#include <array>
#include <cassert>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

namespace tesmor::formats {
namespace {

constexpr std::size_t RecordSize = 64;
using model::InputError;
using model::OutputError;

// Record `number` (0 = header) of the file, which holds it completely.
std::string_view RecordAt(std::string_view bytes, std::size_t number)
{
    return bytes.substr(number * RecordSize, RecordSize);
}

std::int16_t Int16At(std::string_view record, std::size_t offset)
{
    const auto lo = static_cast<std::uint16_t>(static_cast<unsigned char>(record[offset]));
    const auto hi = static_cast<std::uint16_t>(static_cast<unsigned char>(record[offset + 1]));
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

float FloatAt(std::string_view record, std::size_t offset)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(record[offset + i]))
            << (8 * i);
    }
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Windows-1252 bytes as UTF-8 into `out`; pure ASCII is copied without a conversion pass (and
// into the string's existing buffer).
void AssignText(std::string& out, std::string_view bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            out = model::Cp1252ToUtf8(bytes);
            return;
        }
    }
    out.assign(bytes);
}

std::string ToUtf8(std::string_view bytes)
{
    std::string text;
    AssignText(text, bytes);
    return text;
}

std::string SiteOf(std::string_view field)
{
    const std::string trimmed = model::Trim(field);
    const std::size_t nul = trimmed.find('\0');
    return ToUtf8(model::Trim(std::string_view(trimmed).substr(0, nul)));
}

// A record carrying the header copies of the file; every specimen record starts as a copy of it.
model::SpecimenRecord ReadHeader(std::string_view record, const OrientationDefaults& defaults)
{
    model::SpecimenRecord h;
    h.Site = SiteOf(record.substr(2, 16));
    if (static_cast<unsigned char>(record[25]) >= 34) {
        h.Lat = ToUtf8(model::Trim(record.substr(18, 7)));
        h.Lon = ToUtf8(model::Trim(record.substr(25, 7)));
    }
    h.Rock = ToUtf8(model::Trim(record.substr(32, 4)));
    h.Strat = ToUtf8(model::Trim(record.substr(36, 4)));
    h.Litho = ToUtf8(model::Trim(record.substr(40, 4)));
    h.Region = ToUtf8(model::Trim(record.substr(44, 4)));
    h.P1 = OrientationParameter(record.substr(48, 3), defaults.P1);
    h.P2 = OrientationParameter(record.substr(51, 3), defaults.P2);
    h.P3 = OrientationParameter(record.substr(54, 3), defaults.P3);
    h.P4 = OrientationParameter(record.substr(57, 3), defaults.P4);
    return h;
}

void AssignName(std::string& out, std::string_view bytes)
{
    char kept[RecordSize];
    std::size_t n = 0;
    for (const char c : bytes) {
        if (c != ' ') {
            kept[n++] = c;
        }
    }
    AssignText(out, model::Trim(std::string_view(kept, n)));
}

void AssignGroupCode(std::string& out, std::string_view bytes)
{
    if (bytes.empty() || static_cast<unsigned char>(bytes[0]) < '0') {
        out.assign("00");
        return;
    }
    AssignText(out, model::UpperCp1252(bytes));
}

// One geological group (code, plane, line) from the 10 bytes at `offset`.
void ReadGroup(std::string_view record, std::size_t offset, std::int16_t P4, std::string& code,
               char& codeA, char& codeB, float& fDec, float& fInc, float& fStrike, float& lDec,
               float& lInc)
{
    AssignGroupCode(code, record.substr(offset, 2));
    codeA = model::Cp1252Letter(code, 0, '0');
    codeB = model::Cp1252Letter(code, 1, '0');
    model::PlaneFromFile(Int16At(record, offset + 2), P4, fDec, fStrike);
    fInc = Int16At(record, offset + 4);
    lDec = Int16At(record, offset + 6);
    lInc = Int16At(record, offset + 8);
}

// The specimen fields of `r`, which already holds the header copies.
void ReadSpecimen(std::string_view record, bool remanence, model::SpecimenRecord& r)
{
    AssignName(r.Name, record.substr(0, 12));
    r.FieldCode = FloatAt(record, 12);
    r.NormFactor = FloatAt(record, 16);
    DeriveInstrument(r, r.FieldCode, r.NormFactor, remanence);
    r.K11 = FloatAt(record, 20);
    r.K22 = FloatAt(record, 24);
    r.K33 = FloatAt(record, 28);
    r.K12 = FloatAt(record, 32);
    r.K23 = FloatAt(record, 36);
    r.K13 = FloatAt(record, 40);
    r.Km = r.NormFactor * (r.K11 + r.K22 + r.K33) / 3.0f;
    ReadGroup(record, 44, r.P4, r.Code1, r.Code1A, r.Code1B, r.F1Dec, r.F1Inc, r.F1Strike, r.L1Dec,
              r.L1Inc);
    ReadGroup(record, 54, r.P4, r.Code2, r.Code2A, r.Code2B, r.F2Dec, r.F2Inc, r.F2Strike, r.L2Dec,
              r.L2Inc);
}

// The scale, the six tensor components and the mean susceptibility made of them must be finite
// numbers: NaN or infinity would poison every statistic and picture of the data set.
bool HasFiniteTensor(std::string_view record)
{
    for (std::size_t offset = 16; offset <= 40; offset += 4) {
        if (!std::isfinite(FloatAt(record, offset))) {
            return false;
        }
    }
    const float km
        = FloatAt(record, 16) * (FloatAt(record, 20) + FloatAt(record, 24) + FloatAt(record, 28));
    return std::isfinite(km);
}

// The number of specimen records of a file of `size` bytes by the count rule: size / 64 - 1,
// rounded ties to even (so 96 bytes hold none).
double SpecimenCount(std::uintmax_t size)
{
    return model::RoundHalfEven(static_cast<double>(size) / RecordSize - 1.0);
}

// The specimen records that the file holds completely.
std::size_t CompleteSpecimens(std::uintmax_t size)
{
    return size < RecordSize ? 0 : static_cast<std::size_t>(size / RecordSize - 1);
}

std::string TruncatedText(std::string_view path, std::size_t record)
{
    return "File  " + std::string(path) + "  ends inside record " + std::to_string(record)
        + "!\r\n";
}

// Record numbers are 16-bit: more records than they can address are never loaded.
model::UserMessage TooManyRecordsMessage(std::string_view path, double total)
{
    return InputError("File  " + std::string(path)
                      + "  cannot be opened: with the records already opened there would be "
                      + std::to_string(static_cast<long long>(total)) + " records, more than the "
                      + std::to_string(model::MaxLoadedRecords) + " that can be opened together.");
}

// ---- writing ----

void PutInt16(std::string& out, std::size_t at, std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    out[at] = static_cast<char>(bits & 0xFF);
    out[at + 1] = static_cast<char>(bits >> 8);
}

void PutFloat(std::string& out, std::size_t at, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (std::size_t i = 0; i < 4; ++i) {
        out[at + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    }
}

void PutText(std::string& out, std::size_t at, std::string_view utf8, std::size_t width)
{
    const std::string field = model::FitField(model::Utf8ToCp1252(utf8), width);
    out.replace(at, width, field);
}

// An angle rounded ties to even into an int16 field; a message naming the field when it does not
// fit (or is not a number).
model::Status PutAngle(std::string& out, std::size_t at, float value, const char* field,
                       const model::SpecimenRecord& r)
{
    std::int16_t stored = 0;
    if (!model::RoundToInt16(value, stored)) {
        return OutputError("Cannot save specimen " + r.Name + ": " + field + " = "
                           + model::ShortestText(value)
                           + " does not fit the file's 16-bit integer field.");
    }
    PutInt16(out, at, stored);
    return std::nullopt;
}

model::Status PutGroup(std::string& out, std::size_t at, std::int16_t P4,
                       const model::SpecimenRecord& r, bool second)
{
    PutText(out, at, second ? r.Code2 : r.Code1, 2);
    const float plane = second ? model::PlaneToFile(r.F2Dec, r.F2Strike, P4)
                               : model::PlaneToFile(r.F1Dec, r.F1Strike, P4);
    const std::array<float, 4> values = {plane, second ? r.F2Inc : r.F1Inc,
                                         second ? r.L2Dec : r.L1Dec, second ? r.L2Inc : r.L1Inc};
    const std::array<const char*, 4> first
        = {P4 == 90 ? "F1Strike" : "F1Dec", "F1Inc", "L1Dec", "L1Inc"};
    const std::array<const char*, 4> other
        = {P4 == 90 ? "F2Strike" : "F2Dec", "F2Inc", "L2Dec", "L2Inc"};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (auto error
            = PutAngle(out, at + 2 + 2 * i, values[i], second ? other[i] : first[i], r)) {
            return error;
        }
    }
    return std::nullopt;
}

model::Status PutSpecimen(std::string& out, std::size_t at, std::int16_t P4,
                          const model::SpecimenRecord& r)
{
    PutText(out, at, r.Name, 12);
    PutFloat(out, at + 12, r.FieldCode);
    PutFloat(out, at + 16, r.NormFactor);
    const std::array<float, 6> tensor = {r.K11, r.K22, r.K33, r.K12, r.K23, r.K13};
    for (std::size_t i = 0; i < tensor.size(); ++i) {
        PutFloat(out, at + 20 + 4 * i, tensor[i]);
    }
    if (auto error = PutGroup(out, at + 44, P4, r, false)) {
        return error;
    }
    return PutGroup(out, at + 54, P4, r, true);
}

model::Status PutHeader(std::string& out, std::int16_t count, const model::SpecimenRecord& h)
{
    PutInt16(out, 0, count);
    PutText(out, 2, h.Site, 16);
    PutText(out, 18, h.Lat, 7);
    PutText(out, 25, h.Lon, 7);
    PutText(out, 32, h.Rock, 4);
    PutText(out, 36, h.Strat, 4);
    PutText(out, 40, h.Litho, 4);
    PutText(out, 44, h.Region, 4);
    const std::array<std::int16_t, 4> values = {h.P1, h.P2, h.P3, h.P4};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string text = std::to_string(values[i]);
        if (text.size() > 3) {
            return OutputError("Cannot save the file header: P" + std::to_string(i + 1) + " = "
                               + text + " does not fit its 3-character field.");
        }
        PutText(out, 48 + 3 * i, text, 3);
    }
    return std::nullopt;
}

} // namespace

void DeriveInstrument(model::SpecimenRecord& record, float A, float B, bool remanence)
{
    if (remanence) {
        record.Instrument = "VX6";
        record.Field = static_cast<float>(model::RoundHalfEven(A));
        record.Freq = "N/A";
    } else if (std::fabs(std::fabs(A) - std::fabs(B)) <= 0.5f) {
        record.Instrument = "TRB2/3";
        record.Field = 423;
        record.Freq = "F1";
    } else if (A >= 1000) {
        // The code's decimal digits: frequency digit first, field in A/m as the last three.
        record.Instrument = "QSM";
        if (A < 10000 && A == std::floor(A)) {
            // Four digits, the shortest text of every whole code below 10000 (the usual case).
            const int code = static_cast<int>(A);
            record.Field = static_cast<float>(code % 1000);
            record.Freq = std::string("F") + static_cast<char>('0' + code / 1000);
            return;
        }
        const std::string t = model::ShortestText(A);
        record.Field = static_cast<float>(
            model::LeadingNumber(std::string_view(t).substr(t.size() >= 3 ? t.size() - 3 : 0)));
        record.Freq = std::string("F") + t[0];
    } else {
        record.Instrument = "TRB4";
        record.Field = static_cast<float>(model::RoundHalfEven(static_cast<double>(A) * 1.41));
        record.Freq = "F1";
    }
}

bool IsRemanencePath(std::string_view path)
{
    return path.size() >= 3 && model::ToLower(path.substr(path.size() - 3)) == "are";
}

std::int16_t OrientationParameter(std::string_view field, std::int16_t fallback)
{
    const std::string text = model::Trim(field);
    std::int16_t value = 0;
    if (model::IsNumber(text) && model::RoundToInt16(model::LeadingNumber(text), value)) {
        return value;
    }
    return fallback;
}

std::string GroupCode(std::string_view bytes)
{
    std::string code;
    AssignGroupCode(code, bytes);
    return code;
}

std::string SpecimenName(std::string_view bytes)
{
    std::string name;
    AssignName(name, bytes.substr(0, RecordSize));
    return name;
}

model::UserMessage EmptyFileMessage(std::string_view path)
{
    return InputError("File  " + std::string(path) + "  is empty!");
}

model::UserMessage DamagedFileMessage(std::string_view path, std::string_view name,
                                      std::string_view place, std::string_view what)
{
    return InputError("File  " + std::string(path) + "  is damaged: specimen " + std::string(name)
                      + " (" + std::string(place) + ") has " + std::string(what) + ".");
}

model::Result<DataImport> ReadAmsBinary(std::string_view bytes, std::string_view path,
                                        model::Records& loaded, int start,
                                        const OrientationDefaults& defaults, int threads)
{
    assert(start >= 1);
    if (bytes.empty()) {
        return EmptyFileMessage(path);
    }
    if (SpecimenCount(bytes.size()) < 1) {
        return model::UserMessage {"File is empty"};
    }
    const std::size_t count = CompleteSpecimens(bytes.size());
    const bool truncated = bytes.size() % RecordSize != 0;
    if (count == 0) {
        return InputError(TruncatedText(path, 2) + "No complete specimen was read.");
    }
    if (start - 1 + static_cast<double>(count) > model::MaxLoadedRecords) {
        return TooManyRecordsMessage(path, start - 1 + static_cast<double>(count));
    }

    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view record = RecordAt(bytes, i + 1);
        if (!HasFiniteTensor(record)) {
            return DamagedFileMessage(path, SpecimenName(record.substr(0, 12)),
                                      "record " + std::to_string(i + 2),
                                      "a susceptibility scale or tensor that is not a finite "
                                      "number");
        }
    }

    const model::SpecimenRecord header = ReadHeader(RecordAt(bytes, 0), defaults);
    const bool remanence = IsRemanencePath(path);
    const auto first = static_cast<std::size_t>(start - 1);
    loaded.resize(first + count);
    math::ParallelChunks(count, threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            // Copy-assigning reuses the strings' buffers of records already in place.
            model::SpecimenRecord& r = loaded[first + i];
            r = header;
            ReadSpecimen(RecordAt(bytes, i + 1), remanence, r);
            r.Index = static_cast<std::int16_t>(first + i + 1);
        }
    });
    DataImport result;
    result.Count = static_cast<int>(count);
    if (truncated) {
        result.Notice = InputError(TruncatedText(path, count + 2) + "The " + std::to_string(count)
                                       + " complete specimen record(s) before it were read.",
                                   model::MessageIcon::Exclamation);
    }
    return result;
}

model::Result<DataImport> ReadAmsBinaryFile(const std::string& path, model::Records& loaded,
                                            int start, const OrientationDefaults& defaults,
                                            int threads)
{
    // A file too long to be opened is refused before its bytes are read into memory.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    const auto complete = static_cast<double>(CompleteSpecimens(size));
    if (!ec && start - 1 + complete > model::MaxLoadedRecords) {
        return TooManyRecordsMessage(path, start - 1 + complete);
    }
    model::Result<std::string> bytes = model::ReadWholeFile(path);
    if (!bytes) {
        return bytes.error();
    }
    return ReadAmsBinary(*bytes, path, loaded, start, defaults, threads);
}

model::Result<std::string> EncodeAmsBinary(const model::Records& records, bool selectedOnly)
{
    std::size_t count = 0;
    for (const model::SpecimenRecord& r : records) {
        count += !selectedOnly || r.Selected;
    }
    if (count > static_cast<std::size_t>(model::MaxRecordsPerFile)) {
        return OutputError("Cannot save " + std::to_string(count)
                           + " records: a data file holds at most "
                           + std::to_string(model::MaxRecordsPerFile) + ".");
    }
    const model::SpecimenRecord header
        = records.empty() ? model::SpecimenRecord {} : records.front();
    std::string out((count + 1) * RecordSize, '\0');
    std::size_t at = RecordSize;
    for (const model::SpecimenRecord& r : records) {
        if (selectedOnly && !r.Selected) {
            continue;
        }
        if (auto error = PutSpecimen(out, at, header.P4, r)) {
            return *error;
        }
        at += RecordSize;
    }
    if (auto error = PutHeader(out, static_cast<std::int16_t>(count + 2), header)) {
        return *error;
    }
    return out;
}

std::optional<model::UserMessage> CutNameClashes(const model::Records& records, bool selectedOnly)
{
    std::map<std::string, std::set<std::string>> byCut;
    for (const model::SpecimenRecord& r : records)
        if ((!selectedOnly || r.Selected) && r.Name.size() > 12)
            byCut[model::FitField(model::Utf8ToCp1252(r.Name), 12)];
    if (byCut.empty())
        return std::nullopt;
    for (const model::SpecimenRecord& r : records)
        if (!selectedOnly || r.Selected) {
            const auto group = byCut.find(model::FitField(model::Utf8ToCp1252(r.Name), 12));
            if (group != byCut.end())
                group->second.insert(r.Name);
        }
    std::string text;
    for (const auto& [cut, names] : byCut) {
        if (names.size() < 2)
            continue;
        text += "\r\n ";
        for (const std::string& name : names)
            text += " " + name;
        text += "  become  " + ToUtf8(model::Trim(cut));
    }
    if (text.empty())
        return std::nullopt;
    return model::UserMessage {"The binary format keeps 12 characters of a specimen name; "
                               "specimens of different names now have the same name:"
                                   + text,
                               model::AppTitle, model::MessageIcon::Exclamation};
}

model::Status WriteAmsBinaryFile(const std::string& path, const model::Records& records,
                                 bool selectedOnly)
{
    model::Result<std::string> bytes = EncodeAmsBinary(records, selectedOnly);
    if (!bytes) {
        return bytes.error();
    }
    return model::WriteFileAtomically(path, *bytes);
}

} // namespace tesmor::formats
