#pragma once

// Frames, sign conventions and display options shared by the whole math module.
//
// Frame. Every direction, tensor and rotation is expressed in the right-handed frame
//   x = North, y = East, z = Down.
// A tensor rotated into another frame by the rotation R (columns: the old axes in the new frame,
// or equivalently v' = R v) becomes T' = R T R^T.
//
// Directions. A direction is a declination D (degrees, clockwise from North, in [0, 360)) and an
// inclination I (degrees, positive downward, in [-90, 90]); its unit vector is
//   (cos I cos D, cos I sin D, sin I).
// Axes (principal directions, poles, lineations) are sign-less: they are shown in the lower
// hemisphere (I >= 0).
//
// Planes are given by dip direction dd and dip (degrees). The pole of a plane is its downward
// normal, (dd - 180 reduced into [0, 360), 90 - dip); the strike is dd - 90 reduced into
// [0, 360).
//
// Rotations. A right-handed rotation by phi about the unit axis u turns vectors counter-clockwise
// when looking down the axis towards the origin; about (0, 0, 1) (Down) it turns declinations
// clockwise by phi.
//
// The net. Net coordinates are in units of the primitive circle's radius, x towards East and y
// towards North; every point drawn is in the lower hemisphere.
//
// Precision. Stored quantities are 32-bit floats; products and sums of the single-precision
// routines round each term to float before adding it. Routines whose names end in D work in
// 64 bits throughout (the covariance and confidence computations of the group statistics).
//
// Matrices and vectors are indexed from 1 through their call operator, as in the formulas of the
// domain: T(1, 2) is the North-East component of a tensor.

#include <cstdint>

namespace tesmor::math {

// Pi and the one pair of degree conversions of the whole program. Routines that work in single
// precision use the pair rounded to float (DegPerRad as a float is 57.29578).
inline constexpr double Pi = 3.14159265358979;
inline constexpr double DegPerRad = 180.0 / Pi;
inline constexpr double RadPerDeg = Pi / 180.0;

// The coordinate system in which the active records are shown.
enum class CoordinateSystem : std::int16_t {
    Specimen = 1,
    Geographic = 2,
    Paleogeographic = 3,
    Tectonic = 4,
};

// The reference plane of the paleogeographic and tectonic systems: the chosen plane is turned
// into the horizontal (Horizontal) or, with its pole replaced by its complement, into a vertical
// plane (Vertical).
enum class PaleoReference : std::int16_t {
    Horizontal = 1,
    Vertical = 2,
};

// The projection of the lower hemisphere onto the net.
enum class Projection : std::int16_t {
    EqualAngle = 1, // stereographic (Wulff)
    EqualArea = 2, // Lambert (Schmidt)
};

// A line in the frame above: declination and inclination in degrees.
struct Direction
{
    float Dec = 0;
    float Inc = 0;

    friend bool operator==(const Direction&, const Direction&) = default;
};

} // namespace tesmor::math
