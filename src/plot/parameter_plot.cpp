#include "plot/parameter_plot.h"

#include "model/number_text.h"
#include "plot/symbols.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tesmor::plot {

namespace {

using model::SpecimenRecord;

constexpr double Unbounded = std::numeric_limits<double>::quiet_NaN();

// Smallest and largest finite value; nothing when there is none.
std::optional<std::pair<double, double>> FiniteRange(const std::vector<double>& values)
{
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (lo > hi)
        return std::nullopt;
    return std::pair {lo, hi};
}

// A fixed bound replaces the data's where it is given (not NaN). Without any finite value the
// range starts at the fixed lower bound, or 0, and has no width (widened later).
void SetRange(double& lo, double& hi, const std::vector<double>& values, double fixedLo,
              double fixedHi)
{
    const auto data = FiniteRange(values);
    const double start = std::isnan(fixedLo) ? 0.0 : fixedLo;
    lo = std::isnan(fixedLo) ? (data ? data->first : start) : fixedLo;
    hi = std::isnan(fixedHi) ? (data ? data->second : start) : fixedHi;
}

void Widen(double& lo, double& hi)
{
    if (hi == lo)
        hi = lo + 1;
}

void FillFirstPlot(PlotData& d, int kind, std::span<const SpecimenRecord> records)
{
    for (const SpecimenRecord& r : records) {
        const double km = static_cast<float>(r.Km / 1.0e6f);
        switch (kind) {
        case plotkind::PKm:
            d.x.push_back(km);
            d.y.push_back(r.P);
            break;
        case plotkind::PjKm:
            d.x.push_back(km);
            d.y.push_back(r.Pj);
            break;
        case plotkind::PLogKm:
            d.x.push_back(km > 0 ? std::log10(km) : Unbounded);
            d.y.push_back(r.P);
            break;
        default:
            d.x.push_back(r.Field);
            d.y.push_back(km);
            break;
        }
    }
    if (kind == plotkind::HKm) {
        const auto range = FiniteRange(d.y);
        const double smallest = range ? range->first : 0.0;
        for (double& y : d.y)
            y = smallest != 0 ? y / smallest : Unbounded;
        SetRange(d.xMin, d.xMax, d.x, 0, Unbounded);
        SetRange(d.yMin, d.yMax, d.y, Unbounded, Unbounded);
        d.axes = {"H",
                  " [A/m]",
                  LabelFormat::Whole,
                  NamePlacement::Centred,
                  "K / Kmin",
                  LabelFormat::ThreeDecimals,
                  false};
        d.xAxisAtY = d.yMin;
        d.yAxisAtX = 0;
        return;
    }
    SetRange(d.xMin, d.xMax, d.x, Unbounded, Unbounded);
    SetRange(d.yMin, d.yMax, d.y, 1, Unbounded);
    const bool log = kind == plotkind::PLogKm;
    d.axes = {log ? "Log Km" : "Km",
              log ? "" : " [SI]",
              log ? LabelFormat::ThreeDecimals : LabelFormat::Scientific,
              NamePlacement::Centred,
              kind == plotkind::PjKm ? "Pj" : "P",
              LabelFormat::ThreeDecimals,
              false};
    d.xAxisAtY = 1;
    d.yAxisAtX = d.xMin;
}

void FillSecondPlot(PlotData& d, int kind, std::span<const SpecimenRecord> records)
{
    for (const SpecimenRecord& r : records) {
        switch (kind) {
        case plotkind::PT:
            d.x.push_back(r.P);
            d.y.push_back(r.T);
            break;
        case plotkind::PjT:
            d.x.push_back(r.Pj);
            d.y.push_back(r.T);
            break;
        case plotkind::LF:
            d.x.push_back(r.F);
            d.y.push_back(r.L);
            break;
        default:
            d.x.push_back(r.P);
            d.y.push_back(r.U);
            break;
        }
    }
    if (kind == plotkind::LF) {
        SetRange(d.xMin, d.xMax, d.x, 1, Unbounded);
        SetRange(d.yMin, d.yMax, d.y, 1, Unbounded);
        const double M = std::max(d.xMax, d.yMax);
        d.xMax = M;
        d.yMax = M;
        d.axes = {"F",
                  "",
                  LabelFormat::ThreeDecimals,
                  NamePlacement::Right,
                  "L",
                  LabelFormat::ThreeDecimals,
                  true};
        d.xAxisAtY = 1;
        d.yAxisAtX = 1;
        return;
    }
    SetRange(d.xMin, d.xMax, d.x, 1, Unbounded);
    d.yMin = -1;
    d.yMax = 1;
    d.axes = {kind == plotkind::PjT ? "Pj" : "P",
              "",
              LabelFormat::ThreeDecimals,
              NamePlacement::Right,
              kind == plotkind::PU ? "U" : "T",
              LabelFormat::Whole,
              false};
    d.xAxisAtY = 0;
    d.yAxisAtX = 1;
}

std::string Fixed(double value, int decimals)
{
    char buffer[64];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return model::FormatScientific(static_cast<float>(value));
    return std::string(buffer, result.ptr);
}

} // namespace

std::string FormatLabel(double value, LabelFormat format)
{
    if (!std::isfinite(value))
        return "";
    switch (format) {
    case LabelFormat::Scientific:
        return model::FormatScientific(static_cast<float>(value));
    case LabelFormat::Whole:
        return Fixed(value, 0);
    case LabelFormat::ThreeDecimals:
        break;
    }
    return Fixed(value, 3);
}

std::optional<PlotData> PrepareParameterPlot(int plot, int kind,
                                             std::span<const model::SpecimenRecord> records)
{
    if ((plot != 1 && plot != 2) || kind < 1 || kind > 4)
        return std::nullopt;
    PlotData d;
    d.x.reserve(records.size());
    d.y.reserve(records.size());
    d.selected.reserve(records.size());
    for (const SpecimenRecord& r : records)
        d.selected.push_back(r.Selected ? 1 : 0);
    if (plot == 1)
        FillFirstPlot(d, kind, records);
    else
        FillSecondPlot(d, kind, records);
    Widen(d.xMin, d.xMax);
    Widen(d.yMin, d.yMax);
    return d;
}

Colour PlotFillColour(ColourScheme scheme)
{
    return scheme == ColourScheme::BlackAndWhite ? Colour {128, 128, 128} : Colour {0, 255, 255};
}

WorldPoint PlotToCanvas(const PlotStyle& style, const PlotData& data, double x, double y)
{
    double xMin = data.xMin;
    double xMax = data.xMax;
    double yMin = data.yMin;
    double yMax = data.yMax;
    Widen(xMin, xMax);
    Widen(yMin, yMax);
    const double u = (x - xMin) / (xMax - xMin);
    const double v = (y - yMin) / (yMax - yMin);
    return MapLinear({u, v}, {0, 0}, {1, 1}, {style.left, style.bottom},
                     {style.left + style.width, style.bottom - style.height});
}

void DrawParameterPlot(Canvas& canvas, const PlotStyle& style, const PlotData& data)
{
    const double sx = style.width / 320.0;
    const double sy = style.height / 200.0;
    const auto nearest = [](double v) { return static_cast<int>(model::RoundHalfEven(v)); };
    const Colour ink = style.axisColour;
    const int h = style.textHeight;
    const PlotAxes& axes = data.axes;

    // The x axis with its end ticks, end values and name.
    const WorldPoint x0 = PlotToCanvas(style, data, data.xMin, data.xAxisAtY);
    const WorldPoint x1 = PlotToCanvas(style, data, data.xMax, data.xAxisAtY);
    DrawSegment(canvas, x0.x, x0.y, x1.x, x1.y, PenStyle::Solid, ink, style.axisWidth);
    DrawSymbol(canvas, DownTick, x0.x, x0.y, nearest(8 * sx), ink, ink);
    DrawSymbol(canvas, DownTick, x1.x, x1.y, nearest(8 * sx), ink, ink);
    const TextAlign centreTop {HAlign::Centre, VAlign::Top};
    DrawLabel(canvas, FormatLabel(data.xMin, axes.xFormat), x0.x, x0.y + 8 * sy, h, 400, ink,
              centreTop);
    DrawLabel(canvas, FormatLabel(data.xMax, axes.xFormat), x1.x, x1.y + 8 * sy, h, 400, ink,
              centreTop);
    const double nameX
        = axes.xNamePlacement == NamePlacement::Right ? x1.x + 35 * sx : (x0.x + x1.x) / 2;
    DrawLabel(canvas, axes.xName + axes.xUnit, nameX, x1.y + 8 * sy, h, 700, ink, centreTop);

    // The y axis.
    const WorldPoint y0 = PlotToCanvas(style, data, data.yAxisAtX, data.yMin);
    const WorldPoint y1 = PlotToCanvas(style, data, data.yAxisAtX, data.yMax);
    DrawSegment(canvas, y0.x, y0.y, y1.x, y1.y, PenStyle::Solid, ink, style.axisWidth);
    DrawSymbol(canvas, LeftTick, y0.x, y0.y, nearest(8 * sy), ink, ink);
    DrawSymbol(canvas, LeftTick, y1.x, y1.y, nearest(8 * sy), ink, ink);
    const TextAlign rightBaseline {HAlign::Right, VAlign::Baseline};
    DrawLabel(canvas, FormatLabel(data.yMin, axes.yFormat), y0.x - 8 * sy, y0.y + 4 * sx, h, 400,
              ink, rightBaseline);
    DrawLabel(canvas, FormatLabel(data.yMax, axes.yFormat), y1.x - 8 * sy, y1.y + 4 * sx, h, 400,
              ink, rightBaseline);
    DrawLabel(canvas, axes.yName, y1.x - 30 * sy, y1.y - 15 * sx, h, 700, ink,
              {HAlign::Left, VAlign::Baseline});

    if (axes.diagonal) {
        const WorldPoint from = PlotToCanvas(style, data, data.yAxisAtX, data.xAxisAtY);
        const WorldPoint to = PlotToCanvas(style, data, data.xMax, data.yMax);
        DrawSegment(canvas, from.x, from.y, to.x, to.y, PenStyle::Dash, ink, style.axisWidth);
    }

    for (int pass = 0; pass < 2; ++pass) {
        const Colour fill = pass == 0 ? style.fill : Red;
        for (std::size_t i = 0; i < data.x.size() && i < data.y.size(); ++i) {
            const bool selected = i < data.selected.size() && data.selected[i];
            if (selected != (pass == 1) || !std::isfinite(data.x[i]) || !std::isfinite(data.y[i]))
                continue;
            const WorldPoint p = PlotToCanvas(style, data, data.x[i], data.y[i]);
            DrawSymbol(canvas, style.shape, p.x, p.y, style.symbolSize, fill, style.outline);
        }
    }
}

} // namespace tesmor::plot
