// A stand-in helper library that only notes that it was loaded; compile
// definitions choose which entry points it exports.

#include <cstdio>
#include <cstdlib>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

__attribute__((constructor)) void NoteLoad()
{
    if (const char* log = std::getenv("ZEV_FAKE_LOAD_LOG")) {
        if (std::FILE* f = std::fopen(log, "a")) {
            std::fprintf(f, "%s\n", FAKE_NAME);
            std::fclose(f);
        }
    }
}

} // namespace

#ifdef FAKE_UTIL
FAKE_EXPORT int Q9Hash(const char*, char*, int) { return 1; }
FAKE_EXPORT int Q9HashFile(const char*, char*, int) { return 1; }
FAKE_EXPORT int Q9SetTime(int, int, int, int, int, int) { return 0; }
FAKE_EXPORT int Q9Connect(const char*, void*) { return 2; }
FAKE_EXPORT int Q9Disconnect() { return 1; }
#ifndef FAKE_UTIL_WITHOUT_ISCONNECTED
FAKE_EXPORT int Q9IsConnected() { return 0; }
#endif
#endif

#ifdef FAKE_CPRS
FAKE_EXPORT int Q9Compress(const char*, int) { return 1; }
FAKE_EXPORT int Q9Uncompress(const char*, int) { return 1; }
#endif

#ifdef FAKE_INET
FAKE_EXPORT int Q9TestConnection(int) { return 1; }
FAKE_EXPORT int PostDataT2(const char*, const char*, const char*, const char*, int, void*, int) { return 2; }
#endif

#ifdef FAKE_PRICING
namespace {
int g_closed = 0;
}
FAKE_EXPORT int Q9CalculatePrice(const char*, const char*, const char*, const char*, const char*, const char*,
                                 const char*, const char*, const char*, char*, char*)
{
    return 0;
}
FAKE_EXPORT int Q9EnumeratePrices(const char*, const char*, const char*, const char*, const char*, const char*, char*,
                                  char*, char*, char*)
{
    return 0;
}
// Notes the close so the test sees that unloading lets pricing close first.
FAKE_EXPORT int Q9ClosePricing()
{
    ++g_closed;
    if (const char* log = std::getenv("ZEV_FAKE_LOAD_LOG")) {
        if (std::FILE* f = std::fopen(log, "a")) {
            std::fprintf(f, "PRICING closed\n");
            std::fclose(f);
        }
    }
    return g_closed;
}
#endif
