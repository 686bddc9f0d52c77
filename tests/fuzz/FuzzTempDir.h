#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace zev::fuzz {

// One private folder per fuzzing process, removed at exit; harnesses that
// need a file write their input into it.
class FuzzTempDir {
public:
    FuzzTempDir()
    {
        std::string base = std::filesystem::temp_directory_path().string() + "/zevfuzzXXXXXX";
        if (char* made = mkdtemp(base.data()))
            m_path = made;
    }
    ~FuzzTempDir()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    FuzzTempDir(const FuzzTempDir&) = delete;
    FuzzTempDir& operator=(const FuzzTempDir&) = delete;

    std::string File(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }

    void Write(const std::string& name, const std::uint8_t* data, std::size_t size) const
    {
        std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

private:
    std::string m_path;
};

} // namespace zev::fuzz
