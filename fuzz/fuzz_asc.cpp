// Fuzz target of the ".asc" text data reader.

#include "fuzz_text_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return tesmor::fuzz::FuzzTextReader(tesmor::formats::ReadAscText, data, size, "fuzz.asc");
}
