#include "orders/LinePricing.h"

#include "orders/Amount.h"

namespace zev {

namespace {

double Compute(const OrderGuideRow& row, int overrideMode, float* loweredDiscount)
{
    const int perCase = row.qtyPerCase > 0 ? row.qtyPerCase : 1;
    const int cases = row.units / perCase;
    const int singles = row.units % perCase;
    if (row.units == 0 || Amount::IsFree(row.priceOverride) || Amount::IsFree(row.discount))
        return 0.0;
    double amount = 0.0;
    if (!Amount::IsZero(row.priceOverride) && !Amount::IsNet(row.priceOverride)) {
        const double over = row.priceOverride;
        amount = overrideMode == 1 ? row.units * over : over / perCase * row.units;
    } else {
        double discount = Amount::IsNet(row.discount) ? 0.0 : row.discount;
        if (Amount::Cents(discount) > Amount::Cents(row.casePrice)) {
            discount = row.casePrice;
            if (loweredDiscount != nullptr)
                *loweredDiscount = row.casePrice;
        }
        amount = (static_cast<double>(row.singlePrice) - discount / perCase) * singles +
                 (static_cast<double>(row.casePrice) - discount) * cases;
    }
    if (singles > 0)
        amount += row.splitCaseCharge;
    return amount < 0.0 ? 0.0 : amount;
}

} // namespace

float LinePricing::Extend(OrderGuideRow& row, int overrideMode)
{
    float lowered = row.discount;
    row.extendedPrice = static_cast<float>(Compute(row, overrideMode, &lowered));
    row.discount = lowered;
    return row.extendedPrice;
}

float LinePricing::AmountOf(const OrderGuideRow& row, int overrideMode)
{
    return static_cast<float>(Compute(row, overrideMode, nullptr));
}

std::int64_t LinePricing::TotalCents(const std::vector<OrderGuideRow>& rows)
{
    std::int64_t total = 0;
    for (const OrderGuideRow& row : rows)
        total += Amount::Cents(row.extendedPrice);
    return total;
}

} // namespace zev
