#pragma once

#include <memory>
#include <string>

namespace zev::server {

// The program's password digest, taken from the same helper library the program loads (Q9UTIL.so and
// its Q9Hash), so the digests the server stores are the ones the program sends.
class DigestLibrary {
public:
    // Loads the library; null with a reason when it or its entry point is missing.
    static std::unique_ptr<DigestLibrary> Load(const std::string& path, std::string& error);
    // The library beside the running executable.
    static std::string DefaultPath();
    ~DigestLibrary();
    DigestLibrary(const DigestLibrary&) = delete;
    DigestLibrary& operator=(const DigestLibrary&) = delete;

    // The 32-character digest of the password.
    std::string Digest(const std::string& password) const;

private:
    using HashFn = int (*)(const char*, char*, int);
    DigestLibrary(void* handle, HashFn hash) : m_handle(handle), m_hash(hash) {}
    void* m_handle;
    HashFn m_hash;
};

} // namespace zev::server
