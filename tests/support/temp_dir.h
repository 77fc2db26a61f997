#pragma once

// A fresh folder below the system's temporary folder, removed with everything in it at the end
// of the test. Tests write here, never beside their data.

#include <filesystem>
#include <string>

namespace tesmor::test {

class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The full path of a file in the folder, as text.
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Writes bytes to a file, replacing it.
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

// The repository's folder, for reading checked-in test data.
std::filesystem::path SourceDir();

} // namespace tesmor::test
