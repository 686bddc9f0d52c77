#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace zev {

// The promotions running today, read from `Promo` (line 0 of a promotion is
// its header, the other lines its items) with each line's item.
class Promotions {
public:
    struct Line {
        int lineId = 0;
        int itemId = 0;
        std::string sku;
        std::string description;
        std::string size;
        std::string text; // the line's own description ("Buy 3 cases, save")
        int minQty = 0;
        double discount = 0;
    };
    struct Promotion {
        int promoId = 0;
        std::string description;
        std::string start; // "YYYY-MM-DD", empty when open
        std::string end;
        std::vector<Line> lines;
    };

    // Promotions whose header has started by `today` ("YYYY-MM-DD") and not
    // ended before it. With a catalogue only lines of items valid in it are
    // kept (the same test as the item search: the catalogue's number inside
    // ValidCatalogs), and promotions left without lines are dropped. Lines
    // of deleted or unknown items are left out.
    static std::vector<Promotion> Current(const std::string& today, std::optional<int> catalog, int poolKey = 0);

    // "YYYY-MM-DD" of a time in local time.
    static std::string Day(std::time_t when);

    // Whether a promotion running from `start` to `end` (either may be
    // empty) runs on `today`.
    static bool Runs(const std::string& start, const std::string& end, const std::string& today);
};

} // namespace zev
