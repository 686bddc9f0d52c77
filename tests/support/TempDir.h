#pragma once

#include <filesystem>
#include <string>

namespace zevtest {

// A fresh folder of the test's own under /tmp, removed with everything in it
// at the end. Made by mkdtemp: never a name another user could take first.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "zevtest");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::filesystem::path Dir() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // Writes `contents` to the named file inside; its path.
    std::string Write(const std::string& name, const std::string& contents) const;

private:
    std::string m_path;
};

// Whole-file helpers for fixtures: binary, no newline translation.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);

} // namespace zevtest
