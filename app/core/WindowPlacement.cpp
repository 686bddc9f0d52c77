#include "app/core/WindowPlacement.h"

#include <cstdio>

namespace zev {

std::optional<WindowPlacement> WindowPlacement::Parse(const std::string& text)
{
    WindowPlacement p;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &p.top, &p.left, &p.bottom, &p.right, &tail) != 4 ||
        p.right <= p.left || p.bottom <= p.top)
        return std::nullopt;
    return p;
}

std::string WindowPlacement::Text() const
{
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", top, left, bottom, right);
    return text;
}

} // namespace zev
