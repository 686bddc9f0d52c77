#include "base/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zev {

namespace {

std::string FolderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

AtomicFile::AtomicFile(std::string target) : m_target(std::move(target)) {}

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Open(unsigned mode)
{
    Discard();
    // mkstemp gives the temporary file a name nobody else can predict.
    std::string name = m_target + ".tmpXXXXXX";
    std::vector<char> buf(name.begin(), name.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0)
        return false;
    m_fd = fd;
    m_temp = buf.data();
    if (mode != 0600 && ::fchmod(fd, static_cast<mode_t>(mode)) != 0) {
        Discard();
        return false;
    }
    return true;
}

bool AtomicFile::Write(const void* data, std::size_t size)
{
    if (m_fd < 0)
        return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(m_fd, p, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFile::Commit(bool syncToDisk)
{
    if (m_fd < 0)
        return false;
    // The rename must not reach the disk before the data does.
    const bool synced = !syncToDisk || ::fsync(m_fd) == 0;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (!synced || !closed || std::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        Discard();
        return false;
    }
    m_temp.clear();
    if (!syncToDisk)
        return true;
    const int dir = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

void AtomicFile::RemoveStale(const std::string& target)
{
    const std::string folder = FolderOf(target);
    const auto slash = target.find_last_of('/');
    const std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        // mkstemp adds exactly six characters.
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
            ::unlink((folder + "/" + name).c_str());
    }
    ::closedir(dir);
}

void AtomicFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

bool WriteFileAtomically(const std::string& path, std::string_view contents, unsigned mode, std::string* error,
                         bool syncToDisk)
{
    AtomicFile file(path);
    const auto fail = [&](const std::string& what) {
        if (error)
            *error = what + ": " + std::strerror(errno);
        return false;
    };
    if (!file.Open(mode))
        return fail("cannot create a temporary file beside " + path);
    if (!file.Write(contents.data(), contents.size()))
        return fail("cannot write " + file.TempPath());
    if (!file.Commit(syncToDisk))
        return fail("cannot replace " + path);
    return true;
}

bool SyncFileToDisk(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT; // nothing written, nothing to lose
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    const int dirFd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ok = ::fsync(dirFd) == 0 && ok;
        ::close(dirFd);
    }
    return ok;
}

bool ReadWholeFile(const std::string& path, std::string& contents)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return false;
    contents = buffer.str();
    return true;
}

} // namespace zev
