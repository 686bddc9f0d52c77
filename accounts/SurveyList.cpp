#include "accounts/SurveyList.h"

#include "accounts/AccountDetails.h"
#include "accounts/SurveyRunner.h"
#include "tables/Accounts.h"
#include "tables/Answers.h"
#include "tables/DoneSurveys.h"
#include "tables/Surveys.h"

namespace zev {

namespace {

std::vector<DoneSurveyEntry> ReadDone(DoneSurveys& done, int poolKey)
{
    std::vector<DoneSurveyEntry> rows;
    for (; !done.IsEOF(); done.MoveNext())
        rows.push_back({done.GetFieldValueInt(0), done.GetFieldValueInt(1), done.GetFieldValueInt(2), {}, {}});
    done.Close();
    Accounts accounts(poolKey);
    Surveys surveys(poolKey);
    for (DoneSurveyEntry& row : rows) {
        if (accounts.getAccount(row.accountId))
            row.accountName = AccountDetails::Display(accounts.GetFieldValueString(1));
        if (surveys.getSurvey(row.surveyId))
            row.surveyName = SurveyRunner::Shown(surveys.GetFieldValueString(1));
    }
    return rows;
}

} // namespace

bool SurveyList::Offered(int availability, bool accountChosen)
{
    switch (availability) {
    case 0:
        return true;
    case 1:
        return !accountChosen;
    case 2:
        return accountChosen;
    default:
        return false;
    }
}

std::vector<SurveyEntry> SurveyList::Available(bool accountChosen, int poolKey)
{
    std::vector<SurveyEntry> rows;
    Surveys surveys(poolKey);
    if (surveys.getOwnSurveys())
        for (; !surveys.IsEOF(); surveys.MoveNext())
            if (Offered(surveys.GetFieldValueInt(3), accountChosen))
                rows.push_back({surveys.GetFieldValueInt(0), SurveyRunner::Shown(surveys.GetFieldValueString(1)),
                                SurveyRunner::Shown(surveys.GetFieldValueString(2))});
    return rows;
}

std::vector<DoneSurveyEntry> SurveyList::Completed(int poolKey)
{
    DoneSurveys done(poolKey);
    if (!done.getOwnDone())
        return {};
    return ReadDone(done, poolKey);
}

std::vector<SurveyEntry> SurveyList::CustomItems(int poolKey)
{
    std::vector<SurveyEntry> rows;
    Surveys surveys(poolKey);
    if (surveys.getCustomItems())
        for (; !surveys.IsEOF(); surveys.MoveNext())
            if (surveys.GetFieldValueInt(3) == 0)
                rows.push_back({surveys.GetFieldValueInt(0), SurveyRunner::Shown(surveys.GetFieldValueString(1)),
                                SurveyRunner::Shown(surveys.GetFieldValueString(2))});
    return rows;
}

std::vector<DoneSurveyEntry> SurveyList::BuiltItems(int accountId, int poolKey)
{
    DoneSurveys done(poolKey);
    if (!done.getCustomDoneOfAccount(accountId))
        return {};
    return ReadDone(done, poolKey);
}

bool SurveyList::Remove(int doneId, int poolKey)
{
    DoneSurveys done(poolKey);
    if (done.beginTransaction() == 0)
        return false;
    const bool ok = Answers(poolKey).deleteOfDone(doneId) != 0 && done.deleteDone(doneId) != 0;
    if (!ok || done.commitTransaction() == 0) {
        done.rollbackTransaction();
        return false;
    }
    return true;
}

} // namespace zev
