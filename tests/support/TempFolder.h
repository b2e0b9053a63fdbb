#pragma once
// Temporary folders for tests and whole-file reads and writes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace testing_support {

/// A fresh folder of its own, removed with everything in it, read-only
/// files and folders included.
class TempFolder
{
public:
    explicit TempFolder(const std::string& prefix = "tickerdeck-test")
    {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do
            m_path = base / (prefix + "-" + std::to_string(random()));
        while (!std::filesystem::create_directories(m_path));
    }
    ~TempFolder()
    {
        std::error_code ignored;
        for (auto entry = std::filesystem::recursive_directory_iterator(m_path, ignored);
             entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored))
            std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

/// Writes `text` as the whole file, creating the folders on its way.
inline void WriteBytes(const std::filesystem::path& path, const std::string& text)
{
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace testing_support
