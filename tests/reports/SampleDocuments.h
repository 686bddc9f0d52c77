#pragma once

// The small guide, order, invoices and reports the document tests print.
#include "accounts/ItineraryReport.h"
#include "accounts/Receivables.h"
#include "orders/OrderGuideRow.h"
#include "orders/OrderHeader.h"

#include <ctime>
#include <string>
#include <vector>

namespace zev::test {

inline OrderGuideRow GuideRow(const std::string& sku, const std::string& description, int units, int perCase,
                              float price, int par = 0, int last = 0)
{
    OrderGuideRow r;
    r.sku = sku;
    r.description = description;
    r.units = units;
    r.qtyPerCase = perCase;
    r.casePrice = price;
    r.extendedPrice = price * static_cast<float>(units) / static_cast<float>(perCase);
    r.par = par;
    r.lastQty = last;
    return r;
}

// Red Ale not ordered (par 6, last 2), Cider 2 / 3 (last 1), Lager 2 / 0
// (par 4): 94.00 in all.
inline std::vector<OrderGuideRow> SampleGuide()
{
    return {GuideRow("S101", "Red Ale", 0, 24, 30.0f, 6, 2), GuideRow("S102", "Cider", 27, 12, 24.0f, 0, 1),
            GuideRow("S103", "Lager", 48, 24, 20.0f, 4)};
}

inline std::time_t Noon(int y, int m, int d)
{
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = d;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

// Two lines, 79.50, texts with doubled apostrophes as the order keeps them,
// a comment on the first line and a signature of two strokes.
inline OrderHeader SampleOrder()
{
    OrderHeader order;
    order.deliveryDate = "03/09/2026";
    order.odcText = "PO ''7''";
    order.notes = "Back door, it''s open";
    order.signature = "110,20!011,21!130,40!031,41";
    OrderLine line;
    line.text = "Joe''s Red Ale";
    line.cases = 2;
    line.casePrice = 27.75;
    line.extendedPrice = 55.50;
    line.lineComment = "cold";
    order.lines.push_back(line);
    line.text = "Cider";
    line.cases = 0;
    line.singles = 4;
    line.extendedPrice = 24.0;
    line.lineComment.clear();
    order.lines.push_back(line);
    return order;
}

// INV1 100.00 with 40.00 collected, INV2 20.50 without dates.
inline std::vector<ARListItem> SampleInvoices()
{
    ARListItem a;
    a.invoiceNo = "INV1";
    a.invoiceDate = Noon(2026, 3, 1);
    a.dueDate = Noon(2026, 3, 31);
    a.invoiceCents = 10000;
    a.collectedTotalCents = 4000;
    ARListItem b;
    b.invoiceNo = "INV2";
    b.invoiceCents = 2050;
    return {a, b};
}

inline ItineraryReport::Itinerary SampleItinerary()
{
    ItineraryReport::Itinerary it;
    it.heading = "Wednesday";
    it.rows.push_back({"Bravo Wines", "B-2", "Town, ST", "Pat", "555-0101"});
    return it;
}

inline ItineraryReport::Accomplishments SampleAccomplishments()
{
    ItineraryReport::Accomplishments done;
    done.rows.push_back({"A-1", "Acme", 100.25});
    done.rows.push_back({"B-2", "Bobs", 5.0});
    done.total = 105.25;
    return done;
}

} // namespace zev::test
