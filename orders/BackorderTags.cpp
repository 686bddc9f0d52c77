#include "orders/BackorderTags.h"

#include "orders/GuideCommands.h"
#include "orders/OrderGuide.h"

#include <algorithm>

namespace zev {

std::set<std::string> BackorderTags::Keys(const OrderGuide& guide)
{
    std::set<std::string> keys;
    for (const auto* rows : {&guide.Rows(), &guide.HiddenRows()})
        for (const OrderGuideRow& r : *rows)
            if (!r.lineComment.empty())
                keys.insert(r.lineComment);
    return keys;
}

bool BackorderTags::Add(OrderGuide& guide, int itemId, const std::string& sku, int units, const std::string& tag,
                        int catalog, const PriceBinding::PriceFn& price, int poolKey)
{
    if (tag.empty() || units == 0)
        return false;
    auto& rows = guide.Rows();
    const auto tagged = std::find_if(
        rows.begin(), rows.end(), [&](const OrderGuideRow& r) { return r.itemId == itemId && r.lineComment == tag; });
    if (tagged != rows.end()) {
        const auto at = static_cast<std::size_t>(tagged - rows.begin());
        const int next = std::max(0, tagged->units + units);
        guide.SetUnits(at, next);
        if (next == 0)
            guide.SetComment(at, "");
        return true;
    }
    if (units < 0)
        return false;

    // An unused line of the item takes the backorder before a new line is made.
    const auto unused = std::find_if(rows.begin(), rows.end(), [&](const OrderGuideRow& r) {
        return r.itemId == itemId && r.units == 0 && r.lineComment.empty();
    });
    if (unused != rows.end()) {
        const auto at = static_cast<std::size_t>(unused - rows.begin());
        guide.SetUnits(at, units);
        guide.SetComment(at, tag);
        return true;
    }
    int highest = 0;
    const OrderGuide& all = guide;
    for (const auto* list : {&all.Rows(), &all.HiddenRows()})
        for (const OrderGuideRow& r : *list)
            highest = std::max(highest, r.lineItemNumber);
    const auto same =
        std::find_if(rows.begin(), rows.end(), [&](const OrderGuideRow& r) { return r.itemId == itemId; });
    OrderGuideRow row;
    std::size_t at = rows.size();
    if (same != rows.end()) {
        row = GuideCommands::Duplicate(*same);
        at = static_cast<std::size_t>(same - rows.begin()) + 1;
    } else {
        std::optional<OrderGuideRow> found = GuideCommands::LookUp(sku, catalog, price, poolKey);
        if (!found || found->itemId != itemId)
            return false;
        row = std::move(*found);
    }
    row.lineItemNumber = highest + 1;
    row.units = units;
    row.lineComment = tag;
    guide.Insert(at, std::move(row));
    return true;
}

} // namespace zev
