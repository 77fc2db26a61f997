#pragma once

// Files hold one byte per character in Windows-1252; memory holds UTF-8.

#include <string>
#include <string_view>

namespace tesmor::model {

std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte become '?'; malformed UTF-8 bytes are taken as
// Windows-1252 bytes unchanged.
std::string Utf8ToCp1252(std::string_view text);

// Upper case of the letters of Windows-1252, ASCII and beyond ('\xE9' e-acute -> '\xC9', s-caron
// -> S-caron, y-diaeresis -> Y-diaeresis); other bytes unchanged.
char UpperCp1252(char byte);
std::string UpperCp1252(std::string_view bytes);

// The same upper case on text in memory (UTF-8): the characters of Windows-1252 as above, every
// other character unchanged. Used where names and letters are compared without regard to case.
std::string UpperText(std::string_view text);

// A structure type letter is one character of a data file, kept as its Windows-1252 byte: the
// byte of character `index` (counted in characters) of the UTF-8 text, or `missing` when the text
// is shorter ('?' for a character without a Windows-1252 byte).
char Cp1252Letter(std::string_view text, std::size_t index, char missing);

// A letter as text in memory (UTF-8).
std::string LetterText(char letter);

} // namespace tesmor::model
