#include "orders/Amount.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zev {

std::int64_t Amount::Cents(double value) { return std::llround(value * 100.0); }

double Amount::LeadingNumber(const std::string& text)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    return end == begin || !std::isfinite(v) ? 0.0 : v;
}

float Amount::ReadStored(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (i == text.size())
        return 0.0f;
    const std::string rest = text.substr(i);
    auto startsWith = [&rest](const char* word) {
        std::size_t n = 0;
        for (; word[n] != '\0'; ++n)
            if (n >= rest.size() || std::toupper(static_cast<unsigned char>(rest[n])) != word[n])
                return false;
        return true;
    };
    if (startsWith("FREE"))
        return kFree;
    if (startsWith("NET"))
        return kNet;
    return static_cast<float>(LeadingNumber(rest));
}

std::string Amount::FormatStored(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(static_cast<float>(value)));
    return text;
}

std::optional<float> Amount::ParseTyped(const std::string& text, bool allowNet)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (i == text.size())
        return std::nullopt;
    const char first = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    if (first == 'f')
        return kFree;
    if (first == 'n')
        return allowNet ? std::optional<float>(kNet) : std::nullopt;
    double v = LeadingNumber(text.substr(i));
    if (std::trunc(v) == v && text.find('.') == std::string::npos)
        v *= 0.01;
    return static_cast<float>(v);
}

} // namespace zev
