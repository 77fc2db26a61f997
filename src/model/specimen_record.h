#pragma once

// One measured specimen: its header copies, geological groups, tensor and derived values.
//
// Frame of every direction and tensor: x = North, y = East, z = Down (right-handed).
// Angles are in degrees; declinations run clockwise from North in [0, 360), inclinations are
// positive downward. Planes are kept as dip direction (`F1Dec`) and dip (`F1Inc`) with the
// strike (`F1Strike` = dip direction - 90, reduced into [0, 360)) beside them.

#include <array>
#include <cstdint>
#include <string>

namespace tesmor::model {

struct SpecimenRecord
{
    std::string Name; // blanks removed, at most 12 bytes in a file
    float FieldCode = 0; // raw instrument and field code, written back unchanged
    float NormFactor = 0; // susceptibility scale of the normalised tensor, 1e-6 SI
    float Field = 0; // measuring field, A/m
    std::string Freq; // "F1", "F2", "F3" or "N/A"
    std::string Instrument; // "TRB2/3", "TRB4", "QSM" or "VX6"

    // Header copies of the file the record came from.
    std::string Site;
    std::string Lat;
    std::string Lon;
    std::string Rock;
    std::string Strat;
    std::string Litho;
    std::string Region;
    std::int16_t P1 = 0;
    std::int16_t P2 = 0;
    std::int16_t P3 = 0;
    std::int16_t P4 = 0; // 0: planes stored by dip direction, 90: by strike

    // Geological group 1: plane (foliation) and line (lineation), two-letter type code.
    std::string Code1 = "00";
    char Code1A = '0'; // plane type letter, first character of Code1
    char Code1B = '0'; // line type letter, second character of Code1
    float F1Dec = 0;
    float F1Inc = 0;
    float F1Strike = 0;
    float Spare1 = 0; // inclination of the strike line: 0 but in rotated (active) records
    float L1Dec = 0;
    float L1Inc = 0;

    // Geological group 2, as group 1.
    std::string Code2 = "00";
    char Code2A = '0';
    char Code2B = '0';
    float F2Dec = 0;
    float F2Inc = 0;
    float F2Strike = 0;
    float Spare2 = 0;
    float L2Dec = 0;
    float L2Inc = 0;

    // Principal values of the normalised tensor, K1 >= K2 >= K3, and mean susceptibility.
    float K1 = 0;
    float K2 = 0;
    float K3 = 0;
    float Km = 0; // NormFactor * (K11 + K22 + K33) / 3, 1e-6 SI

    // Anisotropy parameters.
    float L = 0;
    float F = 0;
    float P = 0;
    float Pj = 0;
    float T = 0;
    float U = 0;

    // Normalised symmetric tensor in the record's current frame, file order.
    float K11 = 0;
    float K22 = 0;
    float K33 = 0;
    float K12 = 0;
    float K23 = 0;
    float K13 = 0;

    // Principal directions, lower hemisphere.
    float K1dec = 0;
    float K1inc = 0;
    float K2dec = 0;
    float K2inc = 0;
    float K3dec = 0;
    float K3inc = 0;

    // Angle between each principal axis and the pole of plane 1, folded into [0, 90].
    float AxisPoleAngle1 = 0;
    float AxisPoleAngle2 = 0;
    float AxisPoleAngle3 = 0;

    // Standard error of the normalised tensor's elements, 0 when unknown. Exchange files carry
    // it; the binary format has no room for it.
    float Sigma = 0;

    // The tensor (K11, K22, K33, K12, K23, K13) last solved for this record and its principal
    // values, set when the derived values are computed and when the record is rotated. The group
    // statistics take them instead of solving the tensor again while it stands as solved.
    bool Solved = false;
    std::array<float, 6> SolvedTensor {};
    std::array<float, 3> SolvedValues {};

    bool Selected = false;
    std::int16_t Index = 0; // 1-based position in the loaded records

    friend bool operator==(const SpecimenRecord&, const SpecimenRecord&) = default;
};

// Plane conversion between the file's stored angle and the record's dip direction and strike.
// `P4` = 90 stores the strike, any other value the dip direction.
void PlaneFromFile(float stored, std::int16_t P4, float& dec, float& strike);
float PlaneToFile(float dec, float strike, std::int16_t P4);

// The strike that belongs to a dip direction: dec - 90 reduced into [0, 360).
float StrikeOfDipDirection(float dec);

} // namespace tesmor::model
