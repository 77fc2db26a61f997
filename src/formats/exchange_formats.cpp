// Readers and writers of the MagIC specimens table and the s-file.

#include "formats/exchange_formats.h"

#include "formats/text_tokens.h"
#include "model/file_io.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <vector>

namespace tesmor::formats {
namespace {

using model::InputError;
using Tensor = std::array<double, 6>;

constexpr std::string_view TableSeparator = ">>>>>>>>>>";
constexpr const char* MagicColumns[] = {"specimen",
                                        "sample",
                                        "aniso_type",
                                        "aniso_s",
                                        "aniso_s_mean",
                                        "aniso_s_unit",
                                        "aniso_s_sigma",
                                        "aniso_s_n_measurements",
                                        "aniso_tilt_correction",
                                        "method_codes",
                                        "citations",
                                        "result_quality"};

std::string_view TrimBlanks(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool ParseNumber(std::string_view text, double& value)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// Splits `line` at every `separator` into `fields` (reused between lines).
void Split(std::string_view line, char separator, std::vector<std::string_view>& fields)
{
    fields.clear();
    while (true) {
        const std::size_t at = line.find(separator);
        fields.push_back(line.substr(0, at));
        if (at == std::string_view::npos)
            return;
        line.remove_prefix(at + 1);
    }
}

// Fields separated by runs of spaces or tabs.
void SplitBlanks(std::string_view line, std::vector<std::string_view>& fields)
{
    fields.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t begin = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > begin)
            fields.push_back(line.substr(begin, i - begin));
    }
}

// The factor that brings a tensor of trace `trace` to trace 3, or 0 when it cannot be brought.
double TraceFactor(double trace)
{
    if (!std::isfinite(trace) || trace <= 0)
        return 0;
    if (std::fabs(trace - 1) <= 1e-5)
        return 3;
    if (std::fabs(trace - 3) <= 3e-5)
        return 1;
    return 3 / trace;
}

// What is wrong with six elements as a tensor, or nothing; `factor` is then set.
std::optional<std::string> TensorProblem(const Tensor& s, double& factor)
{
    for (const double v : s)
        if (!std::isfinite(v))
            return "an element that is not a finite number";
    factor = TraceFactor(s[0] + s[1] + s[2]);
    if (factor == 0)
        return "a trace that is not positive";
    for (const double v : s)
        if (!std::isfinite(ToSingle(v * factor)))
            return "an element beyond the range of the program's numbers";
    return std::nullopt;
}

std::string NameWithoutBlanks(std::string_view text)
{
    std::string name;
    for (const char c : TrimBlanks(text))
        if (c != ' ' && c != '\t')
            name += c;
    return name;
}

// A record from a tensor of any positive trace: scaled by `factor` to trace 3, the mean
// susceptibility (1e-6 SI) when the file gives one, else a scale of 1.
model::SpecimenRecord ExchangeRecord(std::string name, const Tensor& s, double factor,
                                     std::optional<double> kmMicro, double sigma,
                                     bool specimenSystem, const OrientationDefaults& defaults)
{
    model::SpecimenRecord r;
    r.Name = std::move(name);
    float* const k[] = {&r.K11, &r.K22, &r.K33, &r.K12, &r.K23, &r.K13};
    for (std::size_t i = 0; i < 6; ++i)
        *k[i] = ToSingle(s[i] * factor);
    const double trace = double(r.K11) + double(r.K22) + double(r.K33);
    const bool scaled = kmMicro && std::isfinite(ToSingle(*kmMicro * 3 / trace));
    r.NormFactor = scaled ? ToSingle(*kmMicro * 3 / trace) : 1.0f;
    r.Km = r.NormFactor * (r.K11 + r.K22 + r.K33) / 3.0f; // as every reader computes it
    r.Sigma = std::isfinite(sigma * factor) && sigma > 0 ? ToSingle(sigma * factor) : 0;
    DeriveInstrument(r, 0, r.NormFactor, false);
    r.P1 = defaults.P1;
    r.P2 = defaults.P2;
    r.P3 = defaults.P3;
    r.P4 = defaults.P4;
    if (specimenSystem) {
        r.Code1 = "SS";
        r.Code1A = r.Code1B = 'S';
    }
    return r;
}

model::UserMessage TooManyRecords(std::string_view path, long long total)
{
    return InputError("File  " + std::string(path)
                      + "  cannot be opened: with the records already opened there would be "
                      + std::to_string(total) + " records, more than the "
                      + std::to_string(model::MaxLoadedRecords) + " that can be opened together.");
}

void Append(model::Records& loaded, int start, model::Records& read)
{
    for (std::size_t i = 0; i < read.size(); ++i)
        read[i].Index = static_cast<std::int16_t>(start + static_cast<int>(i));
    loaded.resize(static_cast<std::size_t>(start - 1));
    loaded.insert(loaded.end(), std::make_move_iterator(read.begin()),
                  std::make_move_iterator(read.end()));
}

std::string LineList(const std::vector<int>& lines)
{
    std::string text;
    for (const int line : lines)
        text += (text.empty() ? "" : ", ") + std::to_string(line);
    return text;
}

// The rows of a MagIC table set aside, by reason, for the notice.
struct SkippedRows
{
    std::vector<int> OtherType;
    std::vector<std::string> Malformed; // "line N: reason"
    std::array<std::vector<int>, 3> BySystem; // left out: specimen, geographic, tilt-corrected

    std::string Text(std::string_view path, std::optional<int> kept) const
    {
        static constexpr const char* systemWords[] = {"specimen", "geographic", "tilt-corrected"};
        std::string text;
        if (!OtherType.empty())
            text += std::to_string(OtherType.size())
                + " row(s) of another anisotropy type than AMS were skipped: line(s) "
                + LineList(OtherType) + ".\r\n";
        if (!Malformed.empty()) {
            text += std::to_string(Malformed.size()) + " row(s) were skipped:";
            for (const std::string& row : Malformed)
                text += "\r\n  " + row;
            text += "\r\n";
        }
        for (std::size_t i = 0; i < BySystem.size(); ++i)
            if (!BySystem[i].empty() && kept)
                text += std::to_string(BySystem[i].size()) + " row(s) in " + systemWords[i]
                    + " coordinates were left out (line(s) " + LineList(BySystem[i])
                    + "): the file is opened in " + systemWords[*kept] + " coordinates.\r\n";
        return text.empty() ? text : "File  " + std::string(path) + ":\r\n" + text;
    }
};

// The system index (0 specimen, 1 geographic, 2 tilt-corrected) of an `aniso_tilt_correction`
// cell; an empty cell means specimen coordinates.
std::optional<int> SystemOfCell(std::string_view cell)
{
    double value = 0;
    if (TrimBlanks(cell).empty())
        return 0;
    if (!ParseNumber(cell, value))
        return std::nullopt;
    if (value == -1)
        return 0;
    if (value == 0)
        return 1;
    if (value == 100)
        return 2;
    return std::nullopt;
}

struct MagicRow
{
    int Line = 0;
    int System = 0;
    model::SpecimenRecord Record;
};

void AppendNumber(std::string& out, double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendNumber(std::string& out, float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// A name as a table cell: tabs and line ends would break the row.
void AppendCell(std::string& out, std::string_view text)
{
    for (const char c : text)
        out += c == '\t' || c == '\r' || c == '\n' ? '_' : c;
}

template<typename Write> void ForWritten(const model::Records& records, bool selectedOnly, Write w)
{
    for (const model::SpecimenRecord& r : records)
        if (!selectedOnly || r.Selected)
            w(r);
}

} // namespace

bool IsMagicTable(std::string_view head)
{
    if (head.starts_with("\xEF\xBB\xBF"))
        head.remove_prefix(3);
    const std::string_view line = head.substr(0, head.find_first_of("\r\n"));
    const std::size_t tab = line.find('\t');
    return tab != std::string_view::npos && TrimBlanks(line.substr(0, tab)) == "tab"
        && TrimBlanks(line.substr(tab + 1)) == "specimens";
}

bool LooksLikeSFile(std::string_view bytes)
{
    LineCursor lines(bytes);
    std::vector<std::string_view> fields;
    std::string_view line;
    bool any = false;
    double value = 0;
    while (lines.next(line)) {
        SplitBlanks(line, fields);
        if (fields.empty())
            continue;
        if (fields.size() != 6 && fields.size() != 7)
            return false;
        for (const std::string_view field : fields)
            if (!ParseNumber(field, value))
                return false;
        any = true;
    }
    return any;
}

model::Result<DataImport> ReadMagicTable(std::string_view bytes, std::string_view path,
                                         model::Records& loaded, int start,
                                         const OrientationDefaults& defaults)
{
    assert(start >= 1 && static_cast<std::size_t>(start) <= loaded.size() + 1);
    if (bytes.empty())
        return EmptyFileMessage(path);
    if (!IsMagicTable(bytes))
        return InputError("File  " + std::string(path)
                          + "  is not a MagIC specimens table: its first line is not \"tab\" and "
                            "\"specimens\" separated by a tab.");
    LineCursor lines(bytes);
    std::string_view line;
    (void)lines.next(line);
    std::vector<std::string_view> fields;
    if (!lines.next(line))
        return InputError("File  " + std::string(path) + "  has no column names.");
    Split(line, '\t', fields);
    enum Column { Specimen, Type, S, Mean, Sigma, Tilt, Count };
    static constexpr const char* names[Count]
        = {"specimen",     "aniso_type",    "aniso_s",
           "aniso_s_mean", "aniso_s_sigma", "aniso_tilt_correction"};
    std::array<std::size_t, Count> column;
    column.fill(std::string_view::npos);
    for (std::size_t i = 0; i < fields.size(); ++i)
        for (int c = 0; c < Count; ++c)
            if (TrimBlanks(fields[i]) == names[c] && column[c] == std::string_view::npos)
                column[c] = i;
    if (column[Specimen] == std::string_view::npos || column[S] == std::string_view::npos)
        return InputError("File  " + std::string(path)
                          + "  has no AMS data: the columns \"specimen\" and \"aniso_s\" are "
                            "needed.");

    std::vector<MagicRow> rows;
    SkippedRows skipped;
    std::vector<std::string_view> elements;
    std::array<bool, 3> present {};
    int firstSystem = -1;
    for (int number = 3; lines.next(line); ++number) {
        if (line.starts_with(TableSeparator))
            break;
        if (TrimBlanks(line).empty())
            continue;
        Split(line, '\t', fields);
        const auto cell = [&](Column c) {
            return column[c] < fields.size() ? TrimBlanks(fields[column[c]]) : std::string_view();
        };
        const std::string_view type = cell(Type);
        if (!type.empty() && type != "AMS") {
            skipped.OtherType.push_back(number);
            continue;
        }
        const auto malformed = [&](const std::string& why) {
            skipped.Malformed.push_back("line " + std::to_string(number) + ": " + why);
        };
        std::string name = NameWithoutBlanks(cell(Specimen));
        if (name.empty()) {
            malformed("no specimen name");
            continue;
        }
        Split(cell(S), ':', elements);
        Tensor s {};
        bool numbers = elements.size() == 6;
        for (std::size_t i = 0; numbers && i < 6; ++i)
            numbers = ParseNumber(elements[i], s[i]);
        if (!numbers) {
            malformed("aniso_s of " + name + " is not six finite numbers");
            continue;
        }
        double factor = 0;
        if (const auto problem = TensorProblem(s, factor)) {
            malformed("aniso_s of " + name + " has " + *problem);
            continue;
        }
        const std::optional<int> system = SystemOfCell(cell(Tilt));
        if (!system) {
            malformed("aniso_tilt_correction of " + name + " is not -1, 0 or 100");
            continue;
        }
        double mean = 0, sigma = 0;
        std::optional<double> kmMicro;
        if (ParseNumber(cell(Mean), mean) && std::isfinite(mean * 1e6))
            kmMicro = mean * 1e6;
        if (!ParseNumber(cell(Sigma), sigma))
            sigma = 0;
        present[*system] = true;
        if (firstSystem < 0)
            firstSystem = *system;
        rows.push_back(
            {number, *system,
             ExchangeRecord(std::move(name), s, factor, kmMicro, sigma, *system == 0, defaults)});
    }

    const int kept = present[1] ? 1 : firstSystem;
    model::Records read;
    read.reserve(rows.size());
    for (MagicRow& row : rows) {
        if (row.System == kept)
            read.push_back(std::move(row.Record));
        else
            skipped.BySystem[row.System].push_back(row.Line);
    }
    if (read.empty())
        return InputError("File  " + std::string(path)
                          + "  holds no AMS specimen that can be "
                            "read.\r\n"
                          + skipped.Text(path, std::nullopt));
    const long long total = start - 1 + static_cast<long long>(read.size());
    if (total > model::MaxLoadedRecords)
        return TooManyRecords(path, total);

    DataImport result;
    result.Count = static_cast<int>(read.size());
    static constexpr math::CoordinateSystem systems[]
        = {math::CoordinateSystem::Specimen, math::CoordinateSystem::Geographic,
           math::CoordinateSystem::Paleogeographic};
    result.System = systems[kept];
    if (const std::string text = skipped.Text(path, kept); !text.empty())
        result.Notice = InputError(text, model::MessageIcon::Exclamation);
    Append(loaded, start, read);
    return result;
}

model::Result<DataImport> ReadSFile(std::string_view bytes, std::string_view path,
                                    model::Records& loaded, int start,
                                    const OrientationDefaults& defaults)
{
    assert(start >= 1 && static_cast<std::size_t>(start) <= loaded.size() + 1);
    if (bytes.empty())
        return EmptyFileMessage(path);
    std::string_view stem = path.substr(path.find_last_of('/') + 1);
    stem = stem.substr(0, stem.rfind('.'));
    const std::string prefix = NameWithoutBlanks(stem);

    LineCursor lines(bytes);
    std::string_view line;
    std::vector<std::string_view> fields;
    model::Records read;
    for (int number = 1; lines.next(line); ++number) {
        SplitBlanks(line, fields);
        if (fields.empty())
            continue;
        const auto refuse = [&](const std::string& why) {
            return InputError("File  " + std::string(path) + "  cannot be read: line "
                              + std::to_string(number) + " " + why + ".");
        };
        if (fields.size() != 6 && fields.size() != 7)
            return refuse("does not hold six tensor elements and an optional standard error");
        Tensor s {};
        double sigma = 0;
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (!ParseNumber(fields[i], i < 6 ? s[i] : sigma))
                return refuse("holds \"" + std::string(fields[i]) + "\", not a finite number");
        double factor = 0;
        if (const auto problem = TensorProblem(s, factor))
            return refuse("has " + *problem);
        if (start + static_cast<long long>(read.size()) > model::MaxLoadedRecords)
            return TooManyRecords(path, start + static_cast<long long>(read.size()));
        read.push_back(ExchangeRecord(prefix + "-" + std::to_string(number), s, factor,
                                      std::nullopt, sigma, true, defaults));
    }
    if (read.empty())
        return model::UserMessage {"File is empty"};
    DataImport result;
    result.Count = static_cast<int>(read.size());
    result.System = math::CoordinateSystem::Specimen;
    Append(loaded, start, read);
    return result;
}

std::optional<int> TiltCorrectionCode(math::CoordinateSystem system)
{
    switch (system) {
    case math::CoordinateSystem::Specimen:
        return -1;
    case math::CoordinateSystem::Geographic:
        return 0;
    case math::CoordinateSystem::Paleogeographic:
        return 100;
    case math::CoordinateSystem::Tectonic:
        break;
    }
    return std::nullopt;
}

std::string EncodeMagicTable(const model::Records& records, int tiltCorrection, bool selectedOnly)
{
    std::string out = "tab\tspecimens\n";
    for (const char* name : MagicColumns)
        out.append(name).append(name == MagicColumns[std::size(MagicColumns) - 1] ? "\n" : "\t");
    out.reserve(out.size() + records.size() * 200);
    const std::string tilt = std::to_string(tiltCorrection);
    ForWritten(records, selectedOnly, [&](const model::SpecimenRecord& r) {
        const double trace = double(r.K11) + double(r.K22) + double(r.K33);
        // Our tensors have trace 3: a third of each element keeps it exactly.
        const double divisor = std::fabs(trace - 3) <= 3e-5 || !(trace > 0) ? 3 : trace;
        AppendCell(out, r.Name);
        out += '\t';
        AppendCell(out, r.Name);
        out += "\tAMS\t";
        const float k[] = {r.K11, r.K22, r.K33, r.K12, r.K23, r.K13};
        for (std::size_t i = 0; i < 6; ++i) {
            AppendNumber(out, double(k[i]) / divisor);
            out += i < 5 ? ':' : '\t';
        }
        AppendNumber(out, double(r.NormFactor) * trace / 3 * 1e-6);
        out += "\tSI\t";
        if (r.Sigma > 0)
            AppendNumber(out, double(r.Sigma) / divisor);
        out += "\t\t" + tilt + "\tLP-X\tThis study\tg\n";
    });
    return out;
}

model::Status WriteMagicTable(const std::string& path, const model::Records& records,
                              int tiltCorrection, bool selectedOnly)
{
    return model::WriteFileAtomically(path,
                                      EncodeMagicTable(records, tiltCorrection, selectedOnly));
}

std::string EncodeSFile(const model::Records& records, bool selectedOnly)
{
    std::string out;
    out.reserve(records.size() * 100);
    ForWritten(records, selectedOnly, [&](const model::SpecimenRecord& r) {
        const float k[] = {r.K11, r.K22, r.K33, r.K12, r.K23, r.K13};
        for (std::size_t i = 0; i < 6; ++i) {
            AppendNumber(out, k[i]);
            out += i < 5 ? " " : "";
        }
        if (r.Sigma > 0) {
            out += ' ';
            AppendNumber(out, r.Sigma);
        }
        out += '\n';
    });
    return out;
}

model::Status WriteSFile(const std::string& path, const model::Records& records, bool selectedOnly)
{
    return model::WriteFileAtomically(path, EncodeSFile(records, selectedOnly));
}

} // namespace tesmor::formats
