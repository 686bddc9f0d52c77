#pragma once

#include "app/libraries/LibraryTable.h"

#include <functional>
#include <string>

namespace zev {

// The price calculation library bound for order entry: its three entry points
// resolved together (a library lacking any of them is released and counts as
// missing), the price operation and the enumeration of an item's tiers, with
// numbers passed as decimal texts.
class PriceBinding {
public:
    // The price operation as the guide and the worker call it: item, case
    // price out, single price out, quantity in units, catalogue, deal code.
    // False leaves the outputs as they were.
    using PriceFn = std::function<bool(int, float&, float&, int, int, unsigned)>;

    struct Enumerated {
        int breakQty = 0;       // buffer 7, read only when asked for
        int tier = 0;           // buffer 8
        double casePrice = 0;   // buffer 9
        double singlePrice = 0; // buffer 10
    };

    PriceBinding() = default;
    PriceBinding(const PriceBinding&) = delete;
    PriceBinding& operator=(const PriceBinding&) = delete;

    // Opens the library file and resolves Q9CalculatePrice, Q9ClosePricing and
    // Q9EnumeratePrices. `database` (optional) is handed to the library's
    // Q9SetPricingDatabase when it has one. False with the reason in `error`.
    [[nodiscard]] bool Load(const std::string& path, int pricePercent, const std::string& database,
                            std::string* error = nullptr);
    void Release();
    [[nodiscard]] bool IsBound() const { return m_lib.CalculatePrice != nullptr; }

    [[nodiscard]] bool Price(int item, float& casePrice, float& singlePrice, int units, int catalog,
                             unsigned dealCode) const;
    // Entry `index` of the item's tiers; false past the last one or on failure.
    [[nodiscard]] bool Enumerate(int item, int index, Enumerated& out, bool wantBreakQty) const;

    double PricePercentage() const { return m_lib.pricePercentage; }
    // The price operation as a function object (valid while the binding lives).
    PriceFn AsFunction() const;

private:
    PricingLibrary m_lib;
};

} // namespace zev
