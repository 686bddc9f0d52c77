#pragma once

#include "tabula/Query.h"

namespace zev {

// Past orders joined with their lines, for the history of one item.
class OrderHistoryByItem : public JoinedQuery {
public:
    explicit OrderHistoryByItem(int poolKey = 0);

    // Rows: cases, singles, month, year, money.
    int getMonthlyTotals(int itemId);
    int getMonthlyTotalsOfAccount(int accountId, int itemId);
    // Rows: cases, singles, month, year.
    int getMonthlyQuantitiesOfAccount(int accountId, int itemId);
    // Rows: cases, singles, quarter, year.
    int getQuarterlyQuantitiesOfAccount(int accountId, int itemId);
    // Rows: OrderNumber, DistInvoice, CQty, SQty, CPrice, SPrice, ExtPrice, day, month, year; newest first.
    int getOrderLinesOfAccount(int itemId, int accountId);
    // Rows: OrderNumber, DistInvoice, TransDate, CQty, SQty, CQtyShipped, SQtyShipped, CPrice, SPrice, ExtPrice.
    int getInvoiceLinesOfAccount(int itemId, int accountId);
    int getInvoiceLines(int itemId);
};

} // namespace zev
