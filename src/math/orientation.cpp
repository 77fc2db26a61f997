#include "math/orientation.h"

#include "math/principal_axes.h"

#include <cmath>

namespace tesmor::math {

Mat3 OrientationMatrix(int A, int B, int P1, int P2, int P3)
{
    // Whole degrees: the azimuth corrected for the clock positions of the sampling device.
    const int alpha = A + 30 * (P1 - P3) - 30 * (P1 - 6);
    const int beta = P2 == 0 ? B : P2 == 90 ? 90 - B : 0;
    const int gamma = 30 * (P1 - 6);

    const float c1 = static_cast<float>(std::cos(alpha * RadPerDeg));
    const float s1 = static_cast<float>(std::sin(alpha * RadPerDeg));
    const float c2 = static_cast<float>(std::cos(beta * RadPerDeg));
    const float s2 = static_cast<float>(std::sin(beta * RadPerDeg));
    const float c3 = static_cast<float>(std::cos(gamma * RadPerDeg));
    const float s3 = static_cast<float>(std::sin(gamma * RadPerDeg));

    Mat3 O;
    O(1, 1) = c1 * c2 * c3 - s1 * s3;
    O(1, 2) = -c1 * c2 * s3 - s1 * c3;
    O(1, 3) = -c1 * s2;
    O(2, 1) = s1 * c2 * c3 + c1 * s3;
    O(2, 2) = -s1 * c2 * s3 + c1 * c3;
    O(2, 3) = -s1 * s2;
    O(3, 1) = s2 * c3;
    O(3, 2) = -s2 * s3;
    O(3, 3) = c2;
    return O;
}

void RotateRecordTensor(model::SpecimenRecord& record, int A, int B, int P1, int P2, int P3,
                        RotationMode mode)
{
    if (A == 0 && B == 0)
        return;
    const Mat3 O = OrientationMatrix(A, B, P1, P2, P3);
    const Mat3 T = RecordTensor(record);
    if (mode == RotationMode::SpecimenToGeographic) {
        SetRecordTensor(record, Mxabat(O, T));
        return;
    }
    Mat3 inverse;
    float det = 0;
    Minv(O, inverse, det);
    SetRecordTensor(record, Mxabat(inverse, T));
}

namespace {

// Declination (degrees) of the net point (x, y) at distance r > 0 from the centre.
double readOutDeclination(double x, double y, double r)
{
    double D = ArcSinNet(x / r) * DegPerRad;
    if (y < 0)
        D = 180 - D;
    if (D >= 360)
        D -= 360;
    if (D < 0)
        D += 360;
    return D;
}

// A declination just below 360 rounds to 360 in float: that is North.
Direction readOutDirection(double D, double I)
{
    Direction d {static_cast<float>(D), static_cast<float>(I)};
    if (d.Dec >= 360.0f)
        d.Dec -= 360.0f;
    return d;
}

} // namespace

Direction NetToDirectionEqualArea(float x, float y)
{
    if (x == 0 && y == 0)
        return Direction {0, 90};
    const float r = std::sqrt(x * x + y * y);
    const double D = readOutDeclination(x, y, r);
    const double I = ArcSinNet(1 - double(r) * r) * DegPerRad;
    return readOutDirection(D, I);
}

Direction NetToDirectionEqualAngle(float x, float y)
{
    if (x == 0 && y == 0)
        return Direction {0, 90};
    const float r = std::sqrt(x * x + y * y);
    const double D = readOutDeclination(x, y, r);
    const double I = 90 - 2 * std::atan(r) * DegPerRad;
    return readOutDirection(D, I);
}

} // namespace tesmor::math
