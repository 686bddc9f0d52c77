#include "app/core/ZevFolders.h"

#include "base/DatabaseFile.h"
#include "base/Text.h"

#include "ZevVersion.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zev {

namespace {

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

void SetError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

} // namespace

ZevFolders::ZevFolders() : ZevFolders(DefaultProgramDir()) {}

ZevFolders::ZevFolders(std::string programDir, std::string dataDir)
    : m_programDir(WithoutTrailingSlash(std::move(programDir))),
      m_dataDir(dataDir.empty() ? DataDirFromEnvironment() : WithoutTrailingSlash(std::move(dataDir)))
{
}

std::string ZevFolders::ExecutableDir()
{
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return ".";
    std::string path(buffer.data(), static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string ZevFolders::ProgramDirFromArgs(int argc, const char* const* argv)
{
    for (int i = 1; i < argc && argv[i]; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--home" && i + 1 < argc && argv[i + 1] && *argv[i + 1])
            return WithoutTrailingSlash(argv[i + 1]);
        if (arg.substr(0, 7) == "--home=" && arg.size() > 7)
            return WithoutTrailingSlash(std::string(arg.substr(7)));
    }
    return DefaultProgramDir();
}

std::string ZevFolders::DefaultProgramDir() { return InstallationDir(ExecutableDir(), ZEV_KIT_FROM_BINDIR); }

std::string ZevFolders::InstallationDir(const std::string& exeDir, std::string_view kitFromExe)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string here = WithoutTrailingSlash(exeDir);
    if (fs::exists(fs::path(here) / "ZevSatchel.INI", ec) || kitFromExe.empty())
        return here;
    const fs::path kit = (fs::path(here) / fs::path(kitFromExe)).lexically_normal();
    if (fs::exists(kit / "ZevSatchel.INI", ec))
        return WithoutTrailingSlash(kit.string());
    return here;
}

std::string ZevFolders::DataDirFromEnvironment()
{
    if (const char* dir = std::getenv("ZEV_DATA_DIR"); dir && *dir)
        return WithoutTrailingSlash(dir);
    // XDG says relative values are to be ignored.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return WithoutTrailingSlash(xdg) + "/ZevSatchel";
    if (const char* home = std::getenv("HOME"); home && *home)
        return WithoutTrailingSlash(home) + "/.local/share/ZevSatchel";
    return "/nonexistent/ZevSatchel";
}

std::string ZevFolders::ProgramFile(std::string_view name) const { return m_programDir + "/" + std::string(name); }

std::string ZevFolders::TempDir() const { return m_dataDir + "/Temp"; }

std::string ZevFolders::DatabasePath(std::string_view name) const { return DatabaseFile(m_dataDir, name); }

std::string ZevFolders::BackupPath(std::string_view name) const { return DatabasePath(name) + ".gz"; }
std::string ZevFolders::DebugLogPath() const { return TempDir() + "/$debug.txt"; }
std::string ZevFolders::SyncErrorLogPath() const { return TempDir() + "/$q9err.txt"; }
std::string ZevFolders::InventoryFilePath() const { return m_dataDir + "/OnHand/Inventory.txt"; }

std::string ZevFolders::Map(std::string_view windowsPath) const
{
    std::string_view path = windowsPath;
    // Drive letter ("C:").
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
        path.remove_prefix(2);

    std::vector<std::string> parts;
    std::string part;
    auto flush = [&]() {
        if (!part.empty() && part != "." && part != "..")
            parts.push_back(part);
        part.clear();
    };
    for (char c : path) {
        if (c == '\\' || c == '/')
            flush();
        else
            part += c;
    }
    flush();

    std::string result = m_dataDir;
    std::size_t first = 0;
    if (!parts.empty() && EqualsNoCase(parts[0], "temp")) {
        result = TempDir();
        first = 1;
    } else if (parts.size() >= 3 && EqualsNoCase(parts[0], "Palm") && EqualsNoCase(parts[1], "Symbol") &&
               EqualsNoCase(parts[2], "On Hand")) {
        result = m_dataDir + "/OnHand";
        first = 3;
    }
    for (std::size_t i = first; i < parts.size(); ++i)
        result += "/" + parts[i];
    return result;
}

bool ZevFolders::EnsurePrivateDir(const std::string& path, std::string* error)
{
    if (path.empty()) {
        SetError(error, "empty folder name");
        return false;
    }
    // Create missing parents as we go (owner-only for those we create).
    for (std::size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/')
            continue;
        const std::string prefix = path.substr(0, pos);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            SetError(error, "cannot create " + prefix + ": " + std::strerror(errno));
            return false;
        }
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        SetError(error, "cannot examine " + path + ": " + std::strerror(errno));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        SetError(error, path + " is not a folder");
        return false;
    }
    if (st.st_uid != ::geteuid()) {
        SetError(error, path + " belongs to another user");
        return false;
    }
    if ((st.st_mode & 077) != 0 && ::chmod(path.c_str(), st.st_mode & 0700) != 0) {
        SetError(error, "cannot restrict " + path + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

bool ZevFolders::EnsureDataDir(std::string* error) const
{
    return EnsurePrivateDir(m_dataDir, error) && EnsurePrivateDir(TempDir(), error) &&
           EnsurePrivateDir(m_dataDir + "/OnHand", error);
}

} // namespace zev
