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

std::vector<Signature::Point> Signature::Decode(const std::string& encoded)
{
    // "%d%d,%d!" runs the flag (0 or 1) into x: the first digit is the flag.
    std::vector<Point> points;
    std::size_t start = 0;
    while (start < encoded.size()) {
        std::size_t end = encoded.find('!', start);
        if (end == std::string::npos)
            end = encoded.size();
        const std::string part = encoded.substr(start, end - start);
        int b = 0, c = 0;
        if (part.size() > 1 && std::sscanf(part.c_str() + 1, "%d,%d", &b, &c) == 2)
            points.push_back({part[0] == '1' ? 1 : 0, b, c});
        start = end + 1;
    }
    return points;
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
