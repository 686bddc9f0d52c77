#include "products/ProductOrdering.h"

#include "orders/OrderGuide.h"
#include "tables/SqlText.h"
#include "tables/WorkOrderItems.h"
#include "tabula/Query.h"

namespace zev {

namespace {

int FirstInt(const std::string& sql, int poolKey, int none)
{
    Query q("", "", poolKey);
    if (q.Open(sql) == 0 || q.IsEOF() != 0)
        return none;
    return q.GetFieldValueInt(0);
}

} // namespace

ProductOrdering::Result ProductOrdering::AddToGuide(int itemId, int accountId, int catalog,
                                                    const PriceBinding::PriceFn& price, int poolKey)
{
    Result result;
    if (accountId < 0) {
        result.outcome = Outcome::NoAccount;
        return result;
    }
    const int guide =
        FirstInt(SqlText::Format("select WorkOrderID from WorkOrder where AccountID=%d", accountId), poolKey, -1);
    if (guide < 0) {
        result.outcome = Outcome::NoGuide;
        return result;
    }
    const int already = FirstInt(SqlText::Format("select count(*) from WorkOrderItems where AccountID=%d and "
                                                 "WorkOrderID=%d and ItemID=%d",
                                                 accountId, guide, itemId),
                                 poolKey, -1);
    if (already != 0) {
        result.outcome = already > 0 ? Outcome::AlreadyInGuide : Outcome::Failed;
        return result;
    }
    if (price && !price(itemId, result.casePrice, result.singlePrice, 0, catalog, 0)) {
        result.casePrice = 0;
        result.singlePrice = 0;
    }
    WorkOrderLine line;
    line.accountId = accountId;
    line.workOrderId = guide;
    line.itemId = itemId;
    line.catalogId = catalog;
    line.cDistPrice = result.casePrice;
    line.sDistPrice = result.singlePrice;
    result.lineNumber = OrderGuide::AddLine(line, poolKey);
    result.outcome = result.lineNumber > 0 ? Outcome::Added : Outcome::Failed;
    return result;
}

std::string ProductOrdering::Message(const Result& result, const std::string& description)
{
    switch (result.outcome) {
    case Outcome::Added:
        return description + " was added to the order guide as line " + std::to_string(result.lineNumber) + ".";
    case Outcome::AlreadyInGuide:
        return description + " is already in the order guide.";
    case Outcome::NoAccount:
        return "Please select an account first.";
    case Outcome::NoGuide:
        return "The account has no order guide.";
    case Outcome::Failed:
        break;
    }
    return description + " could not be added to the order guide.";
}

} // namespace zev
