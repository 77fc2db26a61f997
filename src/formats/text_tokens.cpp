#include "formats/text_tokens.h"

#include "model/number_text.h"

#include <cmath>
#include <limits>

namespace tesmor::formats {

bool LineCursor::next(std::string_view& line)
{
    if (m_pos >= m_bytes.size())
        return false;
    std::size_t end = m_pos;
    while (end < m_bytes.size() && m_bytes[end] != '\r' && m_bytes[end] != '\n')
        ++end;
    line = m_bytes.substr(m_pos, end - m_pos);
    if (end < m_bytes.size() && m_bytes[end] == '\r' && end + 1 < m_bytes.size()
        && m_bytes[end + 1] == '\n')
        ++end;
    m_pos = end + 1;
    return true;
}

bool LineCursor::restIsBlank() const
{
    for (std::size_t i = m_pos; i < m_bytes.size(); ++i) {
        const char c = m_bytes[i];
        if (c != ' ' && c != '\t' && c != '\f' && c != '\r' && c != '\n')
            return false;
    }
    return true;
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
