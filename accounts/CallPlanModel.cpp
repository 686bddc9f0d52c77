#include "accounts/CallPlanModel.h"

#include "accounts/AccountRecord.h"
#include "app/core/TextHelpers.h"
#include "tables/Accounts.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace zev {

namespace {

std::vector<CallPlanModel::Row> ReadRows(Accounts& accounts, int openResult)
{
    std::vector<CallPlanModel::Row> rows;
    if (!openResult)
        return rows;
    for (; !accounts.IsEOF(); accounts.MoveNext()) {
        const AccountRecord r = AccountRecord::Read(accounts);
        CallPlanModel::Row row{r.accountId, r.companyName, r.city, r.state, r.zip, r.accountNumber};
        ProperCase(row.company);
        ProperCase(row.city);
        rows.push_back(std::move(row));
    }
    return rows;
}

// By the name as shown, letters compared without case, then by account number
// (two branches of one company), so the list reads like a directory.
void SortByName(std::vector<CallPlanModel::Row>& rows)
{
    auto key = [](const std::string& text) {
        std::string folded = text;
        for (char& c : folded)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return folded;
    };
    std::stable_sort(rows.begin(), rows.end(), [&key](const CallPlanModel::Row& a, const CallPlanModel::Row& b) {
        const std::string ka = key(a.company);
        const std::string kb = key(b.company);
        return ka != kb ? ka < kb : a.accountNumber < b.accountNumber;
    });
}

} // namespace

std::string CallPlanModel::Row::ScheduledText() const
{
    return company + " (" + city + ", " + state + ") " + accountNumber;
}

CallPlanModel::CallPlanModel(int dayIndex, int poolKey) : m_day(dayIndex), m_poolKey(poolKey), m_planner(false, poolKey)
{
}

void CallPlanModel::SetDay(int dayIndex)
{
    m_day = dayIndex;
    Fill();
}

void CallPlanModel::Fill()
{
    const DayString day = DayString::SingleDay(m_day);
    Accounts accounts(m_poolKey);
    m_scheduled = ReadRows(accounts, accounts.getScheduled(day));
    // The not-scheduled pattern misses accounts whose ApptDays is empty, NULL
    // or in the digit form; they could then never be added. Every account not
    // in the first list is offered instead.
    std::set<int> scheduledIds;
    for (const Row& row : m_scheduled)
        scheduledIds.insert(row.accountId);
    m_others.clear();
    for (Row& row : ReadRows(accounts, accounts.getAllAccounts()))
        if (!scheduledIds.count(row.accountId))
            m_others.push_back(std::move(row));
    SortByName(m_scheduled);
    SortByName(m_others);
}

int CallPlanModel::Add(const std::vector<int>& accountIds)
{
    const int r = m_planner.SetCallPlan(accountIds, m_day, true);
    Fill();
    return r;
}

int CallPlanModel::Remove(const std::vector<int>& accountIds)
{
    const int r = m_planner.SetCallPlan(accountIds, m_day, false);
    Fill();
    return r;
}

int CallPlanModel::RemoveAll()
{
    std::vector<int> ids;
    for (const Row& row : m_scheduled)
        ids.push_back(row.accountId);
    return Remove(ids);
}

int CallPlanModel::ClearWeek()
{
    const int r = m_planner.ClearCallPlan();
    Fill();
    return r;
}

} // namespace zev
