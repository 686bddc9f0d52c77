#include "orders/Signature.h"

#include <cstdio>

namespace zev {

std::string Signature::Encode(const std::vector<Point>& points)
{
    std::string text;
    char point[64];
    for (const Point& p : points) {
        std::snprintf(point, sizeof point, "%d%d,%d!", p.a, p.b, p.c);
        text += point;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

std::string Signature::Trim(const std::string& encoded)
{
    if (encoded.size() < kMaxLength)
        return encoded;
    std::string text = encoded.substr(0, kMaxLength);
    const std::size_t bang = text.rfind('!');
    if (bang != std::string::npos)
        text.resize(bang);
    return text;
}

} // namespace zev
