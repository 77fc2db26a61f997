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

void fillTenvar(StatisticsPanel& p, const math::GroupStatistics& s)
{
    p.K1 = FormatFixed(s.K1, 3);
    p.K2 = FormatFixed(s.K2, 3);
    p.K3 = FormatFixed(s.K3, 3);
    p.K1d = directionText(s.K1d, s.K1i);
    p.K2d = directionText(s.K2d, s.K2i);
    p.K3d = directionText(s.K3d, s.K3i);
    p.K1ca = semiAngles(s, 0);
    p.K2ca = semiAngles(s, 1);
    p.K3ca = semiAngles(s, 2);
    p.Kmmean = "N/A";
    p.Lmean = FormatFixed(s.Lmean, 3);
    p.Fmean = FormatFixed(s.Fmean, 3);
    p.Pmean = FormatFixed(s.Pmean, 3);
    p.PJmean = FormatFixed(s.Pjmean, 3);
    p.Tmean = FormatFixed(s.Tmean, 3);
    p.Umean = FormatFixed(s.Umean, 3);
}

void fillAverages(StatisticsPanel& p, const math::GroupStatistics& s)
{
    p.Kmaver = scientificSi(s.Kaver);
    p.Laver = FormatFixed(s.Laver, 3);
    p.FAver = FormatFixed(s.Faver, 3);
    p.Paver = FormatFixed(s.Paver, 3);
    p.Pjaver = FormatFixed(s.Pjaver, 3);
    p.Taver = FormatFixed(s.Taver, 3);
    p.Uaver = FormatFixed(s.Uaver, 3);
    p.Kmsd = scientificSi(s.Ksd);
    p.Lsd = FormatFixed(s.Lsd, 3);
    p.Fsd = FormatFixed(s.Fsd, 3);
    p.Psd = FormatFixed(s.Psd, 3);
    p.PJsd = FormatFixed(s.Pjsd, 3);
    p.Tsd = FormatFixed(s.Tsd, 3);
    p.Usd = FormatFixed(s.Usd, 3);
}

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

StatisticsPanel MakeStatisticsPanel(int n, const math::GroupStatistics& statistics)
{
    StatisticsPanel panel;
    panel.N = std::to_string(n);
    panel.infoShown = n < math::MinRecordsForTenvar;
    if (!panel.infoShown)
        fillTenvar(panel, statistics);
    if (n >= math::MinRecordsForAverages)
        fillAverages(panel, statistics);
    return panel;
}

} // namespace tesmor::app
