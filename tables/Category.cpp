#include "tables/Category.h"

#include "tables/SqlText.h"

namespace zev {

Category::Category(int poolKey) : Query("Category", "CategoryID", poolKey) {}

int Category::getTopLevel()
{
    m_strSQL = SqlText::Format("%s where (CategoryID=Parent or Parent is null)", m_strSelectAll.c_str());
    return Open(m_strSQL);
}

int Category::getNonTopLevel(int categoryId)
{
    m_strSQL = SqlText::Format("%s where CategoryID=%d and Parent <> CategoryID", m_strSelectAll.c_str(), categoryId);
    return Open(m_strSQL);
}

int Category::getChildren(int parentId)
{
    m_strSQL = SqlText::Format("%s where Parent=%d and Parent <> CategoryID and (HasChildren = 1 or exists (select "
                               "ItemID from Items where Items.CategoryID = Category.CategoryID))",
                               m_strSelectAll.c_str(), parentId);
    return Open(m_strSQL);
}

int Category::getLeaves()
{
    m_strSQL = SqlText::Format("%s where HasChildren = 0", m_strSelectAll.c_str());
    return Open(m_strSQL);
}

} // namespace zev
