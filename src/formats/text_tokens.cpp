#include "formats/text_tokens.h"

#include "model/number_text.h"

#include <cmath>
#include <limits>

namespace tesmor::formats {

std::vector<std::string_view> SplitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.push_back(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.substr(start));
    return lines;
}

std::string_view TrimSpaces(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

TokenLine::TokenLine(std::string_view line)
{
    const std::string_view trimmed = TrimSpaces(line);
    if (trimmed.size() < 2)
        return;
    std::size_t i = 0;
    while (i < trimmed.size() && m_count < MaxTokens) {
        while (i < trimmed.size() && trimmed[i] == ' ')
            ++i;
        const std::size_t start = i;
        while (i < trimmed.size() && trimmed[i] != ' ')
            ++i;
        if (i > start)
            m_tokens[static_cast<std::size_t>(m_count++)] = trimmed.substr(start, i - start);
    }
}

std::string_view TokenLine::token(int k) const
{
    if (k < 1 || k > m_count)
        return {};
    return m_tokens[static_cast<std::size_t>(k - 1)];
}

float TokenLine::real(int k) const
{
    return ToSingle(model::LeadingNumber(token(k)));
}

double TokenLine::integer(int k) const
{
    return model::RoundHalfEven(model::LeadingNumber(token(k)));
}

std::pair<double, double> TokenLine::integerPair(int k) const
{
    const std::string_view t = token(k);
    const std::size_t slash = t.find('/');
    if (slash == std::string_view::npos)
        return {model::RoundHalfEven(model::LeadingNumber(t)), 0.0};
    return {model::RoundHalfEven(model::LeadingNumber(t.substr(0, slash))),
            model::RoundHalfEven(model::LeadingNumber(t.substr(slash + 1)))};
}

float ToSingle(double x)
{
    constexpr double largest = std::numeric_limits<float>::max();
    if (x > largest)
        return std::numeric_limits<float>::infinity();
    if (x < -largest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(x);
}

} // namespace tesmor::formats
