#include "plugins/common/DataFolder.h"

#include "base/DatabaseFile.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>

namespace q9 {

namespace {

std::mutex& Lock()
{
    static std::mutex m;
    return m;
}

std::string& Chosen()
{
    static std::string dir;
    return dir;
}

std::string Env(const char* name)
{
    const char* v = std::getenv(name);
    return v != nullptr ? std::string(v) : std::string();
}

} // namespace

void DataFolder::Set(const char* dir)
{
    std::lock_guard<std::mutex> guard(Lock());
    Chosen() = dir != nullptr ? dir : "";
}

std::string DataFolder::Dir()
{
    {
        std::lock_guard<std::mutex> guard(Lock());
        if (!Chosen().empty())
            return Chosen();
    }
    std::string dir = Env("ZEV_DATA_DIR");
    if (!dir.empty())
        return dir;
    dir = Env("XDG_DATA_HOME");
    if (!dir.empty())
        return dir + "/ZevSatchel";
    dir = Env("HOME");
    if (dir.empty())
        dir = "/tmp";
    return dir + "/.local/share/ZevSatchel";
}

std::string DataFolder::TempDir()
{
    const std::string dir = Dir() + "/Temp";
    return MakeDirs(dir) ? dir : std::string();
}

std::string DataFolder::DatabasePath(const std::string& value)
{
    // The program hands the helper libraries a full path; a bare name is
    // looked up the way the program does.
    if (value.find('/') != std::string::npos)
        return value;
    return zev::DatabaseFile(Dir(), value);
}

bool DataFolder::MakeDirs(const std::string& dir)
{
    if (dir.empty())
        return false;
    struct stat st {};
    if (::stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const auto slash = dir.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirs(dir.substr(0, slash)))
        return false;
    return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace q9
