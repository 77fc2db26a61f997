// Fuzz target of the binary AMS data file reader and writer.
//
// Any byte string is read as a data file (as susceptibility or, by the first byte, remanence
// data, appended after a few records already loaded). The reader must return records or a
// message without touching memory outside the input, and a file it accepted must be writable;
// writing, reading and writing again must give the same bytes.

#include "formats/ams_binary.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace tesmor;

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const bool remanence = size > 0 && (data[0] & 1);
    const int start = size > 0 ? 1 + (data[0] >> 1) % 4 : 1;
    const std::string path = remanence ? "fuzz.ARE" : "fuzz.ran";
    const formats::OrientationDefaults defaults {1, 2, 3, 90};

    model::Records loaded(static_cast<std::size_t>(start - 1));
    const model::Result<formats::DataImport> read
        = formats::ReadAmsBinary(bytes, path, loaded, start, defaults);
    if (!read) {
        Check(loaded.size() == static_cast<std::size_t>(start - 1));
        return 0;
    }
    Check(loaded.size() == static_cast<std::size_t>(start - 1 + read->Count));
    Check(read->Notice.has_value() == (size % 64 != 0));

    const model::Records records(loaded.begin() + (start - 1), loaded.end());
    const model::Result<std::string> written = formats::EncodeAmsBinary(records, false);
    Check(written.ok());
    model::Records again;
    const model::Result<formats::DataImport> reread
        = formats::ReadAmsBinary(*written, path, again, 1, defaults);
    Check(reread.ok() && reread->Count == read->Count && !reread->Notice);
    const model::Result<std::string> rewritten = formats::EncodeAmsBinary(again, false);
    Check(rewritten.ok() && *rewritten == *written);
    return 0;
}
