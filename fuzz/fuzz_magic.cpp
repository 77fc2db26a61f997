// Fuzz target of the MagIC specimens table reader.

#include "formats/exchange_formats.h"
#include "fuzz_text_common.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return tesmor::fuzz::FuzzTextReader(tesmor::formats::ReadMagicTable, data, size, "fuzz.txt");
}
