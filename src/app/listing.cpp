#include "app/listing.h"

#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tesmor::app {

namespace {

constexpr double Powers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

constexpr std::size_t FixedBufferSize = 40;

// Writes the digits of `value` rounded half to even to `decimals` places so that they end at
// `end`, and returns where they begin. Non-finite and huge values take their shortest text.
char* formatFixedTo(char* end, double value, int decimals)
{
    const double scaled = std::isfinite(value) ? model::RoundHalfEven(value * Powers[decimals]) : 0;
    if (!std::isfinite(value) || std::fabs(scaled) >= 9.0e18) {
        const std::string text = model::ShortestText(static_cast<float>(value));
        const std::size_t size = std::min(text.size(), FixedBufferSize);
        return std::copy_backward(text.begin(), text.begin() + size, end);
    }
    std::uint64_t units = static_cast<std::uint64_t>(std::fabs(scaled));
    char* p = end;
    for (int i = 0; i < decimals; ++i) {
        *--p = char('0' + units % 10);
        units /= 10;
    }
    if (decimals > 0)
        *--p = '.';
    do {
        *--p = char('0' + units % 10);
        units /= 10;
    } while (units != 0);
    if (scaled < 0)
        *--p = '-';
    return p;
}

// A tab, then the text right-aligned in `width` (its rightmost characters when longer).
void appendRight(std::string& row, std::string_view text, std::size_t width)
{
    row += '\t';
    if (text.size() >= width) {
        row.append(text.substr(text.size() - width));
    } else {
        row.append(width - text.size(), ' ');
        row.append(text);
    }
}

void appendFixed(std::string& row, float value, int decimals, std::size_t width)
{
    char buffer[FixedBufferSize];
    char* end = buffer + sizeof buffer;
    const char* begin = formatFixedTo(end, value, decimals);
    appendRight(row, std::string_view(begin, static_cast<std::size_t>(end - begin)), width);
}

// Declination "0.0" right-aligned in 6, " / ", inclination "0.0" right-aligned in 5.
std::string directionText(float dec, float inc)
{
    return AlignRight(FormatFixed(dec, 1), 6) + " / " + AlignRight(FormatFixed(inc, 1), 5);
}

// Undefined semi-angles (a degenerate group for that axis) are shown blank.
std::string semiAngles(const math::GroupStatistics& s, int axis)
{
    if (!s.SemiAnglesDefined[axis])
        return {};
    return FormatFixed(s.SemiAngleA(axis), 1) + " / " + FormatFixed(s.SemiAngleB(axis), 1);
}

std::string scientificSi(float micro)
{
    return model::FormatScientific(micro / 1.0e6f);
}

std::string fixed3(float value)
{
    return FormatFixed(value, 3);
}

using S = math::GroupStatistics;
using C = MainWindowControls;
using G = StatisticsGroup;

// clang-format off
const std::array<StatisticsLabel, 31> Labels = {{
    {"lblN", &C::lblN, G::Count, [](int n, const S&) { return std::to_string(n); }},
    {"lblK1", &C::lblK1, G::Tenvar, [](int, const S& s) { return fixed3(s.K1); }},
    {"lblK2", &C::lblK2, G::Tenvar, [](int, const S& s) { return fixed3(s.K2); }},
    {"lblK3", &C::lblK3, G::Tenvar, [](int, const S& s) { return fixed3(s.K3); }},
    {"lblK1d", &C::lblK1d, G::Tenvar, [](int, const S& s) { return directionText(s.K1d, s.K1i); }},
    {"lblK2d", &C::lblK2d, G::Tenvar, [](int, const S& s) { return directionText(s.K2d, s.K2i); }},
    {"lblK3d", &C::lblK3d, G::Tenvar, [](int, const S& s) { return directionText(s.K3d, s.K3i); }},
    {"lblK1ca", &C::lblK1ca, G::Tenvar, [](int, const S& s) { return semiAngles(s, 0); }},
    {"lblK2ca", &C::lblK2ca, G::Tenvar, [](int, const S& s) { return semiAngles(s, 1); }},
    {"lblK3ca", &C::lblK3ca, G::Tenvar, [](int, const S& s) { return semiAngles(s, 2); }},
    {"lblKmmean", &C::lblKmmean, G::Tenvar, [](int, const S&) { return std::string("N/A"); }},
    {"lblLmean", &C::lblLmean, G::Tenvar, [](int, const S& s) { return fixed3(s.Lmean); }},
    {"lblFmean", &C::lblFmean, G::Tenvar, [](int, const S& s) { return fixed3(s.Fmean); }},
    {"lblPmean", &C::lblPmean, G::Tenvar, [](int, const S& s) { return fixed3(s.Pmean); }},
    {"lblPJmean", &C::lblPJmean, G::Tenvar, [](int, const S& s) { return fixed3(s.Pjmean); }},
    {"lblTmean", &C::lblTmean, G::Tenvar, [](int, const S& s) { return fixed3(s.Tmean); }},
    {"lblUmean", &C::lblUmean, G::Tenvar, [](int, const S& s) { return fixed3(s.Umean); }},
    {"lblKmaver", &C::lblKmaver, G::Averages, [](int, const S& s) { return scientificSi(s.Kaver); }},
    {"lblLaver", &C::lblLaver, G::Averages, [](int, const S& s) { return fixed3(s.Laver); }},
    {"lblFAver", &C::lblFAver, G::Averages, [](int, const S& s) { return fixed3(s.Faver); }},
    {"lblPaver", &C::lblPaver, G::Averages, [](int, const S& s) { return fixed3(s.Paver); }},
    {"lblPjaver", &C::lblPjaver, G::Averages, [](int, const S& s) { return fixed3(s.Pjaver); }},
    {"lblTaver", &C::lblTaver, G::Averages, [](int, const S& s) { return fixed3(s.Taver); }},
    {"lblUaver", &C::lblUaver, G::Averages, [](int, const S& s) { return fixed3(s.Uaver); }},
    {"lblKmsd", &C::lblKmsd, G::Averages, [](int, const S& s) { return scientificSi(s.Ksd); }},
    {"lblLsd", &C::lblLsd, G::Averages, [](int, const S& s) { return fixed3(s.Lsd); }},
    {"lblFsd", &C::lblFsd, G::Averages, [](int, const S& s) { return fixed3(s.Fsd); }},
    {"lblPsd", &C::lblPsd, G::Averages, [](int, const S& s) { return fixed3(s.Psd); }},
    {"lblPJsd", &C::lblPJsd, G::Averages, [](int, const S& s) { return fixed3(s.Pjsd); }},
    {"lblTsd", &C::lblTsd, G::Averages, [](int, const S& s) { return fixed3(s.Tsd); }},
    {"lblUsd", &C::lblUsd, G::Averages, [](int, const S& s) { return fixed3(s.Usd); }},
}};
// clang-format on

} // namespace

std::string FormatFixed(double value, int decimals)
{
    char buffer[FixedBufferSize];
    char* end = buffer + sizeof buffer;
    return std::string(formatFixedTo(end, value, decimals), end);
}

std::string AlignRight(std::string_view text, std::size_t width)
{
    if (text.size() >= width)
        return std::string(text.substr(text.size() - width));
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string AlignLeft(std::string_view text, std::size_t width)
{
    if (text.size() >= width)
        return std::string(text.substr(0, width));
    return std::string(text) + std::string(width - text.size(), ' ');
}

const std::string& ListingHeader()
{
    static const std::string header = "Name\t H\tF\t      Km\t    L\t    F\t    P\t    Pj\t    T\t"
                                      "    U\tK1d\tK1i\tK2d\tK2i\tK3d\tK3i";
    return header;
}

void AppendListingRow(std::string& row, const model::SpecimenRecord& r)
{
    row += r.Name;
    appendRight(row, model::ShortestText(r.Field), 3);
    row += '\t';
    row += AlignLeft(r.Freq, 3);
    appendRight(row, scientificSi(r.Km), 11);
    for (float value : {r.L, r.F, r.P, r.Pj, r.T, r.U})
        appendFixed(row, value, 3, 7);
    const float directions[] = {r.K1dec, r.K1inc, r.K2dec, r.K2inc, r.K3dec, r.K3inc};
    for (int i = 0; i < 6; ++i)
        appendFixed(row, directions[i], 1, i % 2 == 0 ? 5 : 4);
}

std::string ListingRow(const model::SpecimenRecord& record)
{
    std::string row;
    AppendListingRow(row, record);
    return row;
}

void FillListingRows(const std::vector<model::SpecimenRecord>& records,
                     std::vector<std::string>& rows)
{
    rows.resize(records.size() + 1);
    rows[0] = ListingHeader();
    for (std::size_t i = 0; i < records.size(); ++i) {
        rows[i + 1].clear();
        AppendListingRow(rows[i + 1], records[i]);
    }
}

std::vector<std::string> ListingRows(const std::vector<model::SpecimenRecord>& records)
{
    std::vector<std::string> rows;
    FillListingRows(records, rows);
    return rows;
}

const std::array<StatisticsLabel, 31>& StatisticsLabels()
{
    return Labels;
}

bool StatisticsInfoShown(int n)
{
    return n < math::MinRecordsForTenvar;
}

std::string StatisticsText(const StatisticsLabel& label, int n,
                           const math::GroupStatistics& statistics)
{
    const bool shown = label.Group == StatisticsGroup::Count
        || (label.Group == StatisticsGroup::Tenvar && n >= math::MinRecordsForTenvar)
        || (label.Group == StatisticsGroup::Averages && n >= math::MinRecordsForAverages);
    return shown ? label.Text(n, statistics) : std::string();
}

} // namespace tesmor::app
