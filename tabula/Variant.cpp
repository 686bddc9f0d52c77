#include "tabula/Variant.h"

#include "tabula/CLocaleScope.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Text to number the way a variant conversion reads it: surrounding blanks
// ignored, the leading numeric part used; anything else reads as 0.
double textToDouble(const std::string& text)
{
    const char* p = text.c_str();
    char* end = nullptr;
    double v = tabula::CLocaleScope::ParseDouble(p, &end);
    if (end == p) {
        return 0.0;
    }
    return v;
}

} // namespace

std::int64_t Variant::ToInt64() const
{
    switch (m_type) {
    case Type::Null:
        return 0;
    case Type::Integer:
        return m_int;
    case Type::Real: {
        if (!std::isfinite(m_real)) {
            return 0;
        }
        // Halves go to the even neighbour, as the variant conversion does.
        return static_cast<std::int64_t>(std::nearbyint(m_real));
    }
    case Type::Text: {
        const char* p = m_text.c_str();
        char* end = nullptr;
        errno = 0;
        long long v = std::strtoll(p, &end, 10);
        if (end != p && (*end == '\0' || *end == ' ') && errno == 0) {
            return v;
        }
        double d = textToDouble(m_text);
        return std::isfinite(d) ? static_cast<std::int64_t>(std::nearbyint(d)) : 0;
    }
    }
    return 0;
}

double Variant::ToDouble() const
{
    switch (m_type) {
    case Type::Null:
        return 0.0;
    case Type::Integer:
        return static_cast<double>(m_int);
    case Type::Real:
        return m_real;
    case Type::Text:
        return textToDouble(m_text);
    }
    return 0.0;
}

std::string Variant::FormatReal(double v)
{
    if (std::isnan(v)) {
        return "NaN";
    }
    if (std::isinf(v)) {
        return v > 0 ? "Infinity" : "-Infinity";
    }
    char buf[40];
    tabula::CLocaleScope cLocale;
    for (int precision = 15; precision <= 17; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, v);
        if (tabula::CLocaleScope::ParseDouble(buf, nullptr) == v) {
            break;
        }
    }
    return buf;
}

std::string Variant::ToString() const
{
    switch (m_type) {
    case Type::Null:
        return {};
    case Type::Integer:
        return std::to_string(m_int);
    case Type::Real:
        return FormatReal(m_real);
    case Type::Text:
        return m_text;
    }
    return {};
}

bool Variant::operator==(const Variant& other) const
{
    if (m_type != other.m_type) {
        return false;
    }
    switch (m_type) {
    case Type::Null:
        return true;
    case Type::Integer:
        return m_int == other.m_int;
    case Type::Real:
        return m_real == other.m_real;
    case Type::Text:
        return m_text == other.m_text;
    }
    return false;
}
