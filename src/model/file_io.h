#pragma once

// Whole-file reading and all-or-nothing writing.

#include "model/result.h"

#include <string>
#include <string_view>

namespace tesmor::model {

// The bytes of a file, or an "Input error!" message naming it.
Result<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to a temporary file in the target's folder and renames it over the target, so
// that a failed write leaves an existing file as it was. The error names the path and reason.
Status WriteFileAtomically(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);

} // namespace tesmor::model
