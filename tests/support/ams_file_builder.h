#pragma once

// Hand-made binary AMS data files for tests: 64-byte records assembled field by field, without
// going through the program's own writer. Text fields take raw Windows-1252 bytes (a NUL or a
// leading blank can be placed on purpose) and are blank-padded or cut to their width.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tesmor::testing {

struct AmsHeaderFields
{
    std::string Site = "SITE";
    std::string Lat = "49.85";
    std::string Lon = "13.42";
    std::string Rock = "GRAN";
    std::string Strat = "CARB";
    std::string Litho = "MOLD";
    std::string Region = "BOHE";
    std::string P1 = "12";
    std::string P2 = "0";
    std::string P3 = "12";
    std::string P4 = "0";
};

struct AmsSpecimenFields
{
    std::string Name = "S1";
    float FieldCode = 1300.0f;
    float NormFactor = 250.0f;
    std::array<float, 6> Tensor = {1.05f, 1.0f, 0.95f, 0.01f, -0.02f, 0.03f}; // 11 22 33 12 23 13
    std::string Code1 = "BL";
    std::array<std::int16_t, 4> Group1 = {120, 30, 150, 20}; // plane angle, dip, line dec, inc
    std::string Code2 = "00";
    std::array<std::int16_t, 4> Group2 = {0, 0, 0, 0};
};

class AmsFileBuilder
{
public:
    AmsFileBuilder& Header(const AmsHeaderFields& header);
    AmsFileBuilder& Specimen(const AmsSpecimenFields& specimen);

    // The file: header record then one record per specimen; the count at offset 0 is the number
    // of specimens + 2.
    std::string Bytes() const;

private:
    AmsHeaderFields m_header;
    std::vector<AmsSpecimenFields> m_specimens;
};

// Overwrites `file` at `offset` with raw bytes.
void PutBytes(std::string& file, std::size_t offset, std::string_view bytes);
void PutFloat32(std::string& file, std::size_t offset, float value);
void PutInt16(std::string& file, std::size_t offset, std::int16_t value);

std::int16_t Int16At(std::string_view file, std::size_t offset);

} // namespace tesmor::testing
