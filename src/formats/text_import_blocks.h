#pragma once

// The block layouts of the text data formats, as read by text_import.cpp. Internal to the
// formats module.

#include "formats/text_tokens.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tesmor::formats::detail {

// What one block of a text data file holds, before completion into a SpecimenRecord.
struct TextBlock
{
    std::string NameBytes; // the file bytes of the name, cut to 12 characters
    std::string Code1; // code tokens as written (empty when missing)
    std::string Code2;
    // Planes (stored angle and dip) and lines (declination, inclination) as whole numbers.
    double Plane1 = 0;
    double Dip1 = 0;
    double Line1Dec = 0;
    double Line1Inc = 0;
    double Plane2 = 0;
    double Dip2 = 0;
    double Line2Dec = 0;
    double Line2Inc = 0;
    float FieldCode = 0;
    float NormFactor = 0;
    std::array<float, 6> K {}; // K11 K22 K33 K12 K23 K13
    std::optional<std::array<double, 4>> P; // P1-P4 of the block when the format has them
};

enum class BlockRead {
    Complete, // every line that carries data was present
    Truncated, // the file ended before the block's data lines
};

// Reads the block that starts at the cursor and moves the cursor past it, including the lines
// that the layout skips (as many of them as the file still has). `scratch` is working memory
// kept between blocks.
using BlockReader
    = BlockRead (*)(LineCursor& lines, std::vector<std::string_view>& scratch, TextBlock& block);

BlockRead ReadProBlock(LineCursor& lines, std::vector<std::string_view>& scratch, TextBlock& block);
BlockRead ReadApgBlock(LineCursor& lines, std::vector<std::string_view>& scratch, TextBlock& block);
BlockRead ReadAscBlock(LineCursor& lines, std::vector<std::string_view>& scratch, TextBlock& block);

} // namespace tesmor::formats::detail
