#include "support/ams_file_builder.h"

#include <cstring>

namespace tesmor::testing {
namespace {

void PutField(std::string& file, std::size_t offset, std::string_view text, std::size_t width)
{
    std::string field(text.substr(0, width));
    field.resize(width, ' ');
    PutBytes(file, offset, field);
}

} // namespace

AmsFileBuilder& AmsFileBuilder::Header(const AmsHeaderFields& header)
{
    m_header = header;
    return *this;
}

AmsFileBuilder& AmsFileBuilder::Specimen(const AmsSpecimenFields& specimen)
{
    m_specimens.push_back(specimen);
    return *this;
}

std::string AmsFileBuilder::Bytes() const
{
    std::string file((m_specimens.size() + 1) * 64, '\0');
    const AmsHeaderFields& h = m_header;
    PutInt16(file, 0, static_cast<std::int16_t>(m_specimens.size() + 2));
    PutField(file, 2, h.Site, 16);
    PutField(file, 18, h.Lat, 7);
    PutField(file, 25, h.Lon, 7);
    PutField(file, 32, h.Rock, 4);
    PutField(file, 36, h.Strat, 4);
    PutField(file, 40, h.Litho, 4);
    PutField(file, 44, h.Region, 4);
    PutField(file, 48, h.P1, 3);
    PutField(file, 51, h.P2, 3);
    PutField(file, 54, h.P3, 3);
    PutField(file, 57, h.P4, 3);
    std::size_t at = 64;
    for (const AmsSpecimenFields& s : m_specimens) {
        PutField(file, at, s.Name, 12);
        PutFloat32(file, at + 12, s.FieldCode);
        PutFloat32(file, at + 16, s.NormFactor);
        for (std::size_t i = 0; i < 6; ++i) {
            PutFloat32(file, at + 20 + 4 * i, s.Tensor[i]);
        }
        PutField(file, at + 44, s.Code1, 2);
        PutField(file, at + 54, s.Code2, 2);
        for (std::size_t i = 0; i < 4; ++i) {
            PutInt16(file, at + 46 + 2 * i, s.Group1[i]);
            PutInt16(file, at + 56 + 2 * i, s.Group2[i]);
        }
        at += 64;
    }
    return file;
}

void PutBytes(std::string& file, std::size_t offset, std::string_view bytes)
{
    if (file.size() < offset + bytes.size()) {
        file.resize(offset + bytes.size(), '\0');
    }
    std::memcpy(file.data() + offset, bytes.data(), bytes.size());
}

void PutFloat32(std::string& file, std::size_t offset, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const char bytes[4]
        = {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
           static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
    PutBytes(file, offset, std::string_view(bytes, 4));
}

void PutInt16(std::string& file, std::size_t offset, std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    const char bytes[2] = {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8)};
    PutBytes(file, offset, std::string_view(bytes, 2));
}

std::int16_t Int16At(std::string_view file, std::size_t offset)
{
    const auto lo = static_cast<unsigned char>(file[offset]);
    const auto hi = static_cast<unsigned char>(file[offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

} // namespace tesmor::testing
