#include "products/ProductWindowPages.h"

namespace zev {

std::vector<ProductWindowPages::Page> ProductWindowPages::Pages(int searchSwitch, int categorySwitch)
{
    std::vector<Page> pages;
    if (searchSwitch == 1)
        pages.push_back(Page::Search);
    if (categorySwitch == 1)
        pages.push_back(Page::Categories);
    pages.push_back(Page::ProductList);
    return pages;
}

} // namespace zev
