#pragma once

#include "accounts/AccountCreator.h"
#include "plugins/PluginApi.h"

namespace zev {

// Turns the pricing library's entry point into the case-price function the
// account creator takes: plain tier price (deal 0, quantity 0) of the item in
// the catalogue, 0 when the library is missing, fails or answers no number.
class StarterPricing {
public:
    static AccountCreator::CasePrice FromLibrary(Q9CalculatePriceFn calculate);
};

} // namespace zev
