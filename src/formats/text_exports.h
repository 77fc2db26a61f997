#pragma once

// Text exports: the ASCII table of the records, the direction file of an external stereonet
// program (".dat") and the cumulative listing of mean directions. Lines are laid out in print
// zones and tab stops (PrintLine), end in CR LF and hold Windows-1252 text.

#include "math/group_statistics.h"
#include "model/data_set.h"
#include "model/display_options.h"
#include "model/result.h"

#include <string>
#include <string_view>

namespace tesmor::formats {

// One or more output lines built from items, each placed by the separator before it:
// - zone(): the next item starts at the next print-zone start after the current position
//   (zones are 14 characters wide and start at columns 1, 15, 29, ...; 1-based); an item that
//   fills its zone exactly is followed by one empty zone, so items never touch;
// - tab(n): the next item starts at column n, or on a new line at column n when the line is
//   already past it;
// - nothing: the next item follows immediately.
// Text items are written as they are; numbers in their shortest decimal form with a blank
// before non-negative values (the place of the sign) and one blank after.
class PrintLine
{
public:
    static constexpr int ZoneWidth = 14;

    PrintLine& text(std::string_view utf8);
    PrintLine& number(float x);
    PrintLine& zone();
    PrintLine& tab(int column);

    // The lines written so far, ending in CR LF.
    std::string finish() const { return m_out + "\r\n"; }

private:
    int column() const; // 1-based column of the next character
    std::string m_out;
    std::size_t m_lineStart = 0;
};

// The number text of PrintLine::number without the blanks around it.
std::string NumberText(float x);

// x rounded to `decimals` decimals, ties to even.
double RoundDecimals(double x, int decimals);

// x rounded to `decimals` decimals and written with exactly that many ("0.000").
std::string FixedText(double x, int decimals);

// The ASCII table: a header line of names and one line per record (every record, or only those
// with `Selected`): Name, Field, Freq, Km, L F P Pj T U to 3 decimals, the principal directions
// to 1 decimal, the tensor to 5 decimals, all in print zones.
std::string AsciiTableText(const model::Records& records, bool selectedOnly);
model::Status WriteAsciiTable(const std::string& path, const model::Records& records,
                              bool selectedOnly);

// The direction file: per record (every record, or only the selected ones) one line per axis
// and structure that the display options show (chcK1-chcK3, chcF1C, chcF1P, chcL1): label, symbol
// code, symbol size, declination, inclination.
std::string DirectionFileText(const model::Records& records, const model::DisplayOptions& options,
                              bool selectedOnly);
model::Status WriteDirectionFile(const std::string& path, const model::Records& records,
                                 const model::DisplayOptions& options, bool selectedOnly);

// The header line of the mean-direction listing.
std::string MeanListingHeader();

// One line of the mean-direction listing: the name typed by the user, the site fields of the
// first active record, N, Kaver in SI and the statistics. Figures that the statistics leave
// undefined (too few records for Tenvar, a degenerate axis) are left blank.
std::string MeanListingLine(const std::string& name, const model::Records& active,
                            const math::GroupStatistics& statistics);

// Appends one line to the listing at `path`, preceded by the header line when the file did not
// exist before (`fileExisted`). The file is copied, extended and renamed over the old one.
model::Status AppendMeanListing(const std::string& path, const model::Records& active,
                                const math::GroupStatistics& statistics, bool fileExisted,
                                const std::string& name);

} // namespace tesmor::formats
