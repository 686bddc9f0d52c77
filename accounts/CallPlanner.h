#pragma once

#include "tables/DayString.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace zev {

class Accounts;

// The weekly call plan and the outcome of each call: which accounts a day's
// list holds, the status icon of an account on a day, recording orders and
// No Call / No Sale, clearing statuses, keeping callbacks and setting the
// appointment days. Days are given as day buttons (1029 Sunday ... 1035
// Saturday, 1036 "All"). All work goes through table objects on one pool.
class CallPlanner {
public:
    enum class NoOrderReason { NoSale, NoCall };

    static constexpr int kIconNone = 0;
    static constexpr int kIconOrdered = 10;
    static constexpr int kIconNoOrder = 11;

    // `callTracking` is the distributor's call-tracking switch (byte 184).
    explicit CallPlanner(bool callTracking, int poolKey = 0);

    bool CallTracking() const { return m_callTracking; }

    // Opens the accounts of the day on `accounts` (the Open result): every
    // account for "All"; for a weekday those scheduled that day, plus, with
    // call tracking, those with a callback that day.
    int OpenAccountsOfDay(Accounts& accounts, int dayButton) const;

    // The call status icon of an account on the day: 10 after an order, 11
    // after a No Call / No Sale, else 0 (always 0 for "All").
    int CallStatusIcon(int accountId, int dayButton) const;

    // The account's callback: day -1 and empty notes when it has none.
    void ReadCallback(int accountId, int& day, std::string& notes) const;

    // What CallStatusIcon and ReadCallback give, for every account that has
    // a callback or a call on the day, read with two statements for a whole
    // list instead of two per account. An account not in the map has none.
    struct CallState {
        int callbackDay = -1;
        std::string callbackNotes;
        int icon = kIconNone;
    };
    std::unordered_map<int, CallState> ReadCallStates(int dayButton) const;

    // An order was saved: the callback goes and, on a weekday, the call is
    // recorded as an order. Nothing happens without call tracking.
    int RecordOrderSaved(int accountId, int dayButton) const;
    // The same for a No Call / No Sale.
    int RecordNoOrder(int accountId, int dayButton, NoOrderReason reason) const;

    // Clears the account's status of the day (nothing for "All": returns 1).
    int ClearCall(int accountId, int dayButton) const;
    int ClearWeek() const;

    // Writes a callback change: adds the row when there was none, removes it
    // when neither day nor notes remain, otherwise changes it. Notes are raw.
    int KeepCallback(int accountId, int oldDay, const std::string& oldNotes, int newDay,
                     const std::string& newNotes) const;

    // Adds the accounts to (or removes them from) a weekday's plan by
    // rewriting their ApptDays. Stops at the first failure (returns 0).
    int SetCallPlan(const std::vector<int>& accountIds, int dayIndex, bool add) const;
    int ClearCallPlan() const;

private:
    bool m_callTracking;
    int m_poolKey;
};

} // namespace zev
