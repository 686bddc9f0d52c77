#include "tabula/CLocaleScope.h"

#include <clocale>
#include <cstdlib>

namespace tabula {

namespace {

locale_t CLocale()
{
    // Created once and never freed: every thread may use it at any time.
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

CLocaleScope::CLocaleScope() : m_previous(uselocale(CLocale())) {}

CLocaleScope::~CLocaleScope() { uselocale(m_previous); }

double CLocaleScope::ParseDouble(const char* text, char** end) { return strtod_l(text, end, CLocale()); }

void CLocaleScope::ResetProcessNumericLocale() { std::setlocale(LC_NUMERIC, "C"); }

} // namespace tabula
