#pragma once

#include <ctime>
#include <string>

namespace zev {

// One row of the account list. Calendar times are 0 when there is no date
// (or, for the appointment, when it is unassigned).
struct AccountListItem {
    int accountId = 0;
    int statusIcon = 0;
    int pricingTier = 0;
    int callbackDay = -1; // day index 0..6, -1 = none
    int customerType = 0;
    int warehouse = 0;
    double balanceDue = 0.0;
    std::time_t lastOrder = 0;
    std::time_t lastVisit = 0;
    std::time_t lastPayment = 0;
    std::time_t apptTime = 0;
    std::string accountNumber;
    std::string companyName;
    std::string catalogList;
    std::string contact;
    std::string altContact;
    std::string email;
    std::string comment;
    std::string comment2;
    std::string city;
    std::string state;
    std::string phone;
    std::string callbackNotes;
    std::string licence;
};

} // namespace zev
