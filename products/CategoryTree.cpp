#include "products/CategoryTree.h"

#include "app/core/TextHelpers.h"
#include "tables/Category.h"
#include "tables/Items.h"

#include <algorithm>

namespace zev {

namespace {

using Nodes = std::vector<std::unique_ptr<CategoryNode>>;

// Moves the rows of an open Category result into `out`, in name order.
void ReadRows(Category& query, int parentId, Nodes& out)
{
    for (; !query.IsEOF(); query.MoveNext()) {
        auto node = std::make_unique<CategoryNode>();
        node->categoryId = query.GetFieldValueInt(0);
        node->name = query.GetFieldValueString(1);
        ProperCase(node->name);
        node->hasChildren = query.GetFieldValueInt(3) == 1;
        node->parentId = parentId;
        out.push_back(std::move(node));
    }
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a->name < b->name; });
}

CategoryNode* FindIn(Nodes& nodes, int categoryId)
{
    for (auto& node : nodes) {
        if (node->categoryId == categoryId)
            return node.get();
        if (CategoryNode* found = FindIn(node->children, categoryId))
            return found;
    }
    return nullptr;
}

} // namespace

bool CategoryTree::LoadTopLevel(int poolKey)
{
    m_roots.clear();
    Category query(poolKey);
    if (query.getTopLevel() != 1)
        return false;
    ReadRows(query, 0, m_roots);
    return !m_roots.empty();
}

bool CategoryTree::LoadChildren(CategoryNode& node, int poolKey)
{
    if (!node.childrenLoaded) {
        node.childrenLoaded = true;
        Category query(poolKey);
        if (query.getChildren(node.categoryId) == 1)
            ReadRows(query, node.categoryId, node.children);
    }
    return !node.children.empty();
}

CategoryNode* CategoryTree::Find(int categoryId) { return FindIn(m_roots, categoryId); }

bool CategoryTree::ListCategory(Items& items, int categoryId)
{
    return items.getByCategory(categoryId) == 1 && items.getRSRecordCount() > 0;
}

} // namespace zev
