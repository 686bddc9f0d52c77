#pragma once

#include "tables/DayString.h"
#include "tabula/Query.h"

#include <ctime>
#include <string>

namespace zev {

// What a locally created account starts from. Texts are raw; the table object
// trims them and doubles their apostrophes.
struct NewAccountRecord {
    int repId = 0;
    std::string companyName;
    std::string email;
    std::string address1;
    std::string address2;
    std::string city;
    std::string state;
    std::string zip;
    std::string phone;
    std::string fax;
};

// The representative's accounts. Every reader selects kColumns, so a row is
// read by the fixed positions 0 ... 58 (see AccountRecord). Text arguments are
// raw; they are trimmed and their apostrophes doubled here.
class Accounts : public Query {
public:
    explicit Accounts(int poolKey = 0);

    int getAccount(int accountId);
    int getAllAccounts();
    // Accounts whose ApptDays has "Y" on every day set in `days`.
    int getScheduled(const DayString& days);
    int getNotScheduled(const DayString& days);
    // The accounts scheduled on the day plus those with a callback that day.
    int getCallPlanOfDay(const DayString& days, int dayIndex);
    // Changed locally, leaving out accounts created here ("T-" numbers).
    int getChangedLocally();

    // The appointment time of the day button's weekday, or of every day for
    // the "All" button. A zero time clears it. Other buttons fail (0).
    int setApptTime(int accountId, int dayButton, std::time_t t);
    int setApptDays(int accountId, const DayString& days);
    int clearCallPlan();
    // The account editor's two statements; texts are raw.
    int updateNameAndAddress(int accountId, const std::string& companyName, const std::string& contact,
                             const std::string& altContact, const std::string& address1, const std::string& address2);
    int updateContactAndDays(int accountId, const std::string& city, const std::string& state, const std::string& zip,
                             const std::string& email, const std::string& phone, const std::string& fax,
                             const std::string& apptDays, const std::string& delivDays);

    // Inserts a new account with the next free id and a temporary number
    // "T-<rep>-<id>". Returns the new id, or 0 when any step failed.
    int createAccount(const NewAccountRecord& record);

    // Of the current row: "City, ST Zip".
    std::string getCityLine();
    DayString getApptDays();
    DayString getDelivDays();

    static constexpr const char* kColumns =
        "select AccountID, CompanyName, ContactName, AltContactName, Address1, Address2, City, State, Zip, Phone, "
        "Fax, NoSplitCaseCharge, ApptDays, DelivDays, AccountNumber, PricingTier, DistRepID, Email, "
        "LiquorLicenseNumber, Comment1, Comment2,CatalogIDs, AcctStatus, Updated, ApptTime1, ApptTime2, ApptTime3, "
        "ApptTime4, ApptTime5, ApptTime6, ApptTime7, BalanceDue, datepart(yy, LastOrder), datepart(mm, LastOrder), "
        "datepart(dd, LastOrder), datepart(yy, LastPaymentDate), datepart(mm, LastPaymentDate), datepart(dd, "
        "LastPaymentDate), YTDSales, YTDReturns, LYTDSales, LYTDReturns, OnOrderBalance, CreditLimit, CreditTerms, "
        "BillToCompany, BillToContact, BillToAddress1, BillToAddress2, BillToCity, BillToState, BillToZip, "
        "BillToPhone, BillToFax,CustomerType,Warehouse, datepart(yy, LastVisitDate), datepart(mm, LastVisitDate), "
        "datepart(dd, LastVisitDate)";
};

} // namespace zev
