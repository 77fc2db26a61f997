#pragma once

// Lines and blank-separated tokens of the text data formats (".pro", ".apg", ".asc").
//
// A line is trimmed of spaces; a trimmed line shorter than 2 characters has no tokens; otherwise
// the tokens are the maximal runs of characters other than the space (a tab does not separate),
// numbered from 1, at most 100 of them. A token the line does not have is empty. Numbers are
// read by the leading-number rule (0 for an empty or non-numeric token).

#include <array>
#include <string_view>
#include <utility>

namespace tesmor::formats {

// Reads a text file line by line: each line ends at CR LF, LF or a lone CR (the terminator is
// not part of the line); a last line without terminator counts, an empty tail after the last
// terminator does not. Lines are views into the file's bytes.
class LineCursor
{
public:
    explicit LineCursor(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    // The next line; false at the end of the file.
    bool next(std::string_view& line);

    // True when only blank lines (spaces, tabs, form feeds) remain.
    bool restIsBlank() const;

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// A line without its leading and trailing spaces (only the space character).
std::string_view TrimSpaces(std::string_view s);

class TokenLine
{
public:
    static constexpr int MaxTokens = 100;

    TokenLine() = default;
    explicit TokenLine(std::string_view line);

    int count() const { return m_count; }

    // Token k (1-based); empty when the line has fewer tokens.
    std::string_view token(int k) const;

    // The token as a single-precision real, and as an integer (rounded to nearest, ties to
    // even; kept in a double so that out-of-range values stay visible to the caller).
    float real(int k) const;
    double integer(int k) const;

    // A pair token "a/b" as two integers; a token without a slash gives (a, 0).
    std::pair<double, double> integerPair(int k) const;

private:
    std::array<std::string_view, MaxTokens> m_tokens {};
    int m_count = 0;
};

// A double as a single-precision value; magnitudes beyond the float range become infinite
// instead of relying on an undefined conversion.
float ToSingle(double x);

} // namespace tesmor::formats
