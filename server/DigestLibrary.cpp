#include "server/DigestLibrary.h"

#include "ZevVersion.h"

#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <unistd.h>

namespace zev::server {

std::unique_ptr<DigestLibrary> DigestLibrary::Load(const std::string& path, std::string& error)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : ("cannot load " + path);
        return nullptr;
    }
    void* symbol = dlsym(handle, "Q9Hash");
    if (!symbol) {
        error = path + " has no Q9Hash";
        dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<DigestLibrary>(new DigestLibrary(handle, reinterpret_cast<HashFn>(symbol)));
}

std::string DigestLibrary::DefaultPath()
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path dir = ec ? std::filesystem::path(".") : self.parent_path();
    // Beside the executable in the build tree; in the program's private
    // library folder in an installed tree.
    const std::filesystem::path beside = dir / "Q9UTIL.so";
    const std::filesystem::path installed = (dir / ZEV_PLUGINS_FROM_BINDIR / "Q9UTIL.so").lexically_normal();
    return (!std::filesystem::exists(beside, ec) && std::filesystem::exists(installed, ec) ? installed : beside)
        .string();
}

DigestLibrary::~DigestLibrary() { dlclose(m_handle); }

std::string DigestLibrary::Digest(const std::string& password) const
{
    // The program passes a 33-byte buffer at sign-in; the digest is the first 32 characters.
    char buffer[33];
    std::memset(buffer, 0, sizeof buffer);
    m_hash(password.c_str(), buffer, 33);
    buffer[32] = '\0';
    return buffer;
}

} // namespace zev::server
