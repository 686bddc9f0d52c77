#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// A private temporary folder removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zevcore-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

    std::string Write(const std::string& name, const std::string& contents) const
    {
        const std::string path = File(name);
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }

private:
    std::string path_;
};
