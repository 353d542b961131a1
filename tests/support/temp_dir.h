#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace yanchuan::testing {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir final {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "yanchuan-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    ~TempDir()
    {
        std::error_code ignored;
        if (!m_path.empty()) {
            std::filesystem::remove_all(m_path, ignored);
        }
    }

    // Empty when the directory could not be made.
    const std::filesystem::path& Path() const { return m_path; }

    // Writes the bytes to a file of the given relative name, making the
    // directories on the way, and returns its full path.
    std::filesystem::path Write(const std::filesystem::path& name, std::string_view bytes) const
    {
        const auto full = m_path / name;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return full;
    }

private:
    std::filesystem::path m_path;
};

} // namespace yanchuan::testing
