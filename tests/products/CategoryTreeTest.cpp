// The category tree: levels read once on demand, sub-categories that cannot
// be listed, and listing a category's live items.
#include "products/CategoryTree.h"
#include "tables/Items.h"

#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using zev::CategoryTree;

class CategoryTreeTest : public ::testing::Test {
protected:
    CategoryTreeTest()
    {
        // Two roots (one its own parent, one without a parent), a sub-category
        // with its own children, a leaf with items and an empty leaf.
        Category(1, "WINE", "1", 1);
        Category(2, "BEER", "null", 0);
        Category(10, "RED WINE", "1", 1);
        Category(11, "SPARKLING", "1", 0);
        Category(12, "EMPTY", "1", 0);
        Category(20, "CABERNET", "10", 0);
        Item(1, "CAB B", 20, 0);
        Item(2, "CAB A", 20, 0);
        Item(3, "CAB OLD", 20, 1);
        Item(4, "BRUT", 11, 0);
    }
    void Category(int id, const std::string& name, const std::string& parent, int hasChildren)
    {
        EXPECT_TRUE(db.Exec("insert into Category (CategoryID, Description, Parent, HasChildren) values (" +
                            std::to_string(id) + ", '" + name + "', " + parent + ", " + std::to_string(hasChildren) +
                            ")"));
    }
    void Item(int id, const std::string& name, int category, int deleted)
    {
        EXPECT_TRUE(db.Exec("insert into Items (ItemID, Description, CategoryID, DeletedFlag) values (" +
                            std::to_string(id) + ", '" + name + "', " + std::to_string(category) + ", " +
                            std::to_string(deleted) + ")"));
    }

    zev::test::TestDatabase db;
};

TEST_F(CategoryTreeTest, RootsInNameOrderInProperCase)
{
    CategoryTree tree;
    ASSERT_TRUE(tree.LoadTopLevel());
    ASSERT_EQ(tree.Roots().size(), 2u);
    EXPECT_EQ(tree.Roots()[0]->name, "Beer");
    EXPECT_EQ(tree.Roots()[1]->name, "Wine");
    EXPECT_FALSE(tree.Roots()[0]->hasChildren);
    EXPECT_TRUE(tree.Roots()[1]->hasChildren);
    EXPECT_EQ(tree.Roots()[1]->parentId, 0);
}

TEST_F(CategoryTreeTest, ChildrenLoadOnceAndSkipEmptyLeaves)
{
    CategoryTree tree;
    ASSERT_TRUE(tree.LoadTopLevel());
    zev::CategoryNode& wine = *tree.Roots()[1];
    ASSERT_TRUE(tree.LoadChildren(wine));
    EXPECT_TRUE(wine.childrenLoaded);
    // The empty leaf (no items, no children) is left out; the root is not its own child.
    ASSERT_EQ(wine.children.size(), 2u);
    EXPECT_EQ(wine.children[0]->name, "Red Wine");
    EXPECT_EQ(wine.children[1]->name, "Sparkling");
    EXPECT_EQ(wine.children[0]->parentId, 1);
    // A second expansion reads nothing again.
    db.Exec("insert into Category (CategoryID, Description, Parent, HasChildren) values (13, 'ROSE', 1, 1)");
    tree.LoadChildren(wine);
    EXPECT_EQ(wine.children.size(), 2u);

    // A category with sub-categories cannot be listed; a leaf can.
    zev::CategoryNode* red = tree.Find(10);
    ASSERT_NE(red, nullptr);
    EXPECT_FALSE(CategoryTree::CanList(*red));
    ASSERT_TRUE(tree.LoadChildren(*red));
    EXPECT_TRUE(CategoryTree::CanList(*red->children[0]));
    EXPECT_EQ(tree.Find(20), red->children[0].get());
    EXPECT_EQ(tree.Find(99), nullptr);
}

TEST_F(CategoryTreeTest, ListingACategoryFindsItsLiveItemsByName)
{
    zev::Items items;
    ASSERT_TRUE(CategoryTree::ListCategory(items, 20));
    std::vector<std::string> names;
    for (; !items.IsEOF(); items.MoveNext())
        names.push_back(items.GetFieldValueString(1));
    EXPECT_EQ(names, (std::vector<std::string>{"CAB A", "CAB B"}));
    zev::Items none;
    EXPECT_FALSE(CategoryTree::ListCategory(none, 12));
}

} // namespace
