#include "math/coordinate_systems.h"

#include "math/parallel.h"
#include "math/principal_axes.h"

#include <algorithm>
#include <cmath>

namespace tesmor::math {

namespace {

// The degree constant of the rotation matrices is the single-precision one.
constexpr float DegreesPerRadian = static_cast<float>(DegPerRad);

// R1: the rotation by `dip` about the strike direction (azimuth dd + 90), which turns the plane
// (dd, dip) into the horizontal.
Mat3 tiltCorrection(float dd, float dip)
{
    const double d = dd / DegreesPerRadian;
    Vec3 u;
    u(1) = static_cast<float>(-std::sin(d));
    u(2) = static_cast<float>(std::cos(d));
    u(3) = 0;
    return RotAxis(u, dip);
}

// The declination (degrees, not folded) of the line (ld, li) after the rotation R1.
float declinationAfter(const Mat3& R1, float ld, float li)
{
    const Vec3 l = Mvmpy(R1, DirToVec(ld, li));
    return static_cast<float>(ArcTan2(l(2), l(1)) * DegreesPerRadian);
}

Vec3 verticalAxis()
{
    Vec3 z;
    z(3) = 1;
    return z;
}

// The chosen plane and line of one record.
struct Structures
{
    bool qualifies = false;
    bool hasLine = false;
    float dd = 0;
    float dip = 0;
    float ld = 0;
    float li = 0;
};

Structures findStructures(const model::SpecimenRecord& r, char foliation, char lineation)
{
    Structures s;
    auto take = [&](float dd, float dip) {
        s.qualifies = true;
        s.dd = dd;
        s.dip = dip;
    };
    auto takeWithLine = [&](float dd, float dip, float ld, float li) {
        take(dd, dip);
        s.ld = ld;
        s.li = li;
        s.hasLine = true;
    };
    if (lineation == NoLineation) {
        if (r.Code1A == foliation)
            take(r.F1Dec, r.F1Inc);
        if (r.Code2A == foliation)
            take(r.F2Dec, r.F2Inc);
        return s;
    }
    // A later match replaces an earlier one.
    if (r.Code1A == foliation && r.Code1B == lineation)
        takeWithLine(r.F1Dec, r.F1Inc, r.L1Dec, r.L1Inc);
    if (r.Code1A == foliation && r.Code2B == lineation)
        takeWithLine(r.F1Dec, r.F1Inc, r.L2Dec, r.L2Inc);
    if (r.Code2A == foliation && r.Code1B == lineation)
        takeWithLine(r.F2Dec, r.F2Inc, r.L1Dec, r.L1Inc);
    if (r.Code2A == foliation && r.Code2B == lineation)
        takeWithLine(r.F2Dec, r.F2Inc, r.L2Dec, r.L2Inc);
    return s;
}

// A line rotated by R, brought to the lower hemisphere.
Direction rotateLine(const Mat3& R, float dec, float inc)
{
    return ToLowerHemisphere(VecToDir(Mvmpy(R, DirToVec(dec, inc))));
}

// A plane (dip direction, dip) rotated by R through its pole.
void rotatePlane(const Mat3& R, float& dd, float& dip)
{
    const Direction pole = PlaneToPole(dd, dip);
    const Direction rotated = rotateLine(R, pole.Dec, pole.Inc);
    const Direction plane = PlaneToPole(rotated.Dec, rotated.Inc);
    dd = plane.Dec;
    dip = plane.Inc;
}

void rotateGeology(const Mat3& R, model::SpecimenRecord& r)
{
    rotatePlane(R, r.F1Dec, r.F1Inc);
    // The strike line turns as a line; its inclination goes into the spare field beside the
    // strike, where the net reads it for (nearly) horizontal planes.
    const Direction strike1 = rotateLine(R, r.F1Strike, r.Spare1);
    r.F1Strike = strike1.Dec;
    r.Spare1 = strike1.Inc;
    const Direction line1 = rotateLine(R, r.L1Dec, r.L1Inc);
    r.L1Dec = line1.Dec;
    r.L1Inc = line1.Inc;
    rotatePlane(R, r.F2Dec, r.F2Inc);
    const Direction strike2 = rotateLine(R, r.F2Strike, r.Spare2);
    r.F2Strike = strike2.Dec;
    r.Spare2 = strike2.Inc;
    const Direction line2 = rotateLine(R, r.L2Dec, r.L2Inc);
    r.L2Dec = line2.Dec;
    r.L2Inc = line2.Inc;
}

// The record in the rotated frame: tensor, principal directions and geological data. Principal
// values, parameters, Km and the axis-pole angles do not depend on the frame and stay.
void rotateRecord(const Mat3& R, model::SpecimenRecord& r)
{
    const Mat3 T = Mxabat(R, RecordTensor(r));
    SetRecordTensor(r, T);
    const PrincipalAxes axes = ComputePrincipalAxes(T);
    // The record's tensor keeps the upper triangle of T; where T is symmetric to the bit, the
    // principal values found here are those of the record's tensor.
    SetPrincipalAxes(r, axes, T == RecordTensor(r));
    rotateGeology(R, r);
}

} // namespace

Mat3 PaleoMatrix(float dd, float dip, float ld, float li, bool hasLine)
{
    const Mat3 R1 = tiltCorrection(dd, dip);
    if (!hasLine)
        return R1;
    const float turned = declinationAfter(R1, ld, li);
    return Mxmpy(RotAxis(verticalAxis(), ld - turned), R1);
}

Mat3 TectonicMatrix(float dd, float dip, float ld, float li, bool hasLine)
{
    const Mat3 R1 = tiltCorrection(dd, dip);
    if (hasLine)
        return Mxmpy(RotAxis(verticalAxis(), -declinationAfter(R1, ld, li)), R1);
    // Without a line the strike, taken in 0..180, goes onto the x axis.
    float strike = dd - 90;
    if (strike < 0)
        strike += 360;
    if (strike > 180)
        strike -= 180;
    return Mxmpy(RotAxis(verticalAxis(), -strike), R1);
}

void TransformDataSet(const std::vector<model::SpecimenRecord>& working, CoordinateSystem system,
                      char foliation, char lineation, PaleoReference reference,
                      std::vector<model::SpecimenRecord>& active, int threads)
{
    // Records are assigned into the existing elements, reusing their memory. A plain copy is
    // bound by the memory, which a second thread does not make faster.
    if (system != CoordinateSystem::Paleogeographic && system != CoordinateSystem::Tectonic) {
        active.resize(working.size());
        std::copy(working.begin(), working.end(), active.begin());
        return;
    }
    // The records that have the structures, with their position among the working records.
    struct Taken
    {
        std::size_t record;
        Structures structures;
    };
    // Kept for the next transformation; the helper threads see this thread's through a reference.
    thread_local std::vector<Taken> kept;
    std::vector<Taken>& taken = kept;
    taken.clear();
    taken.reserve(working.size());
    for (std::size_t i = 0; i < working.size(); ++i) {
        Structures s = findStructures(working[i], foliation, lineation);
        if (!s.qualifies)
            continue;
        if (reference == PaleoReference::Vertical) {
            s.dd -= 180;
            if (s.dd < 0)
                s.dd += 360;
            s.dip = 90 - s.dip;
        }
        taken.push_back({i, s});
    }
    active.resize(taken.size());
    ParallelChunks(taken.size(), threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k) {
            const Structures& s = taken[k].structures;
            const Mat3 R = system == CoordinateSystem::Paleogeographic
                ? PaleoMatrix(s.dd, s.dip, s.ld, s.li, s.hasLine)
                : TectonicMatrix(s.dd, s.dip, s.ld, s.li, s.hasLine);
            active[k] = working[taken[k].record];
            rotateRecord(R, active[k]);
        }
    });
}

std::vector<model::SpecimenRecord>
TransformDataSet(const std::vector<model::SpecimenRecord>& working, CoordinateSystem system,
                 char foliation, char lineation, PaleoReference reference)
{
    std::vector<model::SpecimenRecord> active;
    TransformDataSet(working, system, foliation, lineation, reference, active);
    return active;
}

} // namespace tesmor::math
