#pragma once

#include "tables/DayString.h"

#include <array>
#include <ctime>
#include <string>

class Query;

namespace zev {

// One account as the account select (Accounts::kColumns) reads it, by the
// fixed positions 0 ... 58. Dates before 1971 (or missing) read as 0.
struct AccountRecord {
    int accountId = 0;
    std::string companyName;
    std::string contactName;
    std::string altContactName;
    std::string address1;
    std::string address2;
    std::string city;
    std::string state;
    std::string zip;
    std::string phone;
    std::string fax;
    int noSplitCaseCharge = 0;
    DayString apptDays;
    DayString delivDays{std::string(), DayString::Default::All};
    std::string accountNumber;
    int pricingTier = 0;
    int distRepId = 0;
    std::string email;
    std::string liquorLicenseNumber;
    std::string comment1;
    std::string comment2;
    std::string catalogIds;
    int acctStatus = 0;
    int updated = 0;
    std::array<std::string, 7> apptTimes; // Sunday ... Saturday
    double balanceDue = 0.0;
    std::time_t lastOrder = 0;
    std::time_t lastPaymentDate = 0;
    double ytdSales = 0.0;
    double ytdReturns = 0.0;
    double lytdSales = 0.0;
    double lytdReturns = 0.0;
    double onOrderBalance = 0.0;
    double creditLimit = 0.0;
    std::string creditTerms;
    std::string billToCompany;
    std::string billToContact;
    std::string billToAddress1;
    std::string billToAddress2;
    std::string billToCity;
    std::string billToState;
    std::string billToZip;
    std::string billToPhone;
    std::string billToFax;
    int customerType = 0;
    int warehouse = 0;
    std::time_t lastVisitDate = 0;

    // Reads the current row of a query opened with the account select.
    static AccountRecord Read(Query& query);

    // Local midnight of that day; 0 for a year below 1971.
    static std::time_t DateFromParts(int year, int month, int day);

    // The first entry of CatalogIDs, 10 when there is none.
    int OrderCatalog() const;
    // "City, ST Zip".
    std::string CityLine() const;
};

} // namespace zev
