#include "tables/DoneSurveys.h"

#include "tables/SqlText.h"

namespace zev {

DoneSurveys::DoneSurveys(int poolKey) : Query("DoneSurveys", "SurveyID", poolKey) {}

int DoneSurveys::nextDoneId()
{
    m_strSQL = "Select MAX(DoneID) from DoneSurveys";
    if (!Open(m_strSQL))
        return 1;
    return GetFieldValueInt(0) + 1;
}

int DoneSurveys::insertDone(int surveyId, int accountId, int doneId, const std::string& startTime)
{
    m_strSQL = SqlText::Format("Insert into DoneSurveys (SurveyID, AccountID, DoneID, StartTime) values (%d, %d, %d, "
                               "'%s')",
                               surveyId, accountId, doneId, SqlText::Clean(startTime).c_str());
    return Open(m_strSQL);
}

int DoneSurveys::setCompleted(int doneId)
{
    m_strSQL = SqlText::Format("Update DoneSurveys set Completed = 1, EndTime = GETDATE() where DoneID = %d", doneId);
    return Open(m_strSQL);
}

int DoneSurveys::setNotCompleted(int doneId)
{
    m_strSQL = SqlText::Format("Update DoneSurveys set Completed = 0, EndTime = NULL where DoneID = %d", doneId);
    return Open(m_strSQL);
}

int DoneSurveys::deleteDone(int doneId)
{
    m_strSQL = SqlText::Format("Delete from DoneSurveys where DoneID = %d", doneId);
    return Open(m_strSQL);
}

int DoneSurveys::getDone(int doneId)
{
    m_strSQL = SqlText::Format("Select * from DoneSurveys where DoneID = %d", doneId);
    return Open(m_strSQL);
}

int DoneSurveys::getOwnDone()
{
    m_strSQL = "Select DoneSurveys.* from DoneSurveys, Surveys where DoneSurveys.SurveyID = Surveys.SurveyID and "
               "Surveys.SurveyType = 0";
    return Open(m_strSQL);
}

int DoneSurveys::getCustomDoneOfAccount(int accountId)
{
    m_strSQL = SqlText::Format("Select DoneSurveys.* from DoneSurveys, Surveys where DoneSurveys.SurveyID = "
                               "Surveys.SurveyID and Surveys.SurveyType = 1 and DoneSurveys.AccountID = %d",
                               accountId);
    return Open(m_strSQL);
}

} // namespace zev
