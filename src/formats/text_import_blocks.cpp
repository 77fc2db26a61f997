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

// Reads the next `count` lines of the block into `block`; false when the file ends first.
bool ReadLines(LineCursor& lines, std::vector<std::string_view>& block, int count)
{
    block.clear();
    std::string_view line;
    for (int i = 0; i < count; ++i) {
        if (!lines.next(line))
            return false;
        block.push_back(line);
    }
    return true;
}

void Skip(LineCursor& lines, int count)
{
    std::string_view line;
    for (int i = 0; i < count && lines.next(line); ++i) { }
}

// Line `number` of the block (1-based) and its tokens.
std::string_view Line(const std::vector<std::string_view>& block, int number)
{
    return block[static_cast<std::size_t>(number - 1)];
}

TokenLine Tokens(const std::vector<std::string_view>& block, int number)
{
    return TokenLine(Line(block, number));
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

bool IsOrientationLine(std::string_view line)
{
    return line.substr(0, std::min<std::size_t>(12, line.size())) == " ORIENTATION";
}

} // namespace

BlockRead ReadProBlock(LineCursor& lines, std::vector<std::string_view>& scratch, TextBlock& block)
{
    if (!ReadLines(lines, scratch, 40))
        return BlockRead::Truncated;
    block.NameBytes = NameField(Line(scratch, 1), 22);
    ReadGroups(Tokens(scratch, 14), block);
    ReadScale(Tokens(scratch, 27), 2, block);
    ReadTensorLine(Tokens(scratch, 39), 0, block);
    ReadTensorLine(Tokens(scratch, 40), 3, block);

    std::string_view line;
    for (;;) {
        if (!lines.next(line))
            return BlockRead::Truncated;
        if (IsOrientationLine(line))
            break;
        const TokenLine tokens(line);
        if (tokens.token(1) != "GEOGRAPH")
            continue;
        ReadTensorLine(tokens, 0, block);
        if (!lines.next(line))
            return BlockRead::Truncated;
        if (IsOrientationLine(line))
            break;
        ReadTensorLine(TokenLine(line), 3, block);
    }
    ReadOrientation(TokenLine(line), 4, block);
    Skip(lines, 2);
    return BlockRead::Complete;
}

BlockRead ReadApgBlock(LineCursor& lines, std::vector<std::string_view>& scratch, TextBlock& block)
{
    if (!ReadLines(lines, scratch, 49))
        return BlockRead::Truncated;
    block.NameBytes = NameField(Line(scratch, 1), 22);
    std::erase(block.NameBytes, '\f');
    ReadGroups(Tokens(scratch, 16), block);
    ReadScale(Tokens(scratch, 29), 2, block);
    ReadTensorLine(Tokens(scratch, 45), 0, block);
    ReadTensorLine(Tokens(scratch, 46), 3, block);
    ReadOrientation(Tokens(scratch, 49), 3, block);
    Skip(lines, 2);
    return BlockRead::Complete;
}

BlockRead ReadAscBlock(LineCursor& lines, std::vector<std::string_view>& scratch, TextBlock& block)
{
    if (!ReadLines(lines, scratch, 50))
        return BlockRead::Truncated;
    block.NameBytes = NameField(Line(scratch, 1), 15);

    const TokenLine groups = Tokens(scratch, 11);
    block.Code1 = std::string(groups.token(1));
    std::tie(block.Plane1, block.Dip1) = groups.integerPair(2);
    std::tie(block.Line1Dec, block.Line1Inc) = groups.integerPair(3);
    block.Code2 = std::string(groups.token(4));
    std::tie(block.Plane2, block.Dip2) = groups.integerPair(5);
    std::tie(block.Line2Dec, block.Line2Inc) = groups.integerPair(6);

    ReadScale(Tokens(scratch, 25), 3, block);
    ReadTensorLine(Tokens(scratch, 49), 0, block);
    ReadTensorLine(Tokens(scratch, 50), 3, block);
    Skip(lines, 3);
    return BlockRead::Complete;
}

} // namespace tesmor::formats::detail
