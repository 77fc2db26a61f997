#include "model/number_text.h"

#include <charconv>
#include <cmath>
#include <fmt/format.h>
#include <limits>

namespace tesmor::model {

double RoundHalfEven(double x)
{
    // The default floating-point environment rounds to nearest, ties to even.
    return std::nearbyint(x);
}

bool RoundToInt16(double x, std::int16_t& out)
{
    if (!std::isfinite(x))
        return false;
    const double r = RoundHalfEven(x);
    if (r < std::numeric_limits<std::int16_t>::min()
        || r > std::numeric_limits<std::int16_t>::max())
        return false;
    out = static_cast<std::int16_t>(r);
    return true;
}

std::string ShortestText(float x)
{
    if (std::isnan(x))
        return "NaN";
    if (std::isinf(x))
        return x > 0 ? "Infinity" : "-Infinity";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ptr);
}

namespace {

// A decimal number beyond the range of a double: infinite when its magnitude is too large, zero
// when it is too small, with its sign. The magnitude is judged by the position of the first
// significant digit and the exponent.
double OutOfRange(std::string_view number)
{
    const bool negative = !number.empty() && number.front() == '-';
    long long magnitude = 0; // decimal position of the first significant digit
    std::size_t i = negative ? 1 : 0;
    bool seen = false;
    bool fraction = false;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            fraction = true;
        } else if (!seen && number[i] == '0') {
            magnitude -= fraction ? 1 : 0;
        } else if (!seen) {
            seen = true;
        } else if (!fraction) {
            ++magnitude;
        }
    }
    if (i < number.size()) {
        long long exponent = 0;
        const char* first = number.data() + i + 1;
        if (first < number.data() + number.size() && *first == '+')
            ++first;
        const auto parsed = std::from_chars(first, number.data() + number.size(), exponent);
        if (parsed.ec == std::errc::result_out_of_range)
            exponent = *first == '-' ? -1000000 : 1000000;
        magnitude += exponent;
    }
    const double value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

} // namespace

bool IsNumber(std::string_view s)
{
    if (s.empty() || s == "." || s == "+" || s == "-")
        return false;
    int points = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9')
            continue;
        if (c == '.') {
            if (++points > 1)
                return false;
            continue;
        }
        if ((c == '+' || c == '-') && i == 0)
            continue;
        return false;
    }
    return true;
}

double LeadingNumber(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    std::size_t end = i;
    if (end < s.size() && (s[end] == '+' || s[end] == '-'))
        ++end;
    const std::size_t digitsStart = end;
    while (end < s.size() && s[end] >= '0' && s[end] <= '9')
        ++end;
    std::size_t mantissaDigits = end - digitsStart;
    if (end < s.size() && s[end] == '.') {
        ++end;
        const std::size_t fractionStart = end;
        while (end < s.size() && s[end] >= '0' && s[end] <= '9')
            ++end;
        mantissaDigits += end - fractionStart;
    }
    if (mantissaDigits == 0)
        return 0.0;
    // An exponent counts only when digits follow it.
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        std::size_t e = end + 1;
        if (e < s.size() && (s[e] == '+' || s[e] == '-'))
            ++e;
        const std::size_t expStart = e;
        while (e < s.size() && s[e] >= '0' && s[e] <= '9')
            ++e;
        if (e > expStart)
            end = e;
    }
    std::size_t start = i;
    if (s[start] == '+')
        ++start;
    double value = 0.0;
    const auto result = std::from_chars(s.data() + start, s.data() + end, value);
    if (result.ec == std::errc::result_out_of_range)
        return OutOfRange(s.substr(start, end - start));
    if (result.ec != std::errc())
        return 0.0;
    return value;
}

std::string Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && blank(s[b]))
        ++b;
    while (e > b && blank(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

std::string ToLower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string FitField(std::string_view s, std::size_t width)
{
    std::string out(s.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string FormatScientific(float x)
{
    // Listings must never show garbage: non-finite values are written as words.
    if (!std::isfinite(x))
        return ShortestText(x);
    float m = 0.0f;
    int e = -100;
    if (x != 0.0f) {
        // The mantissa is brought into [1, 10) by steps of ten, as in single precision; the
        // exponent then follows from the ratio, so that a mantissa that later rounds to 10.00
        // keeps the exponent of the unrounded one.
        m = std::fabs(x);
        for (int guard = 0; guard < 100 && !(m >= 1.0f && m < 10.0f); ++guard) {
            if (m < 1.0f)
                m *= 10.0f;
            else
                m /= 10.0f;
        }
        e = static_cast<int>(RoundHalfEven(std::log10(std::fabs(x) / m)));
        if (x < 0.0f)
            m = -m;
    }
    // fmt formats independently of the C locale: the decimal separator is always a point.
    if (e >= 0)
        return fmt::format("{:.2f}E+{:02d}", m, e);
    return fmt::format("{:.2f}E-{:02d}", m, -e);
}

} // namespace tesmor::model
