#pragma once

#include <string>

namespace zev {

// What the account list leaves in the document for every account-related
// screen: the day shown and the account picked. Survives leaving the screen.
struct CurrentAccount {
    int dayButton = 0;  // 0 = no day stored yet
    int accountId = -1; // -1 = none
    std::string accountNumber;
    std::string companyName;
    int pricingTier = 0;
    int customerType = 0;
    std::string catalogList;
    int orderCatalog = 10;
    std::string licence;
    int warehouse = -1; // the current warehouse; set from the account only with switch 37
};

} // namespace zev
