// Fuzz target of the ".apg" text data reader.

#include "fuzz_text_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return tesmor::fuzz::FuzzTextReader(tesmor::formats::ReadApgText, data, size, "fuzz.apg");
}
