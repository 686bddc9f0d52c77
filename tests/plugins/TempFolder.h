#pragma once

#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

// A private folder removed with everything in it at the end of a test.
class TempFolder {
public:
    TempFolder() : m_dir("zevplug") {}

    std::filesystem::path Path() const { return m_dir.Dir(); }
    std::string operator/(const std::string& name) const { return m_dir.File(name); }

private:
    zevtest::TempDir m_dir;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}
