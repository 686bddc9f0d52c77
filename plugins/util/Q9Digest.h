#pragma once

#include <string>

namespace q9 {

// Digests in the form Q9UTIL.so hands out: 32 lower-case hexadecimal
// characters. Password digests are salted with a fixed application salt and
// stretched (PBKDF2-HMAC-SHA256) so they are deterministic, as the program and
// the server compare them as text, yet slow to attack by brute force.
class Q9Digest {
public:
    static constexpr int kLength = 32;
    static constexpr int kIterations = 100000;

    // Empty string on failure (should not happen with a working libcrypto).
    static std::string Password(const std::string& password);

    // SHA-256 of the file's contents, first 16 bytes; empty when unreadable.
    static std::string File(const std::string& path);

    // Copies a digest into a caller's buffer of `size` bytes: 33 or more gets
    // the terminator, exactly 32 gets the bare characters; smaller fails.
    static bool CopyOut(const std::string& digest, char* out, int size);
};

} // namespace q9
