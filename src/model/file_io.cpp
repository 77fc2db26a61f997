#include "model/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace tesmor::model {

namespace fs = std::filesystem;

Result<std::string> ReadWholeFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return InputError("Cannot open file  " + path + "  (" + std::strerror(errno) + ")");
    // Read straight into a string sized from the file's length; a file that grows or shrinks
    // meanwhile is read to its actual end.
    std::string content;
    std::error_code ec;
    const auto length = fs::file_size(path, ec);
    if (!ec)
        content.resize(static_cast<std::size_t>(length));
    std::size_t used = std::fread(content.data(), 1, content.size(), file);
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        content.resize(used);
        content.append(buffer, n);
        used = content.size();
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return InputError("Cannot read file  " + path);
    content.resize(used);
    return content;
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

namespace {

std::string TemporaryNameBeside(const fs::path& target)
{
    std::random_device device;
    // Appended piece by piece: GCC 12 reports a false -Wrestrict on chained concatenation.
    std::string name = ".";
    name += target.filename().string();
    name += '.';
    name += std::to_string(device() % 1000000u);
    name += ".tmp";
    return (target.parent_path() / name).string();
}

UserMessage WriteFailure(const std::string& path, const std::string& reason)
{
    return OutputError("Cannot write file  " + path + "  (" + reason + ")");
}

// Writes `bytes` to the file `name`, created or emptied; 0 or the error number of the failure.
int WriteBytes(const std::string& name, std::string_view bytes)
{
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (!file)
        return errno;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written)
        return writeErrno != 0 ? writeErrno : EIO;
    return closed ? 0 : errno;
}

} // namespace

Status WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    const fs::path target(path);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status))
        return WriteFailure(path, "it is a folder");
    // A device or pipe is written where it is: a renamed file would replace it.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        const int error = WriteBytes(path, bytes);
        return error == 0 ? Status {} : Status {WriteFailure(path, std::strerror(error))};
    }
    const std::string temporary = TemporaryNameBeside(target);
    if (const int error = WriteBytes(temporary, bytes)) {
        std::remove(temporary.c_str());
        return WriteFailure(path, std::strerror(error));
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return WriteFailure(path, ec.message());
    }
    return std::nullopt;
}

} // namespace tesmor::model
