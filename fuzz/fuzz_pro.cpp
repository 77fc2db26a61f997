// Fuzz target of the ".pro" text data reader.

#include "fuzz_text_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return tesmor::fuzz::FuzzTextReader(tesmor::formats::ReadProText, data, size, "fuzz.pro");
}
