#include "orders/PriceBinding.h"

#include "orders/Amount.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zev {

bool PriceBinding::Load(const std::string& path, int pricePercent, const std::string& database, std::string* error)
{
    Release();
    std::string why;
    if (!m_lib.module.Open(path, why)) {
        if (error != nullptr)
            *error = why;
        return false;
    }
    const char* missing = nullptr;
    if (!m_lib.module.Resolve("Q9CalculatePrice", m_lib.CalculatePrice))
        missing = "Q9CalculatePrice";
    else if (!m_lib.module.Resolve("Q9ClosePricing", m_lib.ClosePricing))
        missing = "Q9ClosePricing";
    else if (!m_lib.module.Resolve("Q9EnumeratePrices", m_lib.EnumeratePrices))
        missing = "Q9EnumeratePrices";
    if (missing != nullptr) {
        Release();
        if (error != nullptr)
            *error = std::string("missing entry point ") + missing;
        return false;
    }
    m_lib.pricePercentage = pricePercent * 0.01;
    Q9SetPricingDatabaseFn setDatabase = nullptr;
    if (!database.empty() && m_lib.module.Resolve("Q9SetPricingDatabase", setDatabase))
        setDatabase(database.c_str());
    return true;
}

void PriceBinding::Release()
{
    m_lib.CalculatePrice = nullptr;
    m_lib.ClosePricing = nullptr;
    m_lib.EnumeratePrices = nullptr;
    m_lib.module.Close();
}

bool PriceBinding::Price(int item, float& casePrice, float& singlePrice, int units, int catalog,
                         unsigned dealCode) const
{
    return m_lib.Price(item, casePrice, singlePrice, units, catalog, dealCode);
}

bool PriceBinding::Enumerate(int item, int index, Enumerated& out, bool wantBreakQty) const
{
    if (m_lib.EnumeratePrices == nullptr)
        return false;
    char itemText[32] = "";
    if (item != 0)
        std::snprintf(itemText, sizeof itemText, "%d", item);
    char indexText[32];
    std::snprintf(indexText, sizeof indexText, "%d", index);
    char b7[Q9_PRICE_BUFFER_SIZE], b8[Q9_PRICE_BUFFER_SIZE], b9[Q9_PRICE_BUFFER_SIZE], b10[Q9_PRICE_BUFFER_SIZE];
    for (char* b : {b7, b8, b9, b10}) {
        std::memset(b, ' ', Q9_PRICE_BUFFER_SIZE);
        b[Q9_PRICE_BUFFER_SIZE - 1] = '\0';
    }
    // Only the low byte of the result carries the answer.
    if ((m_lib.EnumeratePrices(itemText, indexText, "", "", "", "", b7, b8, b9, b10) & 0xFF) == 0)
        return false;
    for (char* b : {b7, b8, b9, b10})
        b[Q9_PRICE_BUFFER_SIZE - 1] = '\0';
    out.casePrice = Amount::LeadingNumber(b9);
    out.singlePrice = Amount::LeadingNumber(b10);
    out.tier = static_cast<int>(std::strtol(b8, nullptr, 10));
    if (wantBreakQty)
        out.breakQty = static_cast<int>(std::strtol(b7, nullptr, 10));
    return true;
}

PriceBinding::PriceFn PriceBinding::AsFunction() const
{
    return [this](int item, float& c, float& s, int units, int catalog, unsigned deal) {
        return Price(item, c, s, units, catalog, deal);
    };
}

} // namespace zev
