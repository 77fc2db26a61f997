#include "plot/stereonet.h"

#include "math/density_contours.h"
#include "math/parallel.h"
#include "model/number_text.h"
#include "plot/net_curves.h"
#include "plot/symbols.h"

#include <string>

namespace tesmor::plot {

namespace {

using model::SpecimenRecord;

constexpr TextAlign CentreBaseline {HAlign::Centre, VAlign::Baseline};
constexpr TextAlign CentreTop {HAlign::Centre, VAlign::Top};
constexpr TextAlign LeftBaseline {HAlign::Left, VAlign::Baseline};
constexpr TextAlign RightBaseline {HAlign::Right, VAlign::Baseline};
constexpr TextAlign LeftBottom {HAlign::Left, VAlign::Bottom};
constexpr TextAlign RightBottom {HAlign::Right, VAlign::Bottom};

int Nearest(double v)
{
    return static_cast<int>(model::RoundHalfEven(v));
}

// The state shared by the drawing steps of one net.
struct Net
{
    Canvas& canvas;
    const ViewOptions& options;
    const StereonetStyle& style;
    double u; // D / 340: the unit of the fixed pixel sizes
    int labelHeight;
    int lineWidth; // [u] in the pixels of the device the net is shown on
    GreatCircleCache* circles; // null: every circle computed afresh

    WorldPoint at(double x, double y) const { return style.frame.toCanvas(x, y); }

    void label(const std::string& text, double x, double y, int height, Colour colour,
               TextAlign align) const
    {
        const WorldPoint p = at(x, y);
        DrawLabel(canvas, text, p.x, p.y, height, 400, colour, align);
    }

    void symbolAt(int shape, double x, double y, int size, Colour fill, Colour outline) const
    {
        const WorldPoint p = at(x, y);
        DrawSymbol(canvas, shape, p.x, p.y, size, fill, outline);
    }

    void direction(int shape, float dec, float inc, int size, Colour fill, Colour outline,
                   double angle = 0, int penWidth = 1) const
    {
        const NetPoint n = ProjectDirection(options.projection, dec, inc);
        const WorldPoint p = at(n.x, n.y);
        DrawSymbol(canvas, shape, p.x, p.y, size, fill, outline, angle, penWidth);
    }
};

PenStyle FoliationPenStyle(int k)
{
    // Five styles are defined; further types repeat them.
    return static_cast<PenStyle>((k - 1) % 5);
}

void DrawFrameAndLabels(const Net& net, std::size_t count)
{
    const StereonetStyle& st = net.style;
    const NetColours& c = st.colours;
    const NetFrame& f = st.frame;
    DrawDisc(net.canvas, f.cx, f.cy, f.diameter / 2, c.frame);

    const auto system = net.options.coordinateSystem;
    const bool specimen = system == math::CoordinateSystem::Specimen;
    const bool geographic = system == math::CoordinateSystem::Geographic
        || system == math::CoordinateSystem::Paleogeographic;
    if (specimen || geographic) {
        const int h = net.labelHeight;
        net.label(specimen ? "X" : "N", 0, 1.02, h, c.frame, CentreBaseline);
        net.label(specimen ? "Y" : "90", 1.02, -0.03, h, c.frame, LeftBaseline);
        net.label(specimen ? "-X" : "180", 0, -1.02, h, c.frame, CentreTop);
        net.label(specimen ? "-Y" : "270", -1.02, -0.03, h, c.frame, RightBaseline);
    }

    const int tick = Nearest(5 * net.u);
    for (int inc = 10; inc <= 90; inc += 10) {
        for (float dec : {0.0f, 180.0f})
            net.direction(HorizontalLine, dec, static_cast<float>(inc), tick, c.frame, c.frame);
        for (float dec : {90.0f, 270.0f})
            net.direction(VerticalLine, dec, static_cast<float>(inc), tick, c.frame, c.frame);
    }

    const int F = st.fontSize;
    const char* name = system == math::CoordinateSystem::Specimen ? "Specimen"
        : system == math::CoordinateSystem::Geographic            ? "Geographic"
        : system == math::CoordinateSystem::Paleogeographic       ? "Paleogeographic"
        : system == math::CoordinateSystem::Tectonic              ? "Tectonic"
                                                                  : nullptr;
    if (name)
        net.label(name, -1.1, 0.9, F, c.title, LeftBaseline);
    net.label("coordinate", -1.1, 0.8, F, c.title, LeftBaseline);
    net.label("system", -1.1, 0.7, F, c.title, LeftBaseline);

    const auto projection = net.options.projection;
    const char* word = projection == math::Projection::EqualAngle ? "Equal-angle"
        : projection == math::Projection::EqualArea               ? "Equal-area"
                                                                  : nullptr;
    if (word)
        net.label(word, 1.1, 0.9, F, c.title, RightBaseline);
    net.label("projection", 1.1, 0.8, F, c.title, RightBaseline);
    net.label("N=" + std::to_string(count), 1.1, 0.7, F, c.frame, RightBaseline);
}

void DrawLegends(const Net& net)
{
    const NetColours& c = net.style.colours;
    const int S = net.style.symbolSize;
    const int F = net.style.fontSize;
    const struct
    {
        const char* name;
        Colour fill;
        Colour outline;
    } axes[3] = {{"K1", c.k1Fill, c.k1Outline},
                 {"K2", c.k2Fill, c.k2Outline},
                 {"K3", c.k3Fill, c.k3Outline}};
    for (int i = 0; i < 3; ++i) {
        net.label(axes[i].name, -1.0, -0.85 - 0.1 * i, net.labelHeight, c.frame, RightBottom);
        net.symbolAt(i + 1, -0.95, -0.81 - 0.1 * i, S, axes[i].fill, axes[i].outline);
    }

    const auto& foliations = net.options.foliationTypes;
    for (std::size_t i = 0; i < foliations.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        const double y = -0.71 - 0.1 * k;
        net.label(std::string(1, foliations[i]), 0.7, -0.75 - 0.1 * k, F, c.frame, LeftBottom);
        net.symbolAt(30 + k, 0.8, y, S, White, c.foliation);
        const WorldPoint a = net.at(0.85, y);
        const WorldPoint b = net.at(1.05, y);
        DrawSegment(net.canvas, a.x, a.y, b.x, b.y, FoliationPenStyle(k), c.foliation,
                    net.lineWidth);
    }
    const auto& lineations = net.options.lineationTypes;
    for (std::size_t i = 0; i < lineations.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        net.label(std::string(1, lineations[i]), 1.1, -0.75 - 0.1 * k, F, c.frame, LeftBottom);
        net.symbolAt(10 + k, 1.2, -0.71 - 0.1 * k, S, White, c.lineation);
    }
}

struct Plane
{
    float dipDirection;
    float dip;
    float strike; // the stored strike, used for (nearly) horizontal planes
    float strikeInc;
};

void DrawStructures(const Net& net, const SpecimenRecord& r, Colour foliation, Colour lineation)
{
    const DisplayOptions& show = net.options.display;
    const int S = net.style.symbolSize;
    const auto& foliations = net.options.foliationTypes;
    for (std::size_t i = 0; i < foliations.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        const char type = foliations[i];
        Plane plane {};
        if (r.Code1A == type)
            plane = {r.F1Dec, r.F1Inc, r.F1Strike, r.Spare1};
        else if (r.Code2A == type)
            plane = {r.F2Dec, r.F2Inc, r.F2Strike, r.Spare2};
        else
            continue;
        float strike = plane.strike;
        float strikeInc = plane.strikeInc;
        if (plane.dip >= 0.1f) {
            strike = plane.dipDirection - 90.0f;
            if (strike < 0)
                strike += 360.0f;
            strikeInc = 0;
        }
        if (show.chcF1C && net.circles)
            net.circles->Draw(net.canvas, plane.dipDirection, plane.dip, FoliationPenStyle(k),
                              foliation, net.lineWidth);
        else if (show.chcF1C)
            DrawGreatCircle(net.canvas, net.style.frame, net.options.projection, plane.dipDirection,
                            plane.dip, FoliationPenStyle(k), foliation, net.lineWidth);
        if (show.chcF1S) {
            float opposite = strike + 180.0f;
            if (opposite >= 360.0f)
                opposite -= 360.0f;
            net.direction(AzimuthLine, strike, strikeInc, S, White, foliation, strike, 0);
            net.direction(AzimuthLine, opposite, strikeInc, S, White, foliation, opposite, 0);
        }
        if (show.chcF1P) {
            float poleDec = plane.dipDirection + 180.0f;
            if (poleDec >= 360.0f)
                poleDec -= 360.0f;
            net.direction(30 + k, poleDec, 90.0f - plane.dip, S, White, foliation);
        }
    }
    const auto& lineations = net.options.lineationTypes;
    for (std::size_t i = 0; i < lineations.size() && show.chcL1; ++i) {
        const int k = static_cast<int>(i) + 1;
        const char type = lineations[i];
        if (r.Code1B == type)
            net.direction(10 + k, r.L1Dec, r.L1Inc, S, White, lineation);
        else if (r.Code2B == type)
            net.direction(10 + k, r.L2Dec, r.L2Inc, S, White, lineation);
    }
}

void DrawAxes(const Net& net, const SpecimenRecord& r, bool selected)
{
    const DisplayOptions& show = net.options.display;
    const NetColours& c = net.style.colours;
    const int S = net.style.symbolSize;
    if (show.chcK1)
        net.direction(1, r.K1dec, r.K1inc, S, selected ? SelectionColour : c.k1Fill,
                      selected ? Black : c.k1Outline);
    if (show.chcK2)
        net.direction(2, r.K2dec, r.K2inc, S, selected ? SelectionColour : c.k2Fill,
                      selected ? Black : c.k2Outline);
    if (show.chcK3)
        net.direction(3, r.K3dec, r.K3inc, S, selected ? SelectionColour : c.k3Fill,
                      selected ? Black : c.k3Outline);
}

void DrawMeansAndEllipses(const Net& net, const math::GroupStatistics& stats)
{
    const DisplayOptions& show = net.options.display;
    const NetColours& c = net.style.colours;
    const bool axisShown[3] = {show.chcK1, show.chcK2, show.chcK3};
    const Colour fills[3] = {c.k1Fill, c.k2Fill, c.k3Fill};
    const Colour outlines[3] = {c.k1Outline, c.k2Outline, c.k3Outline};
    if (show.chcMean) {
        const int size = Nearest(1.5 * net.style.symbolSize);
        for (int i = 0; i < 3; ++i) {
            if (!axisShown[i])
                continue;
            const math::Direction d = stats.MeanDirection(i);
            net.direction(i + 1, d.Dec, d.Inc, size, fills[i], outlines[i]);
        }
    }
    if (show.chcEllipses && !net.options.regionChosen) {
        for (int i = 0; i < 3; ++i) {
            if (!axisShown[i] || !stats.CurveDefined[static_cast<std::size_t>(i)])
                continue;
            DrawConfidenceEllipse(net.canvas, net.style.frame,
                                  stats.EllipseCurve[static_cast<std::size_t>(i)], 1, fills[i]);
        }
    }
}

// Kamb density contours of each axis shown, in its colour (its outline where the fill is white),
// under every symbol.
void DrawContours(const Net& net, std::span<const SpecimenRecord> records)
{
    const DisplayOptions& show = net.options.display;
    const NetColours& c = net.style.colours;
    const bool axisShown[3] = {show.chcK1, show.chcK2, show.chcK3};
    const Colour fills[3] = {c.k1Fill, c.k2Fill, c.k3Fill};
    const Colour outlines[3] = {c.k1Outline, c.k2Outline, c.k3Outline};
    std::vector<math::Direction> axes(records.size());
    for (std::size_t i = 0; i < 3; ++i) {
        if (!axisShown[i])
            continue;
        for (std::size_t k = 0; k < records.size(); ++k) {
            const SpecimenRecord& r = records[k];
            axes[k] = i == 0 ? math::Direction {r.K1dec, r.K1inc}
                : i == 1     ? math::Direction {r.K2dec, r.K2inc}
                             : math::Direction {r.K3dec, r.K3inc};
        }
        const Colour colour = fills[i] == White ? outlines[i] : fills[i];
        for (const auto& line :
             math::DensityContours(axes, net.options.projection, math::HardwareThreads()))
            DrawContourLine(net.canvas, net.style.frame, line, colour);
    }
}

} // namespace

NetColours SchemeNetColours(ColourScheme scheme)
{
    if (scheme == ColourScheme::BlackAndWhite)
        return {Black, Black,           {128, 128, 128}, Black, White,
                Black, {128, 128, 128}, Black,           Black, Black};
    return {{0, 0, 255}, Black,         {0, 255, 0},   Black, {255, 0, 255},
            Black,       {255, 128, 0}, {0, 255, 255}, Black, Black};
}

void DrawStereonet(Canvas& canvas, std::span<const model::SpecimenRecord> records,
                   const math::GroupStatistics* statistics, const ViewOptions& options,
                   const StereonetStyle& style, GreatCircleCache* circles)
{
    const double u = style.frame.diameter / 340.0;
    const double ratio = style.pixelRatio > 0 ? style.pixelRatio : 1;
    const Net net {canvas, options, style, u, Nearest(0.9 * style.fontSize), Nearest(u / ratio),
                   circles};
    if (circles)
        circles->Begin(style.frame, options.projection);
    const NetColours& c = style.colours;

    DrawFrameAndLabels(net, records.size());
    DrawLegends(net);
    if (options.display.chcContours && !records.empty())
        DrawContours(net, records);

    for (const SpecimenRecord& r : records)
        if (!r.Selected)
            DrawStructures(net, r, c.foliation, c.lineation);
    if (options.display.chcData)
        for (const SpecimenRecord& r : records)
            if (!r.Selected)
                DrawAxes(net, r, false);

    if (statistics && statistics->Tenvar && records.size() >= math::MinRecordsForTenvar)
        DrawMeansAndEllipses(net, *statistics);
    if (options.regionChosen && options.display.chcEllipses) {
        const bool axisShown[3]
            = {options.display.chcK1, options.display.chcK2, options.display.chcK3};
        const Colour fills[3] = {c.k1Fill, c.k2Fill, c.k3Fill};
        for (std::size_t i = 0; i < 3; ++i)
            if (axisShown[i] && !options.regionCurves[i].empty())
                DrawConfidenceEllipse(canvas, style.frame, options.regionCurves[i], 1, fills[i]);
    }

    for (const SpecimenRecord& r : records)
        if (r.Selected)
            DrawStructures(net, r, SelectionColour, SelectionColour);
    if (options.display.chcData)
        for (const SpecimenRecord& r : records)
            if (r.Selected)
                DrawAxes(net, r, true);
}

} // namespace tesmor::plot
