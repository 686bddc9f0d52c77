#include "products/Promotions.h"

#include "app/core/TextHelpers.h"
#include "tables/Items.h"
#include "tables/Promo.h"
#include "tables/SqlText.h"

namespace zev {

namespace {

// Positions in Promo and Items (the schema's column order is the contract).
constexpr long kPromoId = 0;
constexpr long kLineId = 1;
constexpr long kPromoDescription = 2;
constexpr long kPromoItem = 3;
constexpr long kMinQty = 4;
constexpr long kDiscount = 5;
constexpr long kStart = 6;
constexpr long kEnd = 7;
constexpr long kItemDescription = 1;
constexpr long kItemSku = 6;
constexpr long kItemVolume = 7;
constexpr long kItemValidCatalogs = 19;

std::string DateOnly(const std::string& stamp) { return SqlText::Trim(stamp).substr(0, 10); }

} // namespace

std::string Promotions::Day(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

bool Promotions::Runs(const std::string& start, const std::string& end, const std::string& today)
{
    return (start.empty() || start <= today) && (end.empty() || today <= end);
}

std::vector<Promotions::Promotion> Promotions::Current(const std::string& today, std::optional<int> catalog,
                                                       int poolKey)
{
    std::vector<Promotion> found;
    Promo headers(poolKey);
    if (headers.getHeaders() != 1)
        return found;
    for (; headers.IsEOF() == 0; headers.MoveNext()) {
        Promotion p;
        p.promoId = headers.GetFieldValueInt(kPromoId);
        p.description = SqlText::Trim(headers.GetFieldValueString(kPromoDescription));
        p.start = DateOnly(headers.GetFieldValueString(kStart));
        p.end = DateOnly(headers.GetFieldValueString(kEnd));
        if (Runs(p.start, p.end, today))
            found.push_back(std::move(p));
    }
    const std::string wanted = catalog ? std::to_string(*catalog) : std::string();
    std::vector<Promotion> kept;
    Promo lines(poolKey);
    Items items(poolKey);
    for (Promotion& p : found) {
        if (lines.getLines(p.promoId) == 1) {
            for (; lines.IsEOF() == 0; lines.MoveNext()) {
                Line line;
                line.lineId = lines.GetFieldValueInt(kLineId);
                line.itemId = lines.GetFieldValueInt(kPromoItem);
                line.text = SqlText::Trim(lines.GetFieldValueString(kPromoDescription));
                line.minQty = lines.GetFieldValueInt(kMinQty);
                line.discount = lines.GetFieldValueDouble(kDiscount);
                if (items.getByID(line.itemId) != 1 || items.IsEOF() != 0)
                    continue;
                if (catalog && items.GetFieldValueString(kItemValidCatalogs).find(wanted) == std::string::npos)
                    continue;
                line.sku = SqlText::Trim(items.GetFieldValueString(kItemSku));
                line.description = SqlText::Trim(items.GetFieldValueString(kItemDescription));
                ProperCase(line.description);
                line.size = SqlText::Trim(items.GetFieldValueString(kItemVolume));
                p.lines.push_back(std::move(line));
            }
        }
        if (!catalog || !p.lines.empty())
            kept.push_back(std::move(p));
    }
    return kept;
}

} // namespace zev
