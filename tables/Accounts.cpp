#include "tables/Accounts.h"

#include "tables/DayButtons.h"
#include "tables/SqlText.h"

namespace zev {

Accounts::Accounts(int poolKey) : Query("Accounts", "AccountID", poolKey) {}

int Accounts::getAccount(int accountId)
{
    m_strSQL = SqlText::Format("%s from Accounts where AccountID = %d", kColumns, accountId);
    return Open(m_strSQL);
}

int Accounts::getAllAccounts()
{
    m_strSQL = SqlText::Format("%s from Accounts", kColumns);
    return Open(m_strSQL);
}

int Accounts::getScheduled(const DayString& days)
{
    m_strSQL = SqlText::Format("%s from Accounts where %s", kColumns, days.ScheduledPattern("ApptDays").c_str());
    return Open(m_strSQL);
}

int Accounts::getNotScheduled(const DayString& days)
{
    m_strSQL = SqlText::Format("%s from Accounts where %s", kColumns, days.NotScheduledPattern("ApptDays").c_str());
    return Open(m_strSQL);
}

int Accounts::getCallPlanOfDay(const DayString& days, int dayIndex)
{
    m_strSQL = SqlText::Format(
        "%s from Accounts where %s or AccountID in (Select AccountID from Callback where CallbackDay=%d)", kColumns,
        days.ScheduledPattern("ApptDays").c_str(), dayIndex);
    return Open(m_strSQL);
}

int Accounts::getChangedLocally()
{
    m_strSQL = SqlText::Format("%s from Accounts where updated = 1 and AccountNumber NOT LIKE 'T-%%'", kColumns);
    return Open(m_strSQL);
}

int Accounts::setApptTime(int accountId, int dayButton, std::time_t t)
{
    std::string text;
    if (t != 0) {
        std::tm tm{};
        if (localtime_r(&t, &tm) == nullptr)
            return 0;
        text = SqlText::Format("%.2d%.2d", tm.tm_hour, tm.tm_min);
    }
    if (dayButton == DayButtons::kAll) {
        const char* s = text.c_str();
        m_strSQL = SqlText::Format("Update Accounts Set Updated=1, ApptTime1='%s', ApptTime2='%s', ApptTime3='%s', "
                                   "ApptTime4='%s', ApptTime5='%s', ApptTime6 = '%s', ApptTime7 = '%s' where "
                                   "AccountID = %d",
                                   s, s, s, s, s, s, s, accountId);
    } else if (DayButtons::IsWeekday(dayButton)) {
        m_strSQL = SqlText::Format("Update Accounts Set Updated = 1, ApptTime%d = '%s' where AccountID = %d",
                                   DayButtons::ApptTimeNumber(dayButton), text.c_str(), accountId);
    } else {
        return 0;
    }
    return Open(m_strSQL);
}

int Accounts::setApptDays(int accountId, const DayString& days)
{
    m_strSQL = SqlText::Format("Update Accounts Set Updated=1, ApptDays='%s' where AccountID = %d",
                               SqlText::Clean(days.Text()).c_str(), accountId);
    return Open(m_strSQL);
}

int Accounts::clearCallPlan()
{
    m_strSQL = "Update Accounts Set Updated = 1, ApptDays = 'NNNNNNN' where ApptDays <> 'NNNNNNN'";
    return Open(m_strSQL);
}

int Accounts::updateNameAndAddress(int accountId, const std::string& companyName, const std::string& contact,
                                   const std::string& altContact, const std::string& address1,
                                   const std::string& address2)
{
    m_strSQL = SqlText::Format("Update Accounts Set CompanyName = '%s', ContactName = '%s', AltContactName = '%s', "
                               "Address1 = '%s', Address2 = '%s', Updated = 1 where AccountID = %d",
                               SqlText::Clean(companyName).c_str(), SqlText::Clean(contact).c_str(),
                               SqlText::Clean(altContact).c_str(), SqlText::Clean(address1).c_str(),
                               SqlText::Clean(address2).c_str(), accountId);
    return Open(m_strSQL);
}

int Accounts::updateContactAndDays(int accountId, const std::string& city, const std::string& state,
                                   const std::string& zip, const std::string& email, const std::string& phone,
                                   const std::string& fax, const std::string& apptDays, const std::string& delivDays)
{
    m_strSQL =
        SqlText::Format("Update Accounts Set City = '%s', State = '%s', Zip = '%s', Email = '%s', Phone = '%s', "
                        "Fax = '%s', ApptDays = '%s', DelivDays = '%s', Updated = 1 where AccountID = %d",
                        SqlText::Clean(city).c_str(), SqlText::Clean(state).c_str(), SqlText::Clean(zip).c_str(),
                        SqlText::Clean(email).c_str(), SqlText::Clean(phone).c_str(), SqlText::Clean(fax).c_str(),
                        SqlText::Clean(apptDays).c_str(), SqlText::Clean(delivDays).c_str(), accountId);
    return Open(m_strSQL);
}

int Accounts::createAccount(const NewAccountRecord& r)
{
    m_strSQL = "Select max(AccountID) from Accounts";
    if (!Open(m_strSQL))
        return 0;
    const int newId = GetFieldValueInt(0) + 1;
    m_strSQL = "Select min(PricingTier) from Accounts";
    if (!Open(m_strSQL))
        return 0;

    const std::string number = SqlText::Format("T-%d-%d", r.repId, newId);
    const std::string company = SqlText::Clean(r.companyName);
    m_strSQL = SqlText::Format(
        "INSERT INTO Accounts VALUES (%d,'%s','%s','','%s','%s','%s','%s','%s','%s','%s',1,'NNNNNNN','YYYYYYY','%s',"
        "0,%d, '%s','','','','10',0,1,'','','','','','','',0,GetDate(),'1900-01-01',0,0,0,0,0,0,'', "
        "'','','','','','','','','',0, 1, NULL) ",
        newId, company.c_str(), company.c_str(), SqlText::Clean(r.address1).c_str(), SqlText::Clean(r.address2).c_str(),
        SqlText::Clean(r.city).c_str(), SqlText::Clean(r.state).c_str(), SqlText::Clean(r.zip).c_str(),
        SqlText::Clean(r.phone).c_str(), SqlText::Clean(r.fax).c_str(), number.c_str(), r.repId,
        SqlText::Clean(r.email).c_str());
    return Open(m_strSQL) ? newId : 0;
}

std::string Accounts::getCityLine()
{
    return SqlText::Format("%s, %s %s", GetFieldValueString(6).c_str(), GetFieldValueString(7).c_str(),
                           GetFieldValueString(8).c_str());
}

DayString Accounts::getApptDays() { return DayString(GetFieldValueString(12), DayString::Default::None); }

DayString Accounts::getDelivDays() { return DayString(GetFieldValueString(13), DayString::Default::All); }

} // namespace zev
