// Driver of the text data readers: splits the file into lines, reads block after block with the
// layout of the format (text_import_blocks.cpp) and completes each block into a SpecimenRecord by
// the rules of the binary reader: orientation parameters by the number rule, name without
// blanks, instrument, field and frequency from the field code, tensor and Km, group codes, and
// planes by the P4 convention.

#include "formats/text_import.h"

#include "formats/exchange_formats.h"
#include "formats/text_import_blocks.h"
#include "formats/text_tokens.h"
#include "model/codepage.h"
#include "model/file_io.h"
#include "model/number_text.h"

#include <cassert>
#include <cmath>
#include <optional>

namespace tesmor::formats {
namespace {

using model::InputError;

// A P value of a block is kept as the decimal text of its whole number cut to 3 characters, as
// in a binary header, and then read by the header's number rule.
std::int16_t BlockParameter(double value, std::int16_t fallback)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e15)
        return fallback;
    const std::string text = std::to_string(static_cast<long long>(value)).substr(0, 3);
    return OrientationParameter(text, fallback);
}

void CompleteGroup(const std::string& codeToken, double plane, double dip, double lineDec,
                   double lineInc, std::int16_t P4, std::string& code, char& codeA, char& codeB,
                   float& fDec, float& fInc, float& fStrike, float& lDec, float& lInc)
{
    code = GroupCode(model::FitField(codeToken, 2));
    codeA = model::Cp1252Letter(code, 0, '0');
    codeB = model::Cp1252Letter(code, 1, '0');
    model::PlaneFromFile(ToSingle(plane), P4, fDec, fStrike);
    fInc = ToSingle(dip);
    lDec = ToSingle(lineDec);
    lInc = ToSingle(lineInc);
}

model::SpecimenRecord Complete(const detail::TextBlock& b, bool remanence,
                               const OrientationDefaults& defaults)
{
    model::SpecimenRecord r;
    if (b.P) {
        const auto& p = *b.P;
        r.P1 = BlockParameter(p[0], defaults.P1);
        r.P2 = BlockParameter(p[1], defaults.P2);
        r.P3 = BlockParameter(p[2], defaults.P3);
        r.P4 = BlockParameter(p[3], defaults.P4);
    } else {
        r.P1 = defaults.P1;
        r.P2 = defaults.P2;
        r.P3 = defaults.P3;
        r.P4 = defaults.P4;
    }
    r.Name = SpecimenName(b.NameBytes);
    r.FieldCode = b.FieldCode;
    DeriveInstrument(r, b.FieldCode, b.NormFactor, remanence);
    r.NormFactor = b.NormFactor;
    r.K11 = b.K[0];
    r.K22 = b.K[1];
    r.K33 = b.K[2];
    r.K12 = b.K[3];
    r.K23 = b.K[4];
    r.K13 = b.K[5];
    r.Km = r.NormFactor * (r.K11 + r.K22 + r.K33) / 3.0f;
    CompleteGroup(b.Code1, b.Plane1, b.Dip1, b.Line1Dec, b.Line1Inc, r.P4, r.Code1, r.Code1A,
                  r.Code1B, r.F1Dec, r.F1Inc, r.F1Strike, r.L1Dec, r.L1Inc);
    CompleteGroup(b.Code2, b.Plane2, b.Dip2, b.Line2Dec, b.Line2Inc, r.P4, r.Code2, r.Code2A,
                  r.Code2B, r.F2Dec, r.F2Inc, r.F2Strike, r.L2Dec, r.L2Inc);
    return r;
}

// What of a completed record is not a finite number (the message's words), or nothing. NaN or
// infinity (a number beyond the range of a float, as "1e400") would poison every statistic and
// picture of the data set.
std::optional<std::string> NonFiniteValue(const model::SpecimenRecord& r)
{
    const float tensor[] = {r.NormFactor, r.K11, r.K22, r.K33, r.K12, r.K23, r.K13, r.Km};
    for (const float v : tensor)
        if (!std::isfinite(v))
            return "a susceptibility scale or tensor that is not a finite number";
    if (!std::isfinite(r.FieldCode))
        return "a field code that is not a finite number";
    const float angles[] = {r.F1Dec, r.F1Inc, r.L1Dec, r.L1Inc, r.F2Dec, r.F2Inc, r.L2Dec, r.L2Inc};
    for (const float v : angles)
        if (!std::isfinite(v))
            return "a plane or line angle that is not a finite number";
    return std::nullopt;
}

model::UserMessage TooManyRecordsMessage(std::string_view path, long long total)
{
    return InputError("File  " + std::string(path)
                      + "  cannot be opened: with the records already opened there would be "
                      + std::to_string(total) + " records, more than the "
                      + std::to_string(model::MaxLoadedRecords) + " that can be opened together.");
}

std::string TruncatedText(std::string_view path)
{
    return "File  " + std::string(path) + "  ends inside a specimen block!\r\n";
}

model::Result<DataImport> ReadBlocks(std::string_view bytes, std::string_view path,
                                     model::Records& loaded, int start,
                                     const OrientationDefaults& defaults,
                                     detail::BlockReader readBlock)
{
    assert(start >= 1 && static_cast<std::size_t>(start) <= loaded.size() + 1);
    if (bytes.empty())
        return EmptyFileMessage(path);
    LineCursor lines(bytes);
    std::vector<std::string_view> scratch;
    scratch.reserve(64);
    const bool remanence = IsRemanencePath(path);

    model::Records read;
    bool truncated = false;
    // Blank lines after the last block end the data.
    while (!lines.restIsBlank()) {
        detail::TextBlock block;
        if (readBlock(lines, scratch, block) == detail::BlockRead::Truncated) {
            truncated = true;
            break;
        }
        const long long total = start + static_cast<long long>(read.size());
        if (total > model::MaxLoadedRecords)
            return TooManyRecordsMessage(path, total);
        model::SpecimenRecord r = Complete(block, remanence, defaults);
        if (const std::optional<std::string> bad = NonFiniteValue(r))
            return DamagedFileMessage(path, r.Name, "block " + std::to_string(read.size() + 1),
                                      *bad);
        r.Index = static_cast<std::int16_t>(total);
        read.push_back(std::move(r));
    }

    if (read.empty()) {
        if (truncated)
            return InputError(TruncatedText(path) + "No complete specimen was read.");
        return model::UserMessage {"File is empty"};
    }
    DataImport result;
    result.Count = static_cast<int>(read.size());
    if (truncated) {
        result.Notice = InputError(TruncatedText(path) + "The " + std::to_string(result.Count)
                                       + " complete specimen(s) before it were read.",
                                   model::MessageIcon::Exclamation);
    }
    loaded.resize(static_cast<std::size_t>(start - 1));
    loaded.insert(loaded.end(), std::make_move_iterator(read.begin()),
                  std::make_move_iterator(read.end()));
    return result;
}

} // namespace

model::Result<DataImport> ReadProText(std::string_view bytes, std::string_view path,
                                      model::Records& loaded, int start,
                                      const OrientationDefaults& defaults)
{
    return ReadBlocks(bytes, path, loaded, start, defaults, detail::ReadProBlock);
}

model::Result<DataImport> ReadApgText(std::string_view bytes, std::string_view path,
                                      model::Records& loaded, int start,
                                      const OrientationDefaults& defaults)
{
    return ReadBlocks(bytes, path, loaded, start, defaults, detail::ReadApgBlock);
}

model::Result<DataImport> ReadAscText(std::string_view bytes, std::string_view path,
                                      model::Records& loaded, int start,
                                      const OrientationDefaults& defaults)
{
    return ReadBlocks(bytes, path, loaded, start, defaults, detail::ReadAscBlock);
}

model::Result<DataImport> ReadTextDataFile(const std::string& path, model::FileKind kind,
                                           model::Records& loaded, int start,
                                           const OrientationDefaults& defaults)
{
    model::Result<std::string> bytes = model::ReadWholeFile(path);
    if (!bytes)
        return bytes.error();
    switch (kind) {
    case model::FileKind::Pro:
        return ReadProText(*bytes, path, loaded, start, defaults);
    case model::FileKind::Apg:
        return ReadApgText(*bytes, path, loaded, start, defaults);
    case model::FileKind::Asc:
        return ReadAscText(*bytes, path, loaded, start, defaults);
    case model::FileKind::MagicTable:
        return ReadMagicTable(*bytes, path, loaded, start, defaults);
    case model::FileKind::SFile:
        return ReadSFile(*bytes, path, loaded, start, defaults);
    default:
        assert(false && "ReadTextDataFile: not a text file kind");
        return InputError("File  " + path + "  is not a text data file.");
    }
}

} // namespace tesmor::formats
