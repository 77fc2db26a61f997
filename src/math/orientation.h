#pragma once

// Specimen orientation: the rotation between a specimen's own frame and the geographic frame
// from its sampling azimuth and plunge, and the read-out of a net point as a direction.

#include "math/frames.h"
#include "math/matrix.h"
#include "model/specimen_record.h"

namespace tesmor::math {

// The orientation matrix O: its columns are the specimen axes x, y, z in the geographic frame.
// A: azimuth, B: plunge (whole degrees) of the sampling orientation; P1 and P3 clock positions
// (30 degrees per hour), P2 0 (B is the plunge) or 90 (B is measured from the vertical).
// O = Rz(alpha) Ry(-beta) Rz(gamma) with alpha = A + 30 (P1 - P3) - 30 (P1 - 6), beta = B,
// 90 - B or 0 (other P2), gamma = 30 (P1 - 6).
Mat3 OrientationMatrix(int A, int B, int P1, int P2, int P3);

enum class RotationMode {
    SpecimenToGeographic = 1, // T' = O T O^T
    GeographicToSpecimen = 2, // T' = O^-1 T O^-T
};

// Rotates the tensor K11 .. K13 of one record between the frames. A = 0 and B = 0 leave the
// record unchanged. The derived fields are not updated: run ComputeRecordDerived afterwards.
void RotateRecordTensor(model::SpecimenRecord& record, int A, int B, int P1, int P2, int P3,
                        RotationMode mode);

// The direction (lower hemisphere) under the net point (x East, y North, units of the net
// radius); (0, 0) is the vertical. Points outside the primitive circle are converted by the same
// formulas.
Direction NetToDirectionEqualArea(float x, float y);
Direction NetToDirectionEqualAngle(float x, float y);

} // namespace tesmor::math
