#include "plugins/util/Q9Digest.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <openssl/evp.h>

namespace q9 {

namespace {

// Changing the salt or the iteration count changes every stored digest, and
// every representative would have to set their password again.
constexpr char kSalt[] = "ZevSatchel.Q9Hash.v1/field-sales";

std::string Hex(const unsigned char* bytes, std::size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(digits[bytes[i] >> 4]);
        out.push_back(digits[bytes[i] & 0x0f]);
    }
    return out;
}

} // namespace

std::string Q9Digest::Password(const std::string& password)
{
    unsigned char key[kLength / 2];
    if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                          reinterpret_cast<const unsigned char*>(kSalt), sizeof kSalt - 1, kIterations, EVP_sha256(),
                          sizeof key, key) != 1)
        return {};
    return Hex(key, sizeof key);
}

std::string Q9Digest::File(const std::string& path)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in)
        return {};
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1)
        return {};
    unsigned char buf[64 * 1024];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, in.get())) > 0) {
        if (EVP_DigestUpdate(ctx.get(), buf, n) != 1)
            return {};
    }
    if (std::ferror(in.get()))
        return {};
    unsigned char md[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    if (EVP_DigestFinal_ex(ctx.get(), md, &len) != 1 || len < kLength / 2)
        return {};
    return Hex(md, kLength / 2);
}

bool Q9Digest::CopyOut(const std::string& digest, char* out, int size)
{
    if (out == nullptr || size <= 0)
        return false;
    if (digest.size() != kLength || size < kLength) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, digest.data(), kLength);
    if (size > kLength)
        out[kLength] = '\0';
    return true;
}

} // namespace q9
