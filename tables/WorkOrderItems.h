#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// One order guide line, every column but Updated. The texts are raw; they are
// trimmed and their apostrophes doubled on writing.
struct WorkOrderLine {
    int accountId = 0;
    int workOrderId = 0;
    int itemId = 0;
    int catalogId = 0;
    int caseQty = 0;
    int singleQty = 0;
    double cDistPrice = 0.0;
    double sDistPrice = 0.0;
    int lastQty = 0;
    int orderCount = 0;
    int lineItemNumber = 0;
    std::string specialFlag = "0";
    std::string discountAmount = "0";
    std::string priceOverride = "0";
    int par = 0;
    int inv = 0;
    double retailPrice = 0.0;
    int warehouse = 0;
    int filter = 0;
    std::string lineComment;
    int htdItemCount = 0;
};

// The lines of the order guides.
class WorkOrderItems : public Query {
public:
    explicit WorkOrderItems(int poolKey = 0);

    int insertLine(const WorkOrderLine& line);
    // The same insert with the values given one by one (express entry).
    int insertLineValues(int accountId, int workOrderId, int itemId, int catalogId, int caseQty, int singleQty,
                         double cDistPrice, double sDistPrice, int lastQty, int orderCount, int lineItemNumber,
                         const std::string& specialFlag, const std::string& discountAmount,
                         const std::string& priceOverride, int par, int inv, double retailPrice, int warehouse,
                         int filter, const std::string& lineComment, int htdItemCount);
    int deleteGuide(int accountId, int workOrderId);
    // Writes the editable columns of the line numbered line.lineItemNumber.
    int updateLine(const WorkOrderLine& line);
    int updateQuantities(int accountId, int workOrderId, int lineItemNumber, int caseQty, int singleQty, int par,
                         int inv);
    // The guide's highest LineItemNumber: 0 for an empty guide, -1 when the statement fails.
    int highestLineNumber(int accountId, int workOrderId);
    int findItem(int itemId, int accountId, int workOrderId);
};

} // namespace zev
