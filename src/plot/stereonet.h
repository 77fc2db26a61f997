#pragma once

// The stereonet: a lower-hemisphere net of the principal directions of the records, their
// foliations and lineations, and the group means with their confidence ellipses, with direction
// labels, inclination ticks, title block and legends.

#include "math/group_statistics.h"
#include "model/specimen_record.h"
#include "plot/canvas.h"
#include "plot/net_curves.h"
#include "plot/net_projection.h"
#include "plot/view_options.h"

#include <span>

namespace tesmor::plot {

struct NetColours
{
    Colour k1Fill;
    Colour k1Outline;
    Colour k2Fill;
    Colour k2Outline;
    Colour k3Fill;
    Colour k3Outline;
    Colour foliation;
    Colour lineation;
    Colour frame;
    Colour title;
};

// The colour of selected records, whatever the scheme.
inline constexpr Colour SelectionColour = Red;

// The net's colours of a scheme (values other than BlackAndWhite give the default colours).
NetColours SchemeNetColours(ColourScheme scheme);

struct StereonetStyle
{
    NetFrame frame; // centre and diameter of the primitive circle, pixels
    int symbolSize = 10; // S, pixels
    int fontSize = 16; // F, pixels
    NetColours colours = SchemeNetColours(ColourScheme::Default);
    // Canvas pixels per pixel of the device the net is shown on (2 on a double-density screen
    // drawn in its own pixels). The width [D / 340] of the great circles and legend lines is
    // taken in the device's pixels, so that a net of the same size looks the same, dashes
    // included, at every density.
    double pixelRatio = 1;
};

// Draws the net of `records` (N = their number). `statistics` gives the means and ellipses,
// shown only from five records on; null shows none. The colours are the style's (the scheme
// of `options` is not read here). A net drawn again and again (the window's) keeps its great
// circles in `circles`.
void DrawStereonet(Canvas& canvas, std::span<const model::SpecimenRecord> records,
                   const math::GroupStatistics* statistics, const ViewOptions& options,
                   const StereonetStyle& style, GreatCircleCache* circles = nullptr);

} // namespace tesmor::plot
