#include "products/ItemDetailsData.h"

#include "app/core/TextHelpers.h"
#include "tables/ProductNotes.h"
#include "tables/RIPItems.h"
#include "tables/SqlText.h"

#include <cstdlib>

namespace zev {

std::vector<ItemDetailsData::Page> ItemDetailsData::Pages(int history, int notes, int btg, int rip, int invoices) {
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

std::array<std::string, 3> ItemDetailsData::ProductNotes(int itemId, const std::string& emptyText, int poolKey) {
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

std::vector<ItemDetailsData::Program> ItemDetailsData::ProgramsOfItem(int itemId, int poolKey) {
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

std::vector<ItemDetailsData::ProgramItem> ItemDetailsData::ItemsOfProgram(int ripId, int poolKey) {
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

std::vector<ItemDetailsData::Tier> ItemDetailsData::TiersOfProgram(int ripId, int bottlesPerCase, int poolKey) {
    std::vector<Tier> tiers;
    RIPItems query(poolKey);
    if (query.getProgramTiers(ripId) != 1)
        return tiers;
    for (; !query.IsEOF(); query.MoveNext())
        tiers.push_back(TierText(query.GetFieldValueString(3), query.GetFieldValueDouble(4), bottlesPerCase));
    return tiers;
}

ItemDetailsData::Tier ItemDetailsData::TierText(const std::string& qty, double amount, int bottlesPerCase) {
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
