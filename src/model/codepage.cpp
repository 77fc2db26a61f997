#include "model/codepage.h"

#include <array>
#include <cstdint>

namespace tesmor::model {

namespace {

// Unicode code points of Windows-1252 bytes 0x80-0x9F; 0 marks the five unassigned bytes, which
// are kept as the C1 control characters of the same value.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t CodePointOfByte(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F && HighControls[b - 0x80] != 0)
        return HighControls[b - 0x80];
    return b;
}

// The Windows-1252 byte of a code point, or -1 when it has none.
int ByteOfCodePoint(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (std::size_t i = 0; i < HighControls.size(); ++i)
        if (HighControls[i] == c || (HighControls[i] == 0 && c == 0x80 + i))
            return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes one UTF-8 sequence at `i`; returns its length, or 0 when it is malformed.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& c)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t length = 0;
    if (b0 < 0x80) {
        c = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        length = 2;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4;
        c = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + length > s.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    return length;
}

} // namespace

char UpperCp1252(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
        return static_cast<char>(b - 0x20);
    switch (b) {
    case 0x9A: // s caron
    case 0x9C: // oe ligature
    case 0x9E: // z caron
        return static_cast<char>(b - 0x10);
    case 0xFF: // y diaeresis
        return static_cast<char>(0x9F);
    default:
        return byte;
    }
}

std::string UpperCp1252(std::string_view bytes)
{
    std::string out(bytes);
    for (char& c : out)
        c = UpperCp1252(c);
    return out;
}

std::string UpperText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(text, i, c);
        const int byte = length == 0 ? -1 : ByteOfCodePoint(c);
        if (byte < 0) {
            // Malformed bytes and characters beyond Windows-1252 stay as they are.
            const std::size_t n = length == 0 ? 1 : length;
            out.append(text.substr(i, n));
            i += n;
            continue;
        }
        AppendUtf8(out, CodePointOfByte(static_cast<unsigned char>(UpperCp1252(char(byte)))));
        i += length;
    }
    return out;
}

char Cp1252Letter(std::string_view text, std::size_t index, char missing)
{
    std::size_t i = 0;
    for (std::size_t k = 0; i < text.size(); ++k) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(text, i, c);
        if (k == index) {
            if (length == 0)
                return text[i];
            const int byte = ByteOfCodePoint(c);
            return byte < 0 ? '?' : static_cast<char>(byte);
        }
        i += length == 0 ? 1 : length;
    }
    return missing;
}

std::string LetterText(char letter)
{
    return Cp1252ToUtf8(std::string_view(&letter, 1));
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        AppendUtf8(out, CodePointOfByte(static_cast<unsigned char>(b)));
    return out;
}

std::string Utf8ToCp1252(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8(text, i, c);
        if (length == 0) {
            out += text[i];
            ++i;
            continue;
        }
        const int byte = ByteOfCodePoint(c);
        out += byte < 0 ? '?' : static_cast<char>(byte);
        i += length;
    }
    return out;
}

} // namespace tesmor::model
