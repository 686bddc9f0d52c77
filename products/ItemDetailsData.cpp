#include "products/ItemDetailsData.h"

#include "app/core/TextHelpers.h"
#include "orders/TierList.h"
#include "tables/Category.h"
#include "tables/Items.h"
#include "tables/OrderHistoryByItem.h"
#include "tables/ProductNotes.h"
#include "tables/RIPItems.h"
#include "tables/SqlText.h"

#include <algorithm>
#include <cstdlib>

namespace zev {

namespace {

// Positions in the Items table (the schema's column order is the contract).
constexpr long kDescription = 1;
constexpr long kCategoryId = 2;
constexpr long kSku = 6;
constexpr long kVolume = 7;
constexpr long kQtyPerCase = 8;
constexpr long kOnHand = 12;
constexpr long kOnOrder = 13;
constexpr long kCommitted = 14;
constexpr long kNextReceiptDate = 56;
constexpr long kNextReceiptQty = 57;

struct Column {
    const char* caption;
    long index;
};
// What the general page shows, in this order; the category is added after
// the description.
constexpr Column kGeneral[] = {
    {"Description", 1},    {"Item #", 6},          {"Size", 7},          {"UPC", 9},
    {"Case UPC", 10},      {"Vintage", 11},        {"Brand", 4},         {"Producer", 23},
    {"Country", 24},       {"Region", 25},         {"Appellation", 26},  {"Varietal", 27},
    {"Colour", 28},        {"Alcohol %", 29},      {"Container", 30},    {"Rating", 20},
    {"Rating source", 43}, {"Catalogue page", 18}, {"Food pairing", 74}, {"Note", 75},
};

std::string DateOnly(const std::string& stamp) { return SqlText::Trim(stamp).substr(0, 10); }

bool ReadItem(Items& items, int itemId) { return items.getByIDIncludingDeleted(itemId) == 1 && items.IsEOF() == 0; }

} // namespace

std::vector<ItemDetailsData::Page> ItemDetailsData::Pages(int history, int notes, int btg, int rip, int invoices)
{
    std::vector<Page> pages{Page::General, Page::QtyAndPrice};
    if (history == 1)
        pages.push_back(Page::History);
    if (notes == 1)
        pages.push_back(Page::ProductNotes);
    if (btg == 1)
        pages.push_back(Page::BtgCalculator);
    if (rip == 1)
        pages.push_back(Page::RIP);
    if (invoices == 1)
        pages.push_back(Page::Invoices);
    return pages;
}

std::array<std::string, 3> ItemDetailsData::ProductNotes(int itemId, const std::string& emptyText, int poolKey)
{
    std::array<std::string, 3> notes;
    zev::ProductNotes query(poolKey);
    const bool found = query.getByPK(itemId) == 1;
    for (int i = 0; i < 3; ++i) {
        std::string note = found ? SqlText::Trim(query.GetFieldValueString(i + 1)) : std::string();
        std::string out;
        for (char c : note) {
            if (c == '~')
                out += "\r\n";
            else
                out += c;
        }
        notes[static_cast<std::size_t>(i)] = out.empty() ? emptyText : out;
    }
    return notes;
}

std::vector<ItemDetailsData::Program> ItemDetailsData::ProgramsOfItem(int itemId, int poolKey)
{
    std::vector<int> ids;
    RIPItems list(poolKey);
    if (list.getProgramsOfItem(itemId) == 1)
        for (; !list.IsEOF(); list.MoveNext())
            ids.push_back(list.GetFieldValueInt(0));
    std::vector<Program> programs;
    RIPItems header(poolKey);
    for (int id : ids) {
        if (header.getProgramHeader(id) != 1)
            continue;
        programs.push_back({header.GetFieldValueInt(0), header.GetFieldValueString(1), header.GetFieldValueString(2)});
    }
    return programs;
}

std::vector<ItemDetailsData::ProgramItem> ItemDetailsData::ItemsOfProgram(int ripId, int poolKey)
{
    std::vector<ProgramItem> items;
    RIPItems query(poolKey);
    if (query.getItemsOfProgram(ripId) != 1)
        return items;
    for (; !query.IsEOF(); query.MoveNext()) {
        ProgramItem item;
        item.itemId = query.GetFieldValueInt(1);
        std::string description = query.GetFieldValueString(2);
        ProperCase(description);
        item.sku = query.GetFieldValueString(3);
        item.qtyPerCase = query.GetFieldValueInt(6);
        item.text = SqlText::Format("%s %s %s (%d/cs)", query.GetFieldValueString(4).c_str(), description.c_str(),
                                    query.GetFieldValueString(5).c_str(), item.qtyPerCase);
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<ItemDetailsData::Tier> ItemDetailsData::TiersOfProgram(int ripId, int bottlesPerCase, int poolKey)
{
    std::vector<Tier> tiers;
    RIPItems query(poolKey);
    if (query.getProgramTiers(ripId) != 1)
        return tiers;
    for (; !query.IsEOF(); query.MoveNext())
        tiers.push_back(TierText(query.GetFieldValueString(3), query.GetFieldValueDouble(4), bottlesPerCase));
    return tiers;
}

std::vector<ItemDetailsData::Fact> ItemDetailsData::General(int itemId, int poolKey)
{
    std::vector<Fact> facts;
    Items items(poolKey);
    if (!ReadItem(items, itemId))
        return facts;
    for (const Column& column : kGeneral) {
        std::string value = SqlText::Trim(items.GetFieldValueString(column.index));
        if (column.index == kDescription)
            ProperCase(value);
        // Zero ratings and strengths are "not known", not a value.
        if (value.empty() || value == "0" || value == "0.0")
            continue;
        facts.push_back({column.caption, value});
        if (column.index == kDescription) {
            Category category(poolKey);
            if (category.getByPK(items.GetFieldValueInt(kCategoryId)) == 1 && category.IsEOF() == 0) {
                std::string name = SqlText::Trim(category.GetFieldValueString(1));
                ProperCase(name);
                if (!name.empty())
                    facts.push_back({"Category", name});
            }
        }
    }
    return facts;
}

ItemDetailsData::Stock ItemDetailsData::Quantities(int itemId, int poolKey)
{
    Stock stock;
    Items items(poolKey);
    if (!ReadItem(items, itemId))
        return stock;
    stock.found = true;
    stock.description = SqlText::Trim(items.GetFieldValueString(kDescription));
    ProperCase(stock.description);
    stock.sku = SqlText::Trim(items.GetFieldValueString(kSku));
    stock.size = SqlText::Trim(items.GetFieldValueString(kVolume));
    stock.qtyPerCase = items.GetFieldValueInt(kQtyPerCase);
    stock.onHand = items.GetFieldValueInt(kOnHand);
    stock.onOrder = items.GetFieldValueInt(kOnOrder);
    stock.committed = items.GetFieldValueInt(kCommitted);
    stock.nextReceiptQty = items.GetFieldValueInt(kNextReceiptQty);
    stock.nextReceiptDate = DateOnly(items.GetFieldValueString(kNextReceiptDate));
    return stock;
}

ItemDetailsData::Prices ItemDetailsData::PricesOf(int itemId, int catalog, int accountTier, int dealMin, int dealMax,
                                                  const PriceBinding::PriceFn& price, int poolKey)
{
    Prices prices;
    if (!price)
        return prices;
    prices.priced = price(itemId, prices.casePrice, prices.singlePrice, 0, catalog, 0);
    for (const auto& entry : TierList::Build(price, itemId, catalog, accountTier, dealMin, dealMax, poolKey))
        prices.tiers.push_back(entry.text);
    return prices;
}

std::vector<ItemDetailsData::Month> ItemDetailsData::History(int itemId, std::optional<int> accountId, int poolKey)
{
    std::vector<Month> months;
    OrderHistoryByItem query(poolKey);
    const int ran = accountId ? query.getMonthlyTotalsOfAccount(*accountId, itemId) : query.getMonthlyTotals(itemId);
    if (ran != 1)
        return months;
    for (; query.IsEOF() == 0; query.MoveNext())
        months.push_back({query.GetFieldValueInt(3), query.GetFieldValueInt(2), query.GetFieldValueInt(0),
                          query.GetFieldValueInt(1), query.GetFieldValueDouble(4)});
    std::sort(months.begin(), months.end(),
              [](const Month& a, const Month& b) { return a.year != b.year ? a.year > b.year : a.month > b.month; });
    return months;
}

std::vector<ItemDetailsData::InvoiceLine> ItemDetailsData::Invoices(int itemId, std::optional<int> accountId,
                                                                    int poolKey)
{
    std::vector<InvoiceLine> lines;
    OrderHistoryByItem query(poolKey);
    const int ran = accountId ? query.getInvoiceLinesOfAccount(itemId, *accountId) : query.getInvoiceLines(itemId);
    if (ran != 1)
        return lines;
    for (; query.IsEOF() == 0; query.MoveNext()) {
        InvoiceLine line;
        line.invoice = SqlText::Trim(query.GetFieldValueString(1));
        line.date = DateOnly(query.GetFieldValueString(2));
        line.cases = query.GetFieldValueInt(3);
        line.singles = query.GetFieldValueInt(4);
        line.casesShipped = query.GetFieldValueInt(5);
        line.singlesShipped = query.GetFieldValueInt(6);
        line.casePrice = query.GetFieldValueDouble(7);
        line.singlePrice = query.GetFieldValueDouble(8);
        line.extended = query.GetFieldValueDouble(9);
        lines.push_back(std::move(line));
    }
    return lines;
}

ItemDetailsData::Tier ItemDetailsData::TierText(const std::string& qty, double amount, int bottlesPerCase)
{
    int n = std::atoi(qty.c_str());
    if (n <= 0)
        n = 1;
    // An item without a case size would divide by zero; it counts as one bottle a case.
    if (bottlesPerCase <= 0)
        bottlesPerCase = 1;
    Tier tier;
    tier.qty = qty;
    tier.amount = SqlText::Format("%.2f", amount);
    if (qty.find('C') != std::string::npos)
        tier.caseAndBottle = SqlText::Format("%.2f/cs ", amount / n);
    tier.caseAndBottle += SqlText::Format("%.2f/btl", amount / n / bottlesPerCase);
    return tier;
}

} // namespace zev
