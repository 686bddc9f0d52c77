#pragma once

#include <vector>

namespace zev {

// Which pages the "Products" window has and where each command starts.
class ProductWindowPages {
public:
    enum class Page { Search, Categories, ProductList };

    // Search page when `searchSwitch` (byte 22) is 1, category page when
    // `categorySwitch` (byte 19) is 1, always the product list, in that order.
    static std::vector<Page> Pages(int searchSwitch, int categorySwitch);

    // Product > Search starts at 0; Product > Browse starts at the page after
    // the search page when there is one.
    static int SearchStart() { return 0; }
    static int BrowseStart(int searchSwitch) { return searchSwitch == 1 ? 1 : 0; }
};

} // namespace zev
