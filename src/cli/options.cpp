#include "cli/options.h"

#include "model/number_text.h"

#include <charconv>
#include <limits>

namespace tesmor::cli {

std::optional<math::Projection> ParseProjection(std::string_view text)
{
    if (text == "equal-area")
        return math::Projection::EqualArea;
    if (text == "equal-angle")
        return math::Projection::EqualAngle;
    return std::nullopt;
}

namespace {

std::vector<std::string_view> SplitCommas(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return parts;
        start = comma + 1;
    }
}

std::optional<std::int16_t> ParseInt16(std::string_view text)
{
    const std::string trimmed = model::Trim(text);
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last
        || value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

} // namespace

std::optional<formats::OrientationDefaults> ParseDefaults(std::string_view text)
{
    const auto parts = SplitCommas(text);
    if (parts.size() != 4)
        return std::nullopt;
    std::int16_t values[4] = {};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto value = ParseInt16(parts[i]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    return formats::OrientationDefaults {values[0], values[1], values[2], values[3]};
}

std::optional<model::DisplayOptions> ParseShowFlags(std::string_view text)
{
    using model::DisplayOptions;
    DisplayOptions flags {false, false, false, false, false, false,
                          false, false, false, false, false};
    if (model::Trim(text).empty())
        return flags;
    const std::pair<std::string_view, bool DisplayOptions::*> names[] = {
        {"data", &DisplayOptions::chcData},
        {"k1", &DisplayOptions::chcK1},
        {"k2", &DisplayOptions::chcK2},
        {"k3", &DisplayOptions::chcK3},
        {"mean", &DisplayOptions::chcMean},
        {"ellipses", &DisplayOptions::chcEllipses},
        {"poles", &DisplayOptions::chcF1P},
        {"circles", &DisplayOptions::chcF1C},
        {"strikes", &DisplayOptions::chcF1S},
        {"lines", &DisplayOptions::chcL1},
        {"contours", &DisplayOptions::chcContours},
    };
    for (std::string_view part : SplitCommas(text)) {
        const std::string name = model::Trim(part);
        bool known = false;
        for (const auto& [flagName, member] : names) {
            if (name == flagName) {
                flags.*member = true;
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
    }
    return flags;
}

} // namespace tesmor::cli
