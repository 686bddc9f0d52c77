#include "support/TempDir.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <stdlib.h>

namespace zevtest {

TempDir::TempDir(const std::string& prefix)
{
    std::string pattern = "/tmp/" + prefix + "XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data()))
        throw std::runtime_error("cannot make a temporary folder");
    m_path = buffer.data();
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& contents) const
{
    const std::string path = File(name);
    WriteFile(path, contents);
    return path;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

} // namespace zevtest
