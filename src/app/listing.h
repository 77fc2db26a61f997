#pragma once

// The text of the record list and of the statistics panel.
//
// A row holds 16 fields separated by one tab each:
//   Name | H (Field, 3, right) | F (Freq, 3, left) | Km/1e6 (scientific, 11, right) |
//   L F P Pj T U ("0.000", 7, right each) | K1d K1i K2d K2i K3d K3i ("0.0", 5 4 5 4 5 4, right)
// Right alignment pads on the left and keeps the rightmost characters of a longer text; left
// alignment pads on the right and keeps the leftmost ones.

#include "app/controls.h"
#include "math/group_statistics.h"
#include "model/specimen_record.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tesmor::app {

// The value rounded half to even to `decimals` places and printed with exactly that many
// decimals and a leading zero ("0.000", "0.0"); never "-0.000".
std::string FormatFixed(double value, int decimals);

std::string AlignRight(std::string_view text, std::size_t width);
std::string AlignLeft(std::string_view text, std::size_t width);

// The header row of the record list.
const std::string& ListingHeader();

// The row of one active record.
std::string ListingRow(const model::SpecimenRecord& record);

// Appends the row of one active record to `row`.
void AppendListingRow(std::string& row, const model::SpecimenRecord& record);

// The header row followed by one row per record.
std::vector<std::string> ListingRows(const std::vector<model::SpecimenRecord>& records);

// The same into `rows`, reusing the memory of the rows it already holds.
void FillListingRows(const std::vector<model::SpecimenRecord>& records,
                     std::vector<std::string>& rows);

inline constexpr const char* NotEnoughRecordsText = "Not enough records for Tenvar statistics";

// When a statistics label shows its figure: always (the number of records), from the fewest
// records of the Tenvar statistics on, or from the fewest records of the averages on.
enum class StatisticsGroup { Count, Tenvar, Averages };

// One label of the "Mean tensor (Tenvar statistics)" group: its control, and its text for `n`
// active records with their statistics.
struct StatisticsLabel
{
    const char* Name;
    Label MainWindowControls::*Control;
    StatisticsGroup Group;
    std::string (*Text)(int n, const math::GroupStatistics& statistics);
};

// The labels in the order the panel fills them.
const std::array<StatisticsLabel, 31>& StatisticsLabels();

// The label's text for `n` active records; empty where the panel shows nothing.
std::string StatisticsText(const StatisticsLabel& label, int n,
                           const math::GroupStatistics& statistics);

// lblStatisticsInfo ("Not enough records for Tenvar statistics") is shown below the fewest
// records of the Tenvar statistics.
bool StatisticsInfoShown(int n);

} // namespace tesmor::app
