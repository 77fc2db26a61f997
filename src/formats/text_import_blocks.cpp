// Block layouts of the text data formats. Line numbers count within a block, from 1; tokens are
// those of text_tokens.h.
//
// "Werner format (*.pro)" (variable length):
//   line 1    name: first 22 characters, trimmed, cut to 12
//   line 14   tokens 1-10: Code1, plane 1 angle, plane 1 dip, line 1 dec, line 1 inc,
//             Code2, plane 2 angle, plane 2 dip, line 2 dec, line 2 inc
//   line 27   token 1 FieldCode, token 2 NormFactor
//   line 39   tokens 6-8: K11 K22 K33
//   line 40   tokens 6-8: K12 K23 K13
//   line 41.. scan: a line whose token 1 is "GEOGRAPH" replaces K11 K22 K33 by its tokens 6-8,
//             and the line after it K12 K23 K13 by its tokens 6-8. The scan ends at the first
//             line whose first 12 characters are " ORIENTATION" (also when it is the line
//             after "GEOGRAPH": its tokens are orientation parameters, never tensor components).
//   the " ORIENTATION" line: tokens 4-7 P1 P2 P3 P4; then 2 lines skipped.
//
// "Pelta20 format (*.apg)" (51 lines):
//   line 1    name: first 22 characters, trimmed, cut to 12, form feeds (code 12) removed
//   line 16   tokens 1-10 as line 14 of ".pro"
//   line 29   token 1 FieldCode, token 2 NormFactor
//   line 45   tokens 6-8: K11 K22 K33
//   line 46   tokens 6-8: K12 K23 K13
//   line 49   tokens 3-6: P1 P2 P3 P4
//   lines 50-51 skipped
//
// "Quillex ASCII 15-position format (*.asc)" (53 lines, no orientation parameters):
//   line 1    name: first 15 characters, trimmed, cut to 12
//   line 11   token 1 Code1, token 2 plane 1 angle/dip, token 3 line 1 dec/inc, token 4 Code2,
//             token 5 plane 2 angle/dip, token 6 line 2 dec/inc (pair tokens a/b)
//   line 25   token 1 FieldCode, token 3 NormFactor
//   line 49   tokens 6-8: K11 K22 K33
//   line 50   tokens 6-8: K12 K23 K13
//   lines 51-53 skipped

#include "formats/text_import_blocks.h"

#include "formats/text_tokens.h"

#include <algorithm>
#include <tuple>

namespace tesmor::formats::detail {

namespace {

std::string NameField(std::string_view line, std::size_t width)
{
    const std::string_view trimmed = TrimSpaces(line.substr(0, std::min(width, line.size())));
    return std::string(trimmed.substr(0, std::min<std::size_t>(12, trimmed.size())));
}

// Line `number` (1-based within the block at `pos`); false when the file has ended.
bool BlockLine(const std::vector<std::string_view>& lines, std::size_t pos, int number,
               std::string_view& line)
{
    const std::size_t at = pos + static_cast<std::size_t>(number - 1);
    if (at >= lines.size())
        return false;
    line = lines[at];
    return true;
}

TokenLine BlockTokens(const std::vector<std::string_view>& lines, std::size_t pos, int number)
{
    std::string_view line;
    BlockLine(lines, pos, number, line);
    return TokenLine(line);
}

// Tokens 1-10: code, plane angle, dip, line declination, inclination, for both groups.
void ReadGroups(const TokenLine& t, TextBlock& block)
{
    block.Code1 = std::string(t.token(1));
    block.Plane1 = t.integer(2);
    block.Dip1 = t.integer(3);
    block.Line1Dec = t.integer(4);
    block.Line1Inc = t.integer(5);
    block.Code2 = std::string(t.token(6));
    block.Plane2 = t.integer(7);
    block.Dip2 = t.integer(8);
    block.Line2Dec = t.integer(9);
    block.Line2Inc = t.integer(10);
}

void ReadScale(const TokenLine& t, int normFactorToken, TextBlock& block)
{
    block.FieldCode = t.real(1);
    block.NormFactor = t.real(normFactorToken);
}

// Tokens 6-8 of a tensor line into K[first], K[first + 1], K[first + 2].
void ReadTensorLine(const TokenLine& t, std::size_t first, TextBlock& block)
{
    for (std::size_t i = 0; i < 3; ++i)
        block.K[first + i] = t.real(6 + static_cast<int>(i));
}

void ReadOrientation(const TokenLine& t, int firstToken, TextBlock& block)
{
    std::array<double, 4> p {};
    for (int i = 0; i < 4; ++i)
        p[static_cast<std::size_t>(i)] = t.integer(firstToken + i);
    block.P = p;
}

void Advance(const std::vector<std::string_view>& lines, std::size_t& pos, std::size_t count)
{
    pos = std::min(lines.size(), pos + count);
}

bool IsOrientationLine(std::string_view line)
{
    return line.substr(0, std::min<std::size_t>(12, line.size())) == " ORIENTATION";
}

} // namespace

BlockRead ReadProBlock(const std::vector<std::string_view>& lines, std::size_t& pos,
                       TextBlock& block)
{
    std::string_view line;
    if (!BlockLine(lines, pos, 40, line))
        return BlockRead::Truncated;
    BlockLine(lines, pos, 1, line);
    block.NameBytes = NameField(line, 22);
    ReadGroups(BlockTokens(lines, pos, 14), block);
    ReadScale(BlockTokens(lines, pos, 27), 2, block);
    ReadTensorLine(BlockTokens(lines, pos, 39), 0, block);
    ReadTensorLine(BlockTokens(lines, pos, 40), 3, block);

    for (int number = 41;; ++number) {
        if (!BlockLine(lines, pos, number, line))
            return BlockRead::Truncated;
        if (IsOrientationLine(line)) {
            ReadOrientation(TokenLine(line), 4, block);
            Advance(lines, pos, static_cast<std::size_t>(number) + 2);
            return BlockRead::Complete;
        }
        const TokenLine tokens(line);
        if (tokens.token(1) != "GEOGRAPH")
            continue;
        ReadTensorLine(tokens, 0, block);
        if (!BlockLine(lines, pos, ++number, line))
            return BlockRead::Truncated;
        if (IsOrientationLine(line)) {
            ReadOrientation(TokenLine(line), 4, block);
            Advance(lines, pos, static_cast<std::size_t>(number) + 2);
            return BlockRead::Complete;
        }
        ReadTensorLine(TokenLine(line), 3, block);
    }
}

BlockRead ReadApgBlock(const std::vector<std::string_view>& lines, std::size_t& pos,
                       TextBlock& block)
{
    std::string_view line;
    if (!BlockLine(lines, pos, 49, line))
        return BlockRead::Truncated;
    BlockLine(lines, pos, 1, line);
    block.NameBytes = NameField(line, 22);
    std::erase(block.NameBytes, '\f');
    ReadGroups(BlockTokens(lines, pos, 16), block);
    ReadScale(BlockTokens(lines, pos, 29), 2, block);
    ReadTensorLine(BlockTokens(lines, pos, 45), 0, block);
    ReadTensorLine(BlockTokens(lines, pos, 46), 3, block);
    ReadOrientation(BlockTokens(lines, pos, 49), 3, block);
    Advance(lines, pos, 51);
    return BlockRead::Complete;
}

BlockRead ReadAscBlock(const std::vector<std::string_view>& lines, std::size_t& pos,
                       TextBlock& block)
{
    std::string_view line;
    if (!BlockLine(lines, pos, 50, line))
        return BlockRead::Truncated;
    BlockLine(lines, pos, 1, line);
    block.NameBytes = NameField(line, 15);

    const TokenLine groups = BlockTokens(lines, pos, 11);
    block.Code1 = std::string(groups.token(1));
    std::tie(block.Plane1, block.Dip1) = groups.integerPair(2);
    std::tie(block.Line1Dec, block.Line1Inc) = groups.integerPair(3);
    block.Code2 = std::string(groups.token(4));
    std::tie(block.Plane2, block.Dip2) = groups.integerPair(5);
    std::tie(block.Line2Dec, block.Line2Inc) = groups.integerPair(6);

    ReadScale(BlockTokens(lines, pos, 25), 3, block);
    ReadTensorLine(BlockTokens(lines, pos, 49), 0, block);
    ReadTensorLine(BlockTokens(lines, pos, 50), 3, block);
    Advance(lines, pos, 53);
    return BlockRead::Complete;
}

} // namespace tesmor::formats::detail
