#pragma once

#include "accounts/CurrentAccount.h"
#include "orders/OrderHeader.h"
#include "orders/PriceBinding.h"

#include <functional>
#include <set>
#include <string>

class QWidget;

namespace zev {

class IClock;

// What the order screens share beyond the frame: the current account, the
// order the document holds from placing until it is saved, the price
// operation, the call record and the single-order send.
struct OrderViewContext {
    CurrentAccount& current;
    OrderHeader& order;
    // Empty: the guide keeps its stored prices (no background re-pricing).
    PriceBinding::PriceFn price;
    // Records the account's call when an order is saved; non-zero on success.
    std::function<int(int accountId)> recordCall;
    // Sends one ready order; true when the distributor took it.
    std::function<bool(int readyId)> sendOrder;
    // Null uses the system clock.
    const IClock* clock = nullptr;
    // Opens the item details window for an item; empty: Details shows the
    // line's own record.
    std::function<void(int itemId)> itemDetails = {};
    // The custom point-of-sale builder for an account; empty hides its button.
    std::function<void(QWidget* parent, int accountId)> customPos = {};
    // A guide change a backorder asks for: units of an item (with its
    // number) tagged with the backorder's key; false when not taken.
    using GuideAdd = std::function<bool(int itemId, const std::string& sku, int units, const std::string& tag)>;
    // The backorder dialog of an account, handed the keys the guide holds.
    // Empty greys the guide's backorder button.
    std::function<void(QWidget* parent, int accountId, std::set<std::string> heldKeys, GuideAdd add)> backorders{};
    // The backorder cancellation of an account, the lines of `invoice`
    // shown first. Empty greys the open orders' Cancel Backorders.
    std::function<void(QWidget* parent, int accountId, const std::string& invoice)> cancelBackorders{};
};

} // namespace zev
