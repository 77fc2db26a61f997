#pragma once

// Number and text helpers shared by every file format, listing and plot label.

#include <cstdint>
#include <string>
#include <string_view>

namespace tesmor::model {

// Round to the nearest integer, ties to even (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double x);

// RoundHalfEven into a 16-bit integer; false when the value is not finite or does not fit.
bool RoundToInt16(double x, std::int16_t& out);

// The shortest decimal text that reads back as the same float ("1300", "0.1", "-2.5E-07" as
// "-2.5e-07"). Non-finite values give "NaN", "Infinity" or "-Infinity".
std::string ShortestText(float x);

// The number rule of the header's orientation parameters: not empty, not a lone ".", "+" or
// "-"; only digits, ".", "+" and "-"; a sign only first; at most one ".".
bool IsNumber(std::string_view s);

// The leading number of a text field: leading blanks skipped, then an optional sign, digits, an
// optional decimal point and digits, an optional exponent; 0 when no number starts the text. A
// number too large for a double is infinite ("1e400"), one too small is 0 ("1e-400").
double LeadingNumber(std::string_view s);

// Blanks (space, tab, CR, LF) trimmed from both ends.
std::string Trim(std::string_view s);

// Lower case of ASCII letters (file extensions); other bytes unchanged.
std::string ToLower(std::string_view s);

// Cut to `width` bytes or pad with blanks on the right.
std::string FitField(std::string_view s, std::size_t width);

// Scientific notation of listings and plot labels: mantissa with two decimals, "E", sign and an
// exponent of at least two digits (0.000345 -> "3.45E-04", 0 -> "0.00E-100").
std::string FormatScientific(float x);

} // namespace tesmor::model
