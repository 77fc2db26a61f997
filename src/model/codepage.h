#pragma once

// Files hold one byte per character in Windows-1252; memory holds UTF-8.

#include <string>
#include <string_view>

namespace tesmor::model {

std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte become '?'; malformed UTF-8 bytes are taken as
// Windows-1252 bytes unchanged.
std::string Utf8ToCp1252(std::string_view text);

} // namespace tesmor::model
