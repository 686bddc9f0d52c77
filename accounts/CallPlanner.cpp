#include "accounts/CallPlanner.h"

#include "tables/AccountCalled.h"
#include "tables/Accounts.h"
#include "tables/Callback.h"
#include "tables/DayButtons.h"
#include "tables/SqlText.h"

namespace zev {

CallPlanner::CallPlanner(bool callTracking, int poolKey) : m_callTracking(callTracking), m_poolKey(poolKey) {}

int CallPlanner::OpenAccountsOfDay(Accounts& accounts, int dayButton) const
{
    if (!DayButtons::IsWeekday(dayButton))
        return accounts.getAllAccounts();
    const int day = DayButtons::DayIndex(dayButton);
    const DayString days = DayString::SingleDay(day);
    if (m_callTracking)
        return accounts.getCallPlanOfDay(days, day);
    return accounts.getScheduled(days);
}

namespace {

int IconForType(int type)
{
    switch (type) {
    case AccountCalled::kOrder:
        return CallPlanner::kIconOrdered;
    case AccountCalled::kNoSale:
    case AccountCalled::kNoCall:
        return CallPlanner::kIconNoOrder;
    default:
        return CallPlanner::kIconNone;
    }
}

} // namespace

int CallPlanner::CallStatusIcon(int accountId, int dayButton) const
{
    if (!DayButtons::IsWeekday(dayButton))
        return kIconNone;
    AccountCalled called(m_poolKey);
    if (!called.getStatus(accountId, DayButtons::DayIndex(dayButton)))
        return kIconNone;
    return IconForType(called.GetFieldValueInt(2));
}

void CallPlanner::ReadCallback(int accountId, int& day, std::string& notes) const
{
    day = -1;
    notes.clear();
    Callback callback(m_poolKey);
    if (!callback.getByPK(accountId))
        return;
    day = callback.GetFieldValueInt(1);
    callback.FillFromFieldValueString(2, notes);
}

std::unordered_map<int, CallPlanner::CallState> CallPlanner::ReadCallStates(int dayButton) const
{
    std::unordered_map<int, CallState> states;
    // The first row of an account wins, as a lookup by account would find it.
    Callback callback(m_poolKey);
    if (callback.Open("select * from Callback")) {
        for (; !callback.IsEOF(); callback.MoveNext()) {
            auto [it, added] = states.try_emplace(callback.GetFieldValueInt(0));
            if (!added)
                continue;
            it->second.callbackDay = callback.GetFieldValueInt(1);
            callback.FillFromFieldValueString(2, it->second.callbackNotes);
        }
    }
    if (!DayButtons::IsWeekday(dayButton))
        return states;
    AccountCalled called(m_poolKey);
    std::unordered_map<int, bool> seen;
    if (called.Open(SqlText::Format("select * from AccountCalled where Day = %d", DayButtons::DayIndex(dayButton)))) {
        for (; !called.IsEOF(); called.MoveNext()) {
            const int id = called.GetFieldValueInt(0);
            if (!seen.try_emplace(id, true).second)
                continue;
            states[id].icon = IconForType(called.GetFieldValueInt(2));
        }
    }
    return states;
}

int CallPlanner::RecordOrderSaved(int accountId, int dayButton) const
{
    if (!m_callTracking)
        return 1;
    Callback(m_poolKey).remove(accountId);
    if (!DayButtons::IsWeekday(dayButton))
        return 1;
    return AccountCalled(m_poolKey).record(accountId, DayButtons::DayIndex(dayButton), AccountCalled::kOrder);
}

int CallPlanner::RecordNoOrder(int accountId, int dayButton, NoOrderReason reason) const
{
    if (!m_callTracking)
        return 1;
    Callback(m_poolKey).remove(accountId);
    if (!DayButtons::IsWeekday(dayButton))
        return 1;
    const int type = reason == NoOrderReason::NoCall ? AccountCalled::kNoCall : AccountCalled::kNoSale;
    return AccountCalled(m_poolKey).record(accountId, DayButtons::DayIndex(dayButton), type);
}

int CallPlanner::ClearCall(int accountId, int dayButton) const
{
    if (!DayButtons::IsWeekday(dayButton))
        return 1;
    return AccountCalled(m_poolKey).clear(accountId, DayButtons::DayIndex(dayButton));
}

int CallPlanner::ClearWeek() const { return AccountCalled(m_poolKey).clearWeek(); }

int CallPlanner::KeepCallback(int accountId, int oldDay, const std::string& oldNotes, int newDay,
                              const std::string& newNotes) const
{
    const bool hadRow = oldDay != -1 || !SqlText::Trim(oldNotes).empty();
    const bool keepsRow = newDay != -1 || !SqlText::Trim(newNotes).empty();
    Callback callback(m_poolKey);
    if (!hadRow && keepsRow)
        return callback.add(accountId, newDay, newNotes);
    if (!keepsRow)
        return callback.remove(accountId);
    return callback.change(accountId, newDay, newNotes);
}

int CallPlanner::SetCallPlan(const std::vector<int>& accountIds, int dayIndex, bool add) const
{
    if (dayIndex < 0 || dayIndex > 6)
        return 0;
    Accounts reader(m_poolKey);
    Accounts writer(m_poolKey);
    for (int id : accountIds) {
        if (!reader.getAccount(id))
            return 0;
        DayString days = reader.getApptDays();
        days.SetDay(dayIndex, add);
        if (!writer.setApptDays(id, days))
            return 0;
    }
    return 1;
}

int CallPlanner::ClearCallPlan() const { return Accounts(m_poolKey).clearCallPlan(); }

} // namespace zev
