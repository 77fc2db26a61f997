// Text exports. Every line is a sequence of items placed by print zones (14 columns, starting at
// columns 1, 15, 29, ...) and tab stops, ended by CR LF; the text is Windows-1252.
//
// ASCII table (".txt"), all items in zones:
//   Name Field Freq. Km L F P Pj T U K1dec K1inc K2dec K2inc K3dec K3inc K11 K22 K33 K12 K23 K13
//   one line per record; L .. U rounded to 3 decimals, directions to 1, tensor to 5.
//
// Direction file (".dat"), five items without separator per line:
//   label (Name + ".k1" / ".k2" / ".k3" / "." + type letter), symbol code, symbol size,
//   declination, inclination
//   K1 "3" "69", K2 "6" "69", K3 "1" "69"; planes as great circles "-1" "33" (both groups),
//   planes as poles "13" "33" (group 1) and "14" "33" (group 2), lines "5" "69" and "9" "69".
//
// Mean-direction listing (".txt"), appended to:
//   Name tab(20) Site tab(40) Lat tab(50) Lon tab(60) Rock tab(70) Strat tab(80) Litho tab(90)
//   Region tab(100) N tab(110) Kaver, then in zones Laver .. Uaver (0.000), K1d K1i C1a C1b
//   K2d .. C3b (0.0), K1 K2 K3 Lmean .. Umean (0.000). Kaver is written in SI (FormatScientific).

#include "formats/text_exports.h"

#include "model/codepage.h"
#include "model/file_io.h"
#include "model/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tesmor::formats {

// ---- PrintLine ----

int PrintLine::column() const
{
    return static_cast<int>(m_out.size() - m_lineStart) + 1;
}

PrintLine& PrintLine::text(std::string_view utf8)
{
    m_out += model::Utf8ToCp1252(utf8);
    return *this;
}

PrintLine& PrintLine::number(float x)
{
    const std::string t = NumberText(x);
    if (!t.empty() && t[0] != '-')
        m_out += ' ';
    m_out += t;
    m_out += ' ';
    return *this;
}

PrintLine& PrintLine::zone()
{
    const int p = column();
    const int next = ((p - 1) / ZoneWidth + 1) * ZoneWidth + 1; // first zone start after p
    m_out.append(static_cast<std::size_t>(next - p), ' ');
    return *this;
}

PrintLine& PrintLine::tab(int n)
{
    if (column() > n) {
        m_out += "\r\n";
        m_lineStart = m_out.size();
    }
    m_out.append(static_cast<std::size_t>(n - column()), ' ');
    return *this;
}

std::string NumberText(float x)
{
    return model::ShortestText(x + 0.0f); // + 0 turns -0 into 0
}

double RoundDecimals(double x, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return model::RoundHalfEven(x * scale) / scale;
}

std::string FixedText(double x, int decimals)
{
    const double rounded = RoundDecimals(x, decimals) + 0.0;
    if (!std::isfinite(rounded))
        return model::ShortestText(static_cast<float>(rounded));
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded,
                                      std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return model::ShortestText(static_cast<float>(rounded));
    return std::string(buffer, result.ptr);
}

namespace {

float Rounded(float x, int decimals)
{
    return static_cast<float>(RoundDecimals(x, decimals));
}

bool Written(const model::SpecimenRecord& r, bool selectedOnly)
{
    return !selectedOnly || r.Selected;
}

// ---- ASCII table ----

std::string AsciiHeader()
{
    static constexpr std::array<const char*, 22> names
        = {"Name",  "Field", "Freq.", "Km",    "L",     "F",   "P",   "Pj",  "T",   "U",   "K1dec",
           "K1inc", "K2dec", "K2inc", "K3dec", "K3inc", "K11", "K22", "K33", "K12", "K23", "K13"};
    PrintLine line;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            line.zone();
        line.text(names[i]);
    }
    return line.finish();
}

std::string AsciiRow(const model::SpecimenRecord& r)
{
    PrintLine line;
    line.text(r.Name).zone().number(r.Field).zone().text(r.Freq).zone().number(r.Km);
    for (const float v : {r.L, r.F, r.P, r.Pj, r.T, r.U})
        line.zone().number(Rounded(v, 3));
    for (const float v : {r.K1dec, r.K1inc, r.K2dec, r.K2inc, r.K3dec, r.K3inc})
        line.zone().number(Rounded(v, 1));
    for (const float v : {r.K11, r.K22, r.K33, r.K12, r.K23, r.K13})
        line.zone().number(Rounded(v, 5));
    return line.finish();
}

// ---- direction file ----

std::string DirectionLine(const std::string& label, const char* code, const char* size, float dec,
                          float inc)
{
    PrintLine line;
    line.text(label).text(code).text(size).number(dec).number(inc);
    return line.finish();
}

void DirectionLines(const model::SpecimenRecord& r, const model::DisplayOptions& o,
                    std::string& out)
{
    const std::string plane1 = r.Name + "." + model::LetterText(r.Code1A);
    const std::string plane2 = r.Name + "." + model::LetterText(r.Code2A);
    const bool group1 = r.Code1A != '0';
    const bool group2 = r.Code2A != '0';
    if (o.chcK1)
        out += DirectionLine(r.Name + ".k1", "3", "69", r.K1dec, r.K1inc);
    if (o.chcK2)
        out += DirectionLine(r.Name + ".k2", "6", "69", r.K2dec, r.K2inc);
    if (o.chcK3)
        out += DirectionLine(r.Name + ".k3", "1", "69", r.K3dec, r.K3inc);
    if (o.chcF1C && group1)
        out += DirectionLine(plane1, "-1", "33", r.F1Dec, r.F1Inc);
    if (o.chcF1C && group2)
        out += DirectionLine(plane2, "-1", "33", r.F2Dec, r.F2Inc);
    if (o.chcF1P && group1)
        out += DirectionLine(plane1, "13", "33", r.F1Dec, r.F1Inc);
    if (o.chcF1P && group2)
        out += DirectionLine(plane2, "14", "33", r.F2Dec, r.F2Inc);
    if (o.chcL1 && r.Code1B != '0')
        out += DirectionLine(r.Name + "." + model::LetterText(r.Code1B), "5", "69", r.L1Dec,
                             r.L1Inc);
    if (o.chcL1 && r.Code2B != '0')
        out += DirectionLine(r.Name + "." + model::LetterText(r.Code2B), "9", "69", r.L2Dec,
                             r.L2Inc);
}

// ---- mean-direction listing ----

// The ten leading items and their tab stops, shared by the header and the data lines.
constexpr std::array<int, 9> ListingTabs = {20, 40, 50, 60, 70, 80, 90, 100, 110};

} // namespace

std::string AsciiTableText(const model::Records& records, bool selectedOnly)
{
    std::string out = AsciiHeader();
    for (const model::SpecimenRecord& r : records)
        if (Written(r, selectedOnly))
            out += AsciiRow(r);
    return out;
}

model::Status WriteAsciiTable(const std::string& path, const model::Records& records,
                              bool selectedOnly)
{
    return model::WriteFileAtomically(path, AsciiTableText(records, selectedOnly));
}

std::string DirectionFileText(const model::Records& records, const model::DisplayOptions& options,
                              bool selectedOnly)
{
    std::string out;
    for (const model::SpecimenRecord& r : records)
        if (Written(r, selectedOnly))
            DirectionLines(r, options, out);
    return out;
}

model::Status WriteDirectionFile(const std::string& path, const model::Records& records,
                                 const model::DisplayOptions& options, bool selectedOnly)
{
    return model::WriteFileAtomically(path, DirectionFileText(records, options, selectedOnly));
}

std::string MeanListingHeader()
{
    static constexpr std::array<const char*, 10> lead
        = {"Name", "Site", "Lat", "Lon", "Rock", "Strat", "Litho", "Region", "N", "Kaver"};
    static constexpr std::array<const char*, 27> rest
        = {"Laver", "Faver", "Paver", "Pjaver", "Taver", "Uaver", "K1d",    "K1i",   "C1a",
           "C1b",   "K2d",   "K2i",   "C2a",    "C2b",   "K3d",   "K3i",    "C3a",   "C3b",
           "K1",    "K2",    "K3",    "Lmean",  "Fmean", "Pmean", "Pjmean", "Tmean", "Umean"};
    PrintLine line;
    line.text(lead[0]);
    for (std::size_t i = 1; i < lead.size(); ++i)
        line.tab(ListingTabs[i - 1]).text(lead[i]);
    for (const char* name : rest)
        line.zone().text(name);
    return line.finish();
}

std::string MeanListingLine(const std::string& name, const model::Records& active,
                            const math::GroupStatistics& s)
{
    const model::SpecimenRecord first = active.empty() ? model::SpecimenRecord {} : active[0];
    const std::array<const std::string*, 7> site
        = {&first.Site,  &first.Lat,   &first.Lon,   &first.Rock,
           &first.Strat, &first.Litho, &first.Region};
    PrintLine line;
    line.text(name);
    for (std::size_t i = 0; i < site.size(); ++i)
        line.tab(ListingTabs[i]).text(*site[i]);
    line.tab(100).number(static_cast<float>(active.size()));
    line.tab(110).text(model::FormatScientific(s.Kaver / 1e6f));

    const bool averages = s.N >= math::MinRecordsForAverages;
    for (const float v : {s.Laver, s.Faver, s.Paver, s.Pjaver, s.Taver, s.Uaver})
        line.zone().text(averages ? FixedText(v, 3) : "");
    const std::array<std::array<float, 4>, 3> axes = {
        {{s.K1d, s.K1i, s.C1a, s.C1b}, {s.K2d, s.K2i, s.C2a, s.C2b}, {s.K3d, s.K3i, s.C3a, s.C3b}}};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        for (std::size_t k = 0; k < 4; ++k) {
            const bool defined = s.Tenvar && (k < 2 || s.SemiAnglesDefined[axis]);
            line.zone().text(defined ? FixedText(axes[axis][k], 1) : "");
        }
    }
    for (const float v : {s.K1, s.K2, s.K3, s.Lmean, s.Fmean, s.Pmean, s.Pjmean, s.Tmean, s.Umean})
        line.zone().text(s.Tenvar ? FixedText(v, 3) : "");
    return line.finish();
}

model::Status AppendMeanListing(const std::string& path, const model::Records& active,
                                const math::GroupStatistics& statistics, bool fileExisted,
                                const std::string& name)
{
    std::string content;
    if (model::FileExists(path)) {
        model::Result<std::string> old = model::ReadWholeFile(path);
        if (!old)
            return old.error();
        content = std::move(*old);
    }
    if (!fileExisted)
        content += MeanListingHeader();
    content += MeanListingLine(name, active, statistics);
    return model::WriteFileAtomically(path, content);
}

} // namespace tesmor::formats
