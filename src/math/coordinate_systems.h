#pragma once

// The four coordinate systems in which the active records are shown: specimen and geographic
// (records as they are), paleogeographic (the chosen plane turned horizontal about its strike,
// the chosen line keeping its declination) and tectonic (plane horizontal, the line - or, without
// a line, the strike - on the x axis).

#include "math/frames.h"
#include "math/matrix.h"
#include "model/specimen_record.h"

#include <vector>

namespace tesmor::math {

// The lineation letter that means "no line chosen".
inline constexpr char NoLineation = '0';

// Rotation of the paleogeographic system from the plane (dip direction dd, dip, degrees) and,
// when hasLine, the line (declination ld, inclination li): the plane is turned about its strike
// into the horizontal; the line then keeps the declination it had before.
Mat3 PaleoMatrix(float dd, float dip, float ld, float li, bool hasLine);

// Rotation of the tectonic system: the plane is turned horizontal and the line (or, without a
// line, the strike, taken in 0..180) is turned onto the x axis.
Mat3 TectonicMatrix(float dd, float dip, float ld, float li, bool hasLine);

// Builds `active` afresh from `working` for the coordinate system. In the specimen and
// geographic systems every record is taken unchanged. In the paleogeographic and tectonic
// systems only the records having a plane of type `foliation` (and, unless `lineation` is
// NoLineation, a line of type `lineation` in a group) are taken, their tensors, principal
// directions and geological data rotated; with no such record `active` is empty. Large sets
// are shared out among `threads` threads, with the same result.
void TransformDataSet(const std::vector<model::SpecimenRecord>& working, CoordinateSystem system,
                      char foliation, char lineation, PaleoReference reference,
                      std::vector<model::SpecimenRecord>& active, int threads = 1);

std::vector<model::SpecimenRecord>
TransformDataSet(const std::vector<model::SpecimenRecord>& working, CoordinateSystem system,
                 char foliation, char lineation, PaleoReference reference);

} // namespace tesmor::math
