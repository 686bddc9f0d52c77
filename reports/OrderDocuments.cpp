#include "reports/OrderDocuments.h"

#include "orders/Amount.h"
#include "orders/Signature.h"
#include "tables/SqlText.h"

namespace zev {

namespace {

std::string Money(double value) { return SqlText::Format("%.2f", value); }

std::string Dollars(std::int64_t cents) { return SqlText::Format("$%.2f", static_cast<double>(cents) / 100.0); }

std::string CountOrBlank(int n) { return n > 0 ? std::to_string(n) : std::string(); }

// Undoes the doubled apostrophes of a text kept for the database.
std::string AsTyped(const std::string& stored)
{
    std::string text;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        text += stored[i];
        if (stored[i] == '\'' && i + 1 < stored.size() && stored[i + 1] == '\'')
            ++i;
    }
    return text;
}

std::string Quantity(int cases, int singles) { return std::to_string(cases) + " / " + std::to_string(singles); }

} // namespace

std::string OrderDocuments::AccountLine(const std::string& company, const std::string& number)
{
    if (number.empty())
        return company;
    return company + " (" + number + ")";
}

PrintDocument OrderDocuments::Guide(const std::vector<OrderGuideRow>& rows, GuideForm form, bool inUnits,
                                    const std::string& account)
{
    PrintDocument doc;
    doc.title = form == GuideForm::Worksheet ? "Inventory Worksheet" : "Order Guide";
    if (!account.empty())
        doc.subtitles.push_back(account);
    doc.AddColumn("Item #", PrintAlign::Left, 3);
    doc.AddColumn("Description", PrintAlign::Left, 10);
    const std::string lines = "Lines: " + std::to_string(rows.size());
    if (form == GuideForm::Quantities) {
        doc.AddColumn(inUnits ? "Units" : "Cases / Singles", PrintAlign::Right, 5);
        doc.AddColumn("Price", PrintAlign::Right, 3);
        doc.AddColumn("Amount", PrintAlign::Right, 3);
        std::int64_t cents = 0;
        long long units = 0;
        int cases = 0;
        int singles = 0;
        for (const OrderGuideRow& r : rows) {
            const bool ordered = r.units != 0;
            const std::string quantity = !ordered  ? ""
                                         : inUnits ? std::to_string(r.units)
                                                   : Quantity(r.Cases(), r.Singles());
            doc.AddLine({r.sku, r.description, quantity, Money(r.casePrice), ordered ? Money(r.extendedPrice) : ""});
            cents += Amount::Cents(r.extendedPrice);
            units += r.units;
            cases += r.Cases();
            singles += r.Singles();
        }
        const std::string quantity =
            inUnits ? "Quantity: " + std::to_string(units) : "Quantity c/s: " + Quantity(cases, singles);
        doc.AddTotal({"", lines + "    " + quantity, "", "", "Total: " + Dollars(cents)});
        return doc;
    }
    doc.AddColumn("Pack", PrintAlign::Right, 2);
    doc.AddColumn("Par", PrintAlign::Right, 2);
    if (form == GuideForm::Blank) {
        doc.AddColumn("Last", PrintAlign::Right, 2);
        if (inUnits) {
            doc.AddColumn("Units", PrintAlign::Right, 4, true);
        } else {
            doc.AddColumn("Cases", PrintAlign::Right, 3, true);
            doc.AddColumn("Singles", PrintAlign::Right, 3, true);
        }
    } else {
        doc.AddColumn("On Hand", PrintAlign::Right, 3, true);
        doc.AddColumn("Order", PrintAlign::Right, 3, true);
    }
    for (const OrderGuideRow& r : rows) {
        std::vector<std::string> cells{r.sku, r.description, std::to_string(r.qtyPerCase), CountOrBlank(r.par)};
        if (form == GuideForm::Blank)
            cells.push_back(CountOrBlank(r.lastQty));
        cells.resize(doc.columns.size());
        doc.AddLine(std::move(cells));
    }
    std::vector<std::string> total{lines};
    total.resize(doc.columns.size());
    doc.AddTotal(std::move(total));
    if (form == GuideForm::Worksheet)
        doc.footnotes.push_back("Counted by: ____________________    Date: ____________");
    return doc;
}

PrintDocument OrderDocuments::Order(const OrderHeader& order, const std::string& account)
{
    PrintDocument doc;
    doc.title = "Order";
    if (!account.empty())
        doc.subtitles.push_back(account);
    if (!order.deliveryDate.empty())
        doc.subtitles.push_back("Delivery date: " + order.deliveryDate);
    if (!order.cancelDate.empty())
        doc.subtitles.push_back("Cancel date: " + order.cancelDate);
    if (!order.odcText.empty())
        doc.subtitles.push_back(AsTyped(order.odcText));
    doc.AddColumn("Item", PrintAlign::Left, 12);
    doc.AddColumn("Cases / Singles", PrintAlign::Right, 4);
    doc.AddColumn("Price", PrintAlign::Right, 3);
    doc.AddColumn("Amount", PrintAlign::Right, 3);
    std::int64_t cents = 0;
    for (const OrderLine& l : order.lines) {
        doc.AddLine({AsTyped(l.text), Quantity(l.cases, l.singles), Money(l.casePrice), Money(l.extendedPrice)});
        if (!l.lineComment.empty())
            doc.AddLine({"    " + AsTyped(l.lineComment), "", "", ""});
        cents += Amount::Cents(l.extendedPrice);
    }
    doc.AddTotal({"Lines: " + std::to_string(order.lines.size()), "", "", "Total: " + Dollars(cents)});
    if (!order.notes.empty())
        doc.footnotes.push_back("Notes: " + AsTyped(order.notes));
    const std::vector<Signature::Point> points = Signature::Decode(order.signature);
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i].a == 0)
            doc.drawing.push_back({points[i - 1].b, points[i - 1].c, points[i].b, points[i].c});
    if (!doc.drawing.empty())
        doc.drawingCaption = "Signature:";
    return doc;
}

} // namespace zev
