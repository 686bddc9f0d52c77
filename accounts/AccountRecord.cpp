#include "accounts/AccountRecord.h"

#include "tables/SqlText.h"
#include "tabula/Query.h"

#include <cstdlib>

namespace zev {

std::time_t AccountRecord::DateFromParts(int year, int month, int day)
{
    if (year < 1971)
        return 0;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    return t == static_cast<std::time_t>(-1) ? 0 : t;
}

AccountRecord AccountRecord::Read(Query& q)
{
    AccountRecord r;
    auto text = [&q](long col) {
        std::string s;
        q.FillFromFieldValueString(col, s);
        return s;
    };
    auto date = [&q](long col) {
        return DateFromParts(q.GetFieldValueInt(col), q.GetFieldValueInt(col + 1), q.GetFieldValueInt(col + 2));
    };
    r.accountId = q.GetFieldValueInt(0);
    r.companyName = text(1);
    r.contactName = text(2);
    r.altContactName = text(3);
    r.address1 = text(4);
    r.address2 = text(5);
    r.city = text(6);
    r.state = text(7);
    r.zip = text(8);
    r.phone = text(9);
    r.fax = text(10);
    r.noSplitCaseCharge = q.GetFieldValueInt(11);
    r.apptDays = DayString(text(12), DayString::Default::None);
    r.delivDays = DayString(text(13), DayString::Default::All);
    r.accountNumber = text(14);
    r.pricingTier = q.GetFieldValueInt(15);
    r.distRepId = q.GetFieldValueInt(16);
    r.email = text(17);
    r.liquorLicenseNumber = text(18);
    r.comment1 = text(19);
    r.comment2 = text(20);
    r.catalogIds = text(21);
    r.acctStatus = q.GetFieldValueInt(22);
    r.updated = q.GetFieldValueInt(23);
    for (int i = 0; i < 7; ++i)
        r.apptTimes[i] = text(24 + i);
    r.balanceDue = q.GetFieldValueDouble(31);
    r.lastOrder = date(32);
    r.lastPaymentDate = date(35);
    r.ytdSales = q.GetFieldValueDouble(38);
    r.ytdReturns = q.GetFieldValueDouble(39);
    r.lytdSales = q.GetFieldValueDouble(40);
    r.lytdReturns = q.GetFieldValueDouble(41);
    r.onOrderBalance = q.GetFieldValueDouble(42);
    r.creditLimit = q.GetFieldValueDouble(43);
    r.creditTerms = text(44);
    r.billToCompany = text(45);
    r.billToContact = text(46);
    r.billToAddress1 = text(47);
    r.billToAddress2 = text(48);
    r.billToCity = text(49);
    r.billToState = text(50);
    r.billToZip = text(51);
    r.billToPhone = text(52);
    r.billToFax = text(53);
    r.customerType = q.GetFieldValueInt(54);
    r.warehouse = q.GetFieldValueInt(55);
    r.lastVisitDate = date(56);
    return r;
}

int AccountRecord::OrderCatalog() const
{
    const std::string list = SqlText::Trim(catalogIds);
    if (list.empty())
        return 10;
    const std::string first = SqlText::Trim(list.substr(0, list.find(',')));
    if (first.empty())
        return 10;
    return std::atoi(first.c_str());
}

std::string AccountRecord::CityLine() const { return city + ", " + state + " " + zip; }

} // namespace zev
