#include "reports/AccountDocuments.h"

#include <cstdio>

namespace zev {

std::string AccountDocuments::LongDay(std::time_t now)
{
    std::tm tm{};
    localtime_r(&now, &tm);
    char text[64] = {};
    std::strftime(text, sizeof text, "%A, %B %d, %Y", &tm);
    return text;
}

PrintDocument AccountDocuments::Itinerary(const ItineraryReport::Itinerary& itinerary)
{
    PrintDocument doc;
    doc.title = "Itinerary - " + itinerary.heading;
    doc.AddColumn("Company", PrintAlign::Left, 6);
    doc.AddColumn("Account #", PrintAlign::Left, 3);
    doc.AddColumn("City", PrintAlign::Left, 4);
    doc.AddColumn("Contact", PrintAlign::Left, 4);
    doc.AddColumn("Phone", PrintAlign::Left, 3);
    for (const ItineraryReport::ItineraryRow& r : itinerary.rows)
        doc.AddLine({r.company, r.accountNumber, r.cityState, r.contact, r.phone});
    doc.AddTotal({"Accounts: " + std::to_string(itinerary.rows.size()), "", "", "", ""});
    return doc;
}

PrintDocument AccountDocuments::Accomplishments(const ItineraryReport::Accomplishments& accomplishments,
                                                std::time_t now)
{
    PrintDocument doc;
    doc.title = "Accomplishments";
    doc.subtitles.push_back(LongDay(now));
    doc.AddColumn("Account #", PrintAlign::Left, 3);
    doc.AddColumn("Company", PrintAlign::Left, 8);
    doc.AddColumn("Amount", PrintAlign::Right, 3);
    char amount[32];
    for (const ItineraryReport::AccomplishmentRow& r : accomplishments.rows) {
        std::snprintf(amount, sizeof amount, "%.2f", r.amount);
        doc.AddLine({r.accountNumber, r.company, amount});
    }
    doc.AddTotal({"Orders: " + std::to_string(accomplishments.rows.size()), "", accomplishments.TotalLine()});
    return doc;
}

PrintDocument AccountDocuments::Receivables(const std::vector<ARListItem>& items, const std::string& account,
                                            std::time_t now)
{
    PrintDocument doc;
    doc.title = "Accounts Receivable";
    doc.pageWord = "Page:";
    doc.subtitles = {LongDay(now), account};
    doc.AddColumn("Invoice#", PrintAlign::Left, 3);
    doc.AddColumn("Inv Date", PrintAlign::Left, 3);
    doc.AddColumn("Due Date", PrintAlign::Left, 3);
    doc.AddColumn("Inv Amount", PrintAlign::Right, 3);
    doc.AddColumn("Collected", PrintAlign::Right, 3);
    doc.AddColumn("Still Due", PrintAlign::Right, 3);
    doc.AddColumn("R. Total", PrintAlign::Right, 3);
    std::int64_t invoiced = 0;
    std::int64_t collected = 0;
    std::int64_t due = 0;
    for (const ARListItem& item : items) {
        invoiced += item.invoiceCents;
        collected += item.collectedTotalCents;
        due += item.OpenCents();
        doc.AddLine({item.invoiceNo, zev::Receivables::LongDate(item.invoiceDate),
                     zev::Receivables::LongDate(item.dueDate), zev::Receivables::Money(item.invoiceCents),
                     zev::Receivables::Money(item.collectedTotalCents), zev::Receivables::Money(item.OpenCents()),
                     zev::Receivables::Money(due)});
    }
    doc.AddTotal({"Totals", "", "", zev::Receivables::Money(invoiced), zev::Receivables::Money(collected),
                  zev::Receivables::Money(due), ""});
    return doc;
}

} // namespace zev
