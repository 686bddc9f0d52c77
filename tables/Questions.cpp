#include "tables/Questions.h"

#include "tables/SqlText.h"

namespace zev {

Questions::Questions(int poolKey) : Query("Questions", "SurveyID", poolKey) {}

int Questions::getOfSurvey(int surveyId)
{
    m_strSQL = SqlText::Format("%s where SurveyID = %d Order By QuestionID", m_strSelectAll.c_str(), surveyId);
    return Open(m_strSQL);
}

} // namespace zev
