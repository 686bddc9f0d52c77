#include "reports/PageBreaker.h"

#include <algorithm>

namespace zev {

std::vector<std::size_t> PageBreaker::Paginate(const std::vector<Block>& blocks, int firstPageLines, int pageLines)
{
    std::vector<std::size_t> starts{0};
    int capacity = std::max(1, firstPageLines);
    int used = 0;
    std::size_t i = 0;
    while (i < blocks.size()) {
        const int lines = std::max(0, blocks[i].lines);
        if (used + lines <= capacity || used == 0) {
            used += lines;
            ++i;
            continue;
        }
        // Blocks that must stay with block i leave this page with it.
        const std::size_t pageStart = starts.back();
        std::size_t start = i;
        while (start > pageStart && blocks[start - 1].keepWithNext)
            --start;
        if (start == pageStart)
            start = i;
        starts.push_back(start);
        i = start;
        used = 0;
        capacity = std::max(1, pageLines);
    }
    return starts;
}

} // namespace zev
