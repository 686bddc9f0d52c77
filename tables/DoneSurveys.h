#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// Surveys taken. Rows (select *): DoneID, SurveyID, AccountID, Completed,
// StartTime, EndTime.
class DoneSurveys : public Query {
public:
    explicit DoneSurveys(int poolKey = 0);

    // The next DoneID: the largest so far plus one, 1 for the first survey or
    // when the maximum cannot be read.
    int nextDoneId();
    // `startTime` is a time text the database reads ("m/d/yyyy hh:mm:ss").
    int insertDone(int surveyId, int accountId, int doneId, const std::string& startTime);
    int setCompleted(int doneId);
    int setNotCompleted(int doneId);
    int deleteDone(int doneId);
    int getDone(int doneId);
    int getOwnDone();
    int getCustomDoneOfAccount(int accountId);
};

} // namespace zev
