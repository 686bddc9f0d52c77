#pragma once

#include <array>
#include <string>
#include <vector>

namespace zev::server {

// One "L<n>=" part of an order body, decoded.
struct ReceivedOrderLine {
    int lineNumber = 0;
    long long itemId = 0;
    long long cases = 0;
    long long singles = 0;
    double caseDistPrice = 0;
    double singleDistPrice = 0;
    std::string specialFlag;
    std::string discountAmount;
    std::string priceOverride;
    long long par = 0;
    long long inv = 0;
    double extPrice = 0;
    double retailPrice = 0;
    long long warehouse = 0;
    std::string lineComment;
};

// The body posted to takeOrders.cfm, decoded (escapes undone, texts as the representative typed them).
struct ReceivedOrder {
    long long accountId = 0;
    std::string deliveryDate;          // B
    std::string notes;                 // C
    std::string odcText;               // D
    std::string creditTerms;           // E
    std::string createdTime;           // F
    std::string warehouse;             // G
    std::string odcCode;               // H
    std::string cancelDate;            // I
    std::string creditCard;            // J
    std::string shipMethod;            // K
    std::array<int, 10> optionMarks{}; // KK
    std::string signature;             // S
    std::vector<ReceivedOrderLine> lines;
};

// Parses an order body. Returns false with a short reason when the body is incomplete or malformed
// (missing account, a line with too few fields, a line count that does not match T): such an order is
// refused whole so that the program keeps it and sends it again.
bool ParseOrderBody(const std::string& body, ReceivedOrder& order, std::string& error);

} // namespace zev::server
