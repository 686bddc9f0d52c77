// A price library that lacks two of its entry points, for the binding's
// refusal of an incomplete library.
extern "C" __attribute__((visibility("default"))) int Q9CalculatePrice(const char*, const char*, const char*,
                                                                       const char*, const char*, const char*,
                                                                       const char*, const char*, const char*, char*,
                                                                       char*)
{
    return 0;
}
