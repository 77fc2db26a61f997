#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace tesmor::test {

TempDir::TempDir()
{
    std::random_device device;
    const auto base = std::filesystem::temp_directory_path();
    do {
        m_path = base / ("tesmor-test-" + std::to_string(device()));
    } while (std::filesystem::exists(m_path));
    std::filesystem::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::filesystem::path SourceDir()
{
    if (const char* dir = std::getenv("TESMOR_SOURCE_DIR"))
        return dir;
    return TESMOR_SOURCE_DIR_DEFAULT;
}

} // namespace tesmor::test
