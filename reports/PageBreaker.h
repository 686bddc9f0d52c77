#pragma once

#include <cstddef>
#include <vector>

namespace zev {

// Where a printed document's pages begin. The document is a run of blocks
// measured in lines; a block is never split, and a block marked to keep with
// the next one moves to the next page with it (a group title is never the
// last line of a page, totals never stand alone at the top of one) unless
// the whole page is such a chain.
class PageBreaker {
public:
    struct Block {
        int lines = 1;
        bool keepWithNext = false;
    };

    // The index of the first block of every page, the first page being 0;
    // always at least one page. `firstPageLines` is smaller than `pageLines`
    // by the title; a block taller than a page gets a page of its own.
    static std::vector<std::size_t> Paginate(const std::vector<Block>& blocks, int firstPageLines, int pageLines);
};

} // namespace zev
