#pragma once

#include <locale.h>

namespace tabula {

// Numbers that leave the program (request bodies, SQL text, files) or are
// read from them use the C conventions ("120.00") whatever locale the
// desktop gave the process. While an object lives, the calling thread
// formats and parses in the C locale; the previous thread locale comes back
// when it goes. Only this thread is affected, so it is safe beside workers.
class CLocaleScope {
public:
    CLocaleScope();
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

    // strtod in the C locale.
    static double ParseDouble(const char* text, char** end);
    // The process-wide numeric locale back to C (after a toolkit adopted the
    // user's locale at start-up); the rest of the user's locale is kept.
    static void ResetProcessNumericLocale();

private:
    locale_t m_previous;
};

} // namespace tabula
