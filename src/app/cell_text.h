#pragma once

// The values typed into the cells of the table view and the geological-data editor. A cell
// becomes a record field only when its whole text is a value of the field's kind; anything else
// refuses the save with a message that names the row and the column, so that a typing slip can
// never reach a file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tesmor::app {

// A finite decimal number making up the whole text (blanks around it allowed, an optional sign,
// an optional exponent): "57", " -2.5 ", "1.3E-04". Empty text, "abc", "5x", "inf" and "nan"
// give nothing.
std::optional<double> CellNumber(std::string_view text);

// A 32-bit float field: a cell number that fits a float.
std::optional<float> CellFloat(std::string_view text);

// A 16-bit integer field (angles): a cell number rounded to nearest, ties to even, that fits.
std::optional<std::int16_t> CellInt16(std::string_view text);

// The header boxes of both windows (site, latitude, longitude, rock, stratigraphy,
// lithostratigraphy, region, then the four orientation parameters) from the first record or
// entry of what they show.
template<typename Header, typename Source> Header HeaderTextsOf(const Source& first)
{
    return {first.Site,
            first.Lat,
            first.Lon,
            first.Rock,
            first.Strat,
            first.Litho,
            first.Region,
            std::to_string(first.P1),
            std::to_string(first.P2),
            std::to_string(first.P3),
            std::to_string(first.P4)};
}

// The message refusing a cell: Row 3, column "K12": "abc" is not a number.
// `expected` completes "is not ..." ("a number", "an angle from -32768 to 32767").
std::string CellErrorMessage(int row, std::string_view column, std::string_view text,
                             std::string_view expected);

// Moving the current cell of an editing grid whose data rows are 1..rows and data columns
// 1..columns (row 0 holds the titles, column 0 the row numbers). Enter goes to the next column,
// from the last column to column 1 of the next row, and from the last cell back to row 1,
// column 1; the arrows go to the neighbouring cell and stop at the edges.
enum class GridKey { Enter, Left, Right, Up, Down };
struct GridCell
{
    int row = 1;
    int column = 1;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};
GridCell MoveInGrid(GridCell from, GridKey key, int rows, int columns);

} // namespace tesmor::app
