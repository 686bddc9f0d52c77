#pragma once

#include <memory>
#include <string>
#include <vector>

namespace zev {

class Items;

// One category of the tree; children are read the first time it is expanded.
struct CategoryNode {
    bool hasChildren = false;
    bool childrenLoaded = false;
    int categoryId = 0;
    std::string name;
    int parentId = 0;
    std::vector<std::unique_ptr<CategoryNode>> children;
};

// The product category tree: top-level categories first, each level loaded
// once when its parent is expanded. Plain data; the category page shows it.
class CategoryTree {
public:
    // Reads the top-level categories; false when the statement failed or found none.
    bool LoadTopLevel(int poolKey = 0);
    // Reads the children of `node` once; later calls do nothing. False when
    // the node stays without children.
    bool LoadChildren(CategoryNode& node, int poolKey = 0);

    const std::vector<std::unique_ptr<CategoryNode>>& Roots() const { return m_roots; }
    // The node of a category anywhere among the loaded nodes, or null.
    CategoryNode* Find(int categoryId);

    // Only a category without sub-categories lists its items.
    static bool CanList(const CategoryNode& node) { return !node.hasChildren; }

    // Reads the items of a category into `items`; true when there is at least one.
    static bool ListCategory(Items& items, int categoryId);

private:
    std::vector<std::unique_ptr<CategoryNode>> m_roots;
};

} // namespace zev
