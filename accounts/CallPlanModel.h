#pragma once

#include "accounts/CallPlanner.h"

#include <string>
#include <vector>

namespace zev {

// The "Call Plan" dialog without its widgets: for one weekday, the accounts to
// call and all the others; adding, removing and clearing rewrite ApptDays and
// fill both lists again.
class CallPlanModel {
public:
    struct Row {
        int accountId = 0;
        std::string company; // display case
        std::string city;
        std::string state;
        std::string zip;
        std::string accountNumber;
        // "Company (City, ST) Number", the text of the "Accounts to call" list.
        std::string ScheduledText() const;
    };

    // `dayIndex` 0 (Sunday) ... 6; the dialog starts on today's weekday.
    explicit CallPlanModel(int dayIndex, int poolKey = 0);

    int DayIndex() const { return m_day; }
    // Chooses the day and fills both lists.
    void SetDay(int dayIndex);
    void Fill();

    // Both lists in name order (letters without case, then account number).
    const std::vector<Row>& Scheduled() const { return m_scheduled; }
    const std::vector<Row>& Others() const { return m_others; }

    // Each returns the table objects' result and fills the lists again.
    int Add(const std::vector<int>& accountIds);
    int Remove(const std::vector<int>& accountIds);
    int RemoveAll();
    int ClearWeek();

private:
    int m_day;
    int m_poolKey;
    CallPlanner m_planner;
    std::vector<Row> m_scheduled;
    std::vector<Row> m_others;
};

} // namespace zev
