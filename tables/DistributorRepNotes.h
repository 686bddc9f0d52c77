#pragma once

#include "tabula/Query.h"

#include <ctime>
#include <string>

namespace zev {

// The representative's dated notes on accounts. Updated: 1 = new, waiting for
// upload; 2 = deleted here, waiting for upload; 0 = in step with the server.
// A note is identified by its account and DateEntered to the second.
class DistributorRepNotes : public Query {
public:
    explicit DistributorRepNotes(int poolKey = 0);

    // Rows (kColumns): DistRepID, AccountID, DateEntered, year, month, day,
    // hour, minute, second, Comment, Updated.
    int getOfAccount(int accountId);
    int getWaitingForUpload();
    // A new note with the next key, entered at local time `entered`. The
    // comment is raw text.
    int addNote(int accountId, std::time_t entered, const std::string& comment);
    // Marks the note of the account entered at that second as deleted.
    int deleteNote(int accountId, int year, int month, int day, int hour, int minute, int second);

    static constexpr const char* kColumns =
        "select DistRepID, AccountID, DateEntered,datepart(yyyy, DateEntered), datepart(mm, DateEntered), "
        "datepart(dd, DateEntered),datepart(hh, DateEntered), datepart(mi, DateEntered), datepart(ss, "
        "DateEntered),Comment, Updated";
};

} // namespace zev
