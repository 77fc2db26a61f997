#include "cli/options.h"

#include "model/number_text.h"

#include <charconv>
#include <limits>

namespace tesmor::cli {

std::optional<math::CoordinateSystem> ParseCoordinateSystem(std::string_view text)
{
    using math::CoordinateSystem;
    for (auto system : {CoordinateSystem::Specimen, CoordinateSystem::Geographic,
                        CoordinateSystem::Paleogeographic, CoordinateSystem::Tectonic})
        if (text == CoordinateSystemName(system))
            return system;
    return std::nullopt;
}

std::string_view CoordinateSystemName(math::CoordinateSystem system)
{
    switch (system) {
    case math::CoordinateSystem::Specimen:
        return "specimen";
    case math::CoordinateSystem::Geographic:
        return "geographic";
    case math::CoordinateSystem::Paleogeographic:
        return "paleogeographic";
    case math::CoordinateSystem::Tectonic:
        return "tectonic";
    }
    return "";
}

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

std::optional<ShowFlags> ParseShowFlags(std::string_view text)
{
    ShowFlags flags {false, false, false, false, false, false, false, false, false, false};
    if (model::Trim(text).empty())
        return flags;
    const std::pair<std::string_view, bool ShowFlags::*> names[] = {
        {"data", &ShowFlags::Data},       {"k1", &ShowFlags::K1},
        {"k2", &ShowFlags::K2},           {"k3", &ShowFlags::K3},
        {"mean", &ShowFlags::Mean},       {"ellipses", &ShowFlags::Ellipses},
        {"poles", &ShowFlags::Poles},     {"circles", &ShowFlags::Circles},
        {"strikes", &ShowFlags::Strikes}, {"lines", &ShowFlags::Lines},
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

model::FileKind KindOfPath(std::string_view path)
{
    using model::FileKind;
    const std::string lower = model::ToLower(path);
    const std::size_t dot = lower.rfind('.');
    const std::size_t slash = lower.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return FileKind::None;
    const std::string_view ext = std::string_view(lower).substr(dot + 1);
    const std::pair<std::string_view, FileKind> kinds[] = {
        {"ran", FileKind::Ams},   {"are", FileKind::Amr},  {"poo", FileKind::Pooled},
        {"asf", FileKind::Ferro}, {"asp", FileKind::Para}, {"pro", FileKind::Pro},
        {"apg", FileKind::Apg},   {"asc", FileKind::Asc},
    };
    for (const auto& [name, kind] : kinds)
        if (ext == name)
            return kind;
    return FileKind::None;
}

namespace {

bool IsBinaryKind(model::FileKind kind)
{
    return kind >= model::FileKind::BinaryAll && kind <= model::FileKind::Para;
}

} // namespace

KindChoice KindOfFiles(const std::vector<std::string>& paths)
{
    KindChoice choice;
    for (const auto& path : paths) {
        const model::FileKind kind = KindOfPath(path);
        if (kind == model::FileKind::None) {
            choice.Problem = "The file " + path
                + " is not a data file (.ran, .are, .poo, .asf, .asp, .pro, .apg or .asc).";
            return choice;
        }
        if (choice.Kind == model::FileKind::None || choice.Kind == kind)
            choice.Kind = kind;
        else if (IsBinaryKind(choice.Kind) && IsBinaryKind(kind))
            choice.Kind = model::FileKind::BinaryAll;
        else {
            choice.Problem = "Files of different kinds cannot be opened together: " + path;
            choice.Kind = model::FileKind::None;
            return choice;
        }
    }
    return choice;
}

} // namespace tesmor::cli
