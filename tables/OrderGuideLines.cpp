#include "tables/OrderGuideLines.h"

#include "tables/FamilyPlan.h"
#include "tables/SqlText.h"

namespace zev {

namespace {

constexpr const char* kSortKeys[OrderGuideLines::kSortKeyCount] = {"W.LineItemNumber",
                                                                   "I.Description",
                                                                   "W.SpecialFlag",
                                                                   "W.DiscountAmount",
                                                                   "W.PriceOverride",
                                                                   "W.CaseQty",
                                                                   "W.SingleQty",
                                                                   "I.Description",
                                                                   "I.DistributorSKU",
                                                                   "W.CDistPrice",
                                                                   "W.SDistPrice",
                                                                   "W.LastQty",
                                                                   "W.Par",
                                                                   "W.Inv",
                                                                   "W.RetailPrice",
                                                                   "W.Warehouse",
                                                                   "I.UPC",
                                                                   "I.CatalogPage",
                                                                   "I.QtyOnHand",
                                                                   "I.CategoryID",
                                                                   "W.OrderCount"};

} // namespace

OrderGuideLines::OrderGuideLines(int poolKey)
    : JoinedQuery("WorkOrderItems W, Items I", "W.WorkOrderID", "W.ItemID=I.ItemID", poolKey)
{
}

const char* OrderGuideLines::SortKey(int index)
{
    if (index < 0 || index >= kSortKeyCount)
        index = 1;
    return kSortKeys[index];
}

int OrderGuideLines::getGuideInLineOrder(int accountId, int workOrderId)
{
    m_strSQL = SqlText::Format("%s and WorkOrderID=%d and AccountID=%d and deletedflag=0 order by W.LineItemNumber",
                               m_strSelectAll.c_str(), workOrderId, accountId);
    return Open(m_strSQL);
}

int OrderGuideLines::getGuideSorted(int accountId, int workOrderId, int sortIndex)
{
    m_strSQL = SqlText::Format("%s and WorkOrderID=%d and AccountID=%d and deletedflag=0 order by %s",
                               m_strSelectAll.c_str(), workOrderId, accountId, SortKey(sortIndex));
    return Open(m_strSQL);
}

int OrderGuideLines::getFamilyPlanGuide(int accountId, int workOrderId, int catalogId, int sortIndex)
{
    m_strSQL = SqlText::Format(
        "select * from WorkOrderItems W, Items I, FamilyPlan F where W.ItemID = I.ItemID and W.ItemID = F.ItemID and "
        "F.CatalogID = %d and WorkOrderID=%d and AccountID=%d and deletedflag=0 order by %s",
        FamilyPlan::FoldCatalog(catalogId), workOrderId, accountId, SortKey(sortIndex));
    return Open(m_strSQL);
}

} // namespace zev
