#pragma once

#include "accounts/CurrentAccount.h"
#include "orders/PriceBinding.h"

#include <functional>
#include <optional>

namespace zev {

class IClock;

// What the product screens share: the document's current account (null or
// id -1: none), the price operation, the deal codes the tier list offers and
// the opening of an item's details.
struct ProductsViewContext {
    const CurrentAccount* current = nullptr;
    // Empty: prices are not shown and added lines are left unpriced.
    PriceBinding::PriceFn price = {};
    int dealCodeMin = 0;
    int dealCodeMax = 0;
    // Opens the item details window; empty greys Details.
    std::function<void(int itemId)> itemDetails = {};
    // Null uses the system clock.
    const IClock* clock = nullptr;

    bool HasAccount() const { return current != nullptr && current->accountId >= 0; }
    int AccountId() const { return HasAccount() ? current->accountId : -1; }
    std::optional<int> Account() const { return HasAccount() ? std::optional<int>(current->accountId) : std::nullopt; }
    // The order catalogue of the current account; 10 without one.
    int Catalog() const { return HasAccount() ? current->orderCatalog : 10; }
    std::optional<int> AccountCatalog() const
    {
        return HasAccount() ? std::optional<int>(current->orderCatalog) : std::nullopt;
    }
};

} // namespace zev
