#pragma once

#include <string>
#include <vector>

namespace zev {

// The customer's signature as stored with an order: the pen points in
// capture order, each "%d%d,%d!" of its three integers, the last "!" removed.
class Signature {
public:
    struct Point {
        int a = 0;
        int b = 0;
        int c = 0;
    };

    static constexpr std::size_t kMaxLength = 8000;

    static std::string Encode(const std::vector<Point>& points);
    // The points of an encoded text; a malformed point is skipped.
    static std::vector<Point> Decode(const std::string& encoded);
    // Whether the encoded text is too long to store (8000 characters or more).
    static bool TooLong(const std::string& encoded) { return encoded.size() >= kMaxLength; }
    // Cut to 8000 characters, then the last "!" and what follows it removed,
    // so only whole points remain.
    static std::string Trim(const std::string& encoded);
};

} // namespace zev
