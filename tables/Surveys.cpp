#include "tables/Surveys.h"

#include "tables/SqlText.h"

namespace zev {

Surveys::Surveys(int poolKey) : Query("Surveys", "SurveyID", poolKey) {}

int Surveys::getSurvey(int surveyId)
{
    m_strSQL = SqlText::Format("Select * from Surveys where SurveyID = %d", surveyId);
    return Open(m_strSQL);
}

int Surveys::getOwnSurveys()
{
    m_strSQL = "Select * from Surveys where SurveyType = 0";
    return Open(m_strSQL);
}

int Surveys::getCustomItems()
{
    m_strSQL = "Select * from Surveys where SurveyType = 1";
    return Open(m_strSQL);
}

} // namespace zev
