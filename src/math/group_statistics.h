#pragma once

// Statistics of a group of records: averages and standard deviations of Km and the anisotropy
// parameters, and the Tenvar statistics of the mean tensor (its principal axes, confidence
// semi-angles and confidence ellipses on the net).

#include "math/frames.h"
#include "math/matrix.h"
#include "model/specimen_record.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tesmor::math {

// A point of the net in units of the primitive circle's radius, x East, y North.
struct NetPoint
{
    float x = 0;
    float y = 0;

    friend bool operator==(const NetPoint&, const NetPoint&) = default;
};

// Number of points of each confidence ellipse curve: 0.1 degree steps from 0 to 360 inclusive.
inline constexpr int EllipseCurvePoints = 3601;

// The fewest records for averages and for the Tenvar statistics.
inline constexpr int MinRecordsForAverages = 2;
inline constexpr int MinRecordsForTenvar = 5;

// Per-axis arrays below are indexed 0, 1, 2 for the axes of K1, K2, K3.
struct GroupStatistics
{
    std::int16_t N = 0; // number of records summarised

    // Averages over the records (N >= 2), Km in 1e-6 SI.
    float Kaver = 0;
    float Laver = 0;
    float Faver = 0;
    float Paver = 0;
    float Pjaver = 0;
    float Taver = 0;
    float Uaver = 0;

    // Standard deviations over the records, divisor N - 1 (N >= 2).
    float Ksd = 0;
    float Lsd = 0;
    float Fsd = 0;
    float Psd = 0;
    float Pjsd = 0;
    float Tsd = 0;
    float Usd = 0;

    // Everything below is the Tenvar part: computed only when N >= 5 (then Tenvar is true).
    bool Tenvar = false;

    Mat3 M; // mean normalised tensor

    // Principal values of M, descending, and their directions (degrees, lower hemisphere).
    float K1 = 0;
    float K2 = 0;
    float K3 = 0;
    float K1d = 0;
    float K1i = 0;
    float K2d = 0;
    float K2i = 0;
    float K3d = 0;
    float K3i = 0;

    // Equal-area net coordinates of the three mean directions (whatever the projection).
    std::array<NetPoint, 3> AxisPoint {};

    // Confidence semi-angles (degrees) of each axis along the two ellipse axes a >= b, and the
    // same at 95% confidence.
    float C1a = 0;
    float C1b = 0;
    float C2a = 0;
    float C2b = 0;
    float C3a = 0;
    float C3b = 0;
    float C1a95 = 0;
    float C1b95 = 0;
    float C2a95 = 0;
    float C2b95 = 0;
    float C3a95 = 0;
    float C3b95 = 0;

    // Parameters of the mean tensor.
    float Lmean = 0;
    float Fmean = 0;
    float Pmean = 0;
    float Pjmean = 0;
    float Tmean = 0;
    float Umean = 0;

    // Whether the semi-angles and ellipse axis points of an axis are defined. They are not when
    // the group is degenerate for that axis: two equal principal values of M, a zero covariance
    // (identical records) or a negative largest eigenvalue of the axis' 2x2 matrix. Undefined
    // values are 0 and should be shown blank.
    std::array<bool, 3> SemiAnglesDefined {};

    // Whether the confidence ellipse curve of an axis is defined (its 2x2 matrix is invertible).
    std::array<bool, 3> CurveDefined {};

    // The projected end points of the two 95% ellipse axes of each axis, in the order +a, -a,
    // +b, -b, in the chosen projection.
    std::array<std::array<NetPoint, 4>, 3> EllipseAxisPoints {};

    // The confidence ellipse of each axis: EllipseCurvePoints projected points (t = 0 .. 3600,
    // 0.1 degree apart) when CurveDefined, otherwise empty.
    std::array<std::vector<NetPoint>, 3> EllipseCurve;

    // Convenience accessors by axis index 0..2.
    float Value(int axis) const { return axis == 0 ? K1 : axis == 1 ? K2 : K3; }
    Direction MeanDirection(int axis) const
    {
        return axis == 0 ? Direction {K1d, K1i}
            : axis == 1  ? Direction {K2d, K2i}
                         : Direction {K3d, K3i};
    }
    float SemiAngleA(int axis) const { return axis == 0 ? C1a : axis == 1 ? C2a : C3a; }
    float SemiAngleB(int axis) const { return axis == 0 ? C1b : axis == 1 ? C2b : C3b; }
    float SemiAngleA95(int axis) const { return axis == 0 ? C1a95 : axis == 1 ? C2a95 : C3a95; }
    float SemiAngleB95(int axis) const { return axis == 0 ? C1b95 : axis == 1 ? C2b95 : C3b95; }

    friend bool operator==(const GroupStatistics&, const GroupStatistics&) = default;
};

// The statistics of `records` with ellipse points in `projection`. No NaN or infinity is ever
// stored: degenerate axes are marked undefined instead. The per-record terms of a large group
// are computed on `threads` threads and summed in record order: the result does not depend on
// the number of threads.
GroupStatistics ComputeGroupStatistics(const std::vector<model::SpecimenRecord>& records,
                                       Projection projection, int threads = 1);

// The same into an existing object, reusing the memory of its curves.
void ComputeGroupStatistics(const std::vector<model::SpecimenRecord>& records,
                            Projection projection, GroupStatistics& out, int threads = 1);

// The 95% quantile of the F distribution with 2 and nu degrees of freedom (nu >= 1).
double FQuantile2(int nu);

// The net point of the axis along v (any length, not zero), in the lower hemisphere.
NetPoint ProjectVector(const Vec3d& v, Projection projection);

// The equal-area net points of three directions.
std::array<NetPoint, 3> ProjectAxisEqualArea(const std::array<Direction, 3>& dirs);

} // namespace tesmor::math
