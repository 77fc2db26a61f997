#pragma once

// Principal susceptibilities, their directions and the anisotropy parameters of a tensor, and
// the per-record computation that fills the derived fields of every loaded record.

#include "math/frames.h"
#include "math/matrix.h"
#include "model/specimen_record.h"

#include <array>
#include <vector>

namespace tesmor::math {

// Three principal values in descending order, each with its axis in the lower hemisphere.
struct PrincipalAxes
{
    std::array<float, 3> Value {};
    std::array<Direction, 3> Axis {};
};

// Anisotropy parameters of three principal values K1 >= K2 >= K3 (dimensionless):
// L = K1/K2 (lineation), F = K2/K3 (foliation), P = K1/K3 (degree), Pj (corrected degree),
// T (shape, -1 prolate .. +1 oblate), U (shape from the values themselves).
struct AnisotropyParams
{
    float L = 0;
    float F = 0;
    float P = 0;
    float Pj = 0;
    float T = 0;
    float U = 0;
};

// Cyclic Jacobi eigen-solution of the symmetric matrix A (left unchanged): D is the diagonal
// matrix of the eigenvalues in descending order, the columns of V the eigenvectors in the same
// order, oriented as the rotations left them. Every stored element is rounded to float.
// Equal eigenvalues keep their original order.
void EigenJacobi(const Mat3& A, Mat3& D, Mat3& V);

// The eigenvalues of EigenJacobi alone, in descending order (the same numbers, less work).
std::array<float, 3> EigenJacobiValues(const Mat3& A);

// EigenJacobi in double precision; each eigenvector column is reversed when its last component is
// negative.
void EigenJacobiD(const Mat2d& A, Mat2d& D, Mat2d& V);
void EigenJacobiD(const Mat3d& A, Mat3d& D, Mat3d& V);

// The directions of the three columns of V.
std::array<Direction, 3> EigenvectorsToDirections(const Mat3& V);

// L, F, P, Pj, T, U of the principal values, single precision. Negative (diamagnetic) values
// are handled through their absolute values in reversed order; zero denominators give 0 and a
// non-positive smallest value gives Pj = T = 0.
AnisotropyParams AnisotropyParameters(float K1, float K2, float K3);

// The angle in degrees, folded into [0, 90], between the axes (D, I) and (Dp, Ip).
float AxisAngleToPole(float D, float I, float Dp, float Ip);

// EigenJacobi, OrientDown and EigenvectorsToDirections of one tensor.
PrincipalAxes ComputePrincipalAxes(const Mat3& T);

// The record's tensor K11 .. K13 as a symmetric matrix, and back.
Mat3 RecordTensor(const model::SpecimenRecord& r);
void SetRecordTensor(model::SpecimenRecord& r, const Mat3& T);
// The record's six components in file order: K11, K22, K33, K12, K23, K13.
std::array<float, 6> RecordComponents(const model::SpecimenRecord& r);

// The principal directions of `axes`, the solution of the record's tensor, into the record, and
// the tensor and principal values as solved (Solved: the solution is of the tensor as stored).
void SetPrincipalAxes(model::SpecimenRecord& r, const PrincipalAxes& axes, bool solvedAsStored);

// Fills the derived fields of every record in place, in order: K1 K2 K3, L .. U, the principal
// directions, Code1A/B and Code2A/B, Index (1-based position) and the axis-pole angles. Large
// sets are shared out among `threads` threads; every record gets the same values either way.
void ComputeRecordDerived(std::vector<model::SpecimenRecord>& records, int threads = 1);

} // namespace tesmor::math
