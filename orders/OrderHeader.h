#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zev {

// One line of the order being placed, taken from a guide row.
struct OrderLine {
    int itemId = 0;
    int catalogId = 0;
    int cases = 0;
    int singles = 0;
    int qtyPerCase = 1;
    int par = 0;
    int inv = 0;
    int lineItemNumber = 0;
    unsigned dealCode = 0;
    int warehouse = 0;
    double casePrice = 0;
    double singlePrice = 0;
    double discount = 0;
    double priceOverride = 0;
    double extendedPrice = 0;
    double retailPrice = 0;
    std::string text;
    std::string prefix;
    std::string suffix;
    std::string lineComment;
};

// The order the document holds from place-order until it is saved or reset.
// Texts that go into the ready order are kept as they will be written:
// trimmed, cut and with apostrophes doubled (see OrderSaver's helpers).
struct OrderHeader {
    std::vector<OrderLine> lines;
    int accountId = -1;
    int readyId = -1;
    int orderType = 0; // 0 order, 2 No Visit/No Sale, 3 backorder cancellation
    bool modifying = false;
    std::int64_t totalCents = 0;
    std::string deliveryDate;
    std::string notes;
    std::string odcText;
    std::string creditTerms;
    std::string warehouse;
    std::string odcCode;
    std::string cancelDate;
    std::string creditCard; // never logged
    std::string shippingMethod;
    std::array<int, 10> options{};
    std::string signature;

    void Reset() { *this = OrderHeader(); }
};

} // namespace zev
