#include "app/cell_text.h"

#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tesmor::app {

std::optional<double> CellNumber(std::string_view text)
{
    const std::string trimmed = model::Trim(text);
    std::string_view s = trimmed;
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
            return std::nullopt;
        }
    }
    if (s.empty()) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    // from_chars also reads "inf" and "nan"; a cell must hold a finite number, all of it.
    if (ec != std::errc {} || end != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<float> CellFloat(std::string_view text)
{
    const auto value = CellNumber(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

std::optional<std::int16_t> CellInt16(std::string_view text)
{
    const auto value = CellNumber(text);
    std::int16_t out = 0;
    if (!value || !model::RoundToInt16(*value, out)) {
        return std::nullopt;
    }
    return out;
}

std::string CellErrorMessage(int row, std::string_view column, std::string_view text,
                             std::string_view expected)
{
    return "Row " + std::to_string(row) + ", column \"" + std::string(column) + "\": \""
        + std::string(text) + "\" is not " + std::string(expected) + ".";
}

GridCell MoveInGrid(GridCell from, GridKey key, int rows, int columns)
{
    GridCell to = from;
    switch (key) {
    case GridKey::Enter:
        if (from.column < columns) {
            ++to.column;
        } else {
            to.column = 1;
            to.row = from.row < rows ? from.row + 1 : 1;
        }
        break;
    case GridKey::Left:
        to.column = std::max(1, from.column - 1);
        break;
    case GridKey::Right:
        to.column = std::min(columns, from.column + 1);
        break;
    case GridKey::Up:
        to.row = std::max(1, from.row - 1);
        break;
    case GridKey::Down:
        to.row = std::min(rows, from.row + 1);
        break;
    }
    return to;
}

} // namespace tesmor::app
