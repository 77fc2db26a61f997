#pragma once

// The parameter plots: scatter plots of anisotropy parameters of the records with two framed
// axes carrying their end values and names.
//
// First plot, by kind: 1 P against Km, 2 Pj against Km, 3 P against log10 Km, 4 K/Kmin against
// the measuring field H. Second plot: 1 T against P, 2 T against Pj, 3 L against F, 4 U against
// P. Km is stored in 1e-6 SI and plotted in SI.

#include "model/specimen_record.h"
#include "plot/canvas.h"
#include "plot/net_projection.h"
#include "plot/view_options.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tesmor::plot {

enum class LabelFormat : std::int8_t {
    Scientific, // 2.00E-04
    Whole, // "0"
    ThreeDecimals, // "0.000"
};

// The axis labels of a value in a format.
std::string FormatLabel(double value, LabelFormat format);

enum class NamePlacement : std::int8_t {
    Centred = 1, // under the middle of the x axis
    Right = 2, // beside the right end of the x axis
};

struct PlotAxes
{
    std::string xName;
    std::string xUnit; // written directly after the name
    LabelFormat xFormat = LabelFormat::ThreeDecimals;
    NamePlacement xNamePlacement = NamePlacement::Centred;
    std::string yName;
    LabelFormat yFormat = LabelFormat::ThreeDecimals;
    bool diagonal = false; // the dashed line of equal values (L-F)
};

// The arrays and ranges of one plot, rebuilt from the records at every redraw; the mouse
// handlers read them back to convert positions to values.
struct PlotData
{
    std::vector<double> x;
    std::vector<double> y;
    std::vector<char> selected; // one flag per record, in record order
    double xMin = 0;
    double xMax = 1;
    double yMin = 0;
    double yMax = 1;
    double xAxisAtY = 0; // the y value at which the x axis is drawn
    double yAxisAtX = 0; // the x value at which the y axis is drawn
    PlotAxes axes;
};

// The data of plot `plot` (1 or 2) of kind `kind` (1..4); nothing for another plot or kind.
// Values that are not finite (log of a zero Km, a ratio to a zero Km) are kept in the arrays but
// neither count for the ranges nor get drawn.
std::optional<PlotData> PrepareParameterPlot(int plot, int kind,
                                             std::span<const model::SpecimenRecord> records);

struct PlotStyle
{
    double left = 40; // frame, pixels
    double bottom = 250;
    double width = 320;
    double height = 200;
    Colour axisColour = Black;
    int axisWidth = 1;
    int shape = 1;
    int symbolSize = 10;
    Colour fill {0, 255, 255};
    Colour outline = Black;
    int textHeight = 14;
};

// The record fill of a scheme (cyan by default, grey in black and white).
Colour PlotFillColour(ColourScheme scheme);

// Draws the axes, labels, optional diagonal and the records (selected ones last, in red).
// A zero-width range is widened to one unit above its value.
void DrawParameterPlot(Canvas& canvas, const PlotStyle& style, const PlotData& data);

// The position of a value pair in the frame of `style` (the inverse is the mouse handlers').
WorldPoint PlotToCanvas(const PlotStyle& style, const PlotData& data, double x, double y);

} // namespace tesmor::plot
