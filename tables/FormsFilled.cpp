#include "tables/FormsFilled.h"

#include "tables/SqlText.h"

namespace zev {

FormsFilled::FormsFilled(int poolKey) : Query("FormsFilled", "FormID", poolKey) {}

int FormsFilled::getOfAccount(int formId, int accountId)
{
    m_strSQL = SqlText::Format("select * from %s where FormID = %d AND AccountID = %d Order by QuestionID",
                               m_strTable.c_str(), formId, accountId);
    return Open(m_strSQL);
}

int FormsFilled::insertAnswer(int formId, int accountId, int questionId, const std::string& answer)
{
    m_strSQL = SqlText::Format("Insert into %s (FormID, AccountID, Updated, QuestionID, Answer) values (%d, %d, 1, %d, "
                               "'%s')",
                               m_strTable.c_str(), formId, accountId, questionId, SqlText::Clean(answer).c_str());
    return Open(m_strSQL);
}

int FormsFilled::deleteAnswer(int formId, int accountId, int questionId)
{
    m_strSQL = SqlText::Format("delete from %s where FormID = %d and AccountID = %d and QuestionID = %d",
                               m_strTable.c_str(), formId, accountId, questionId);
    return Open(m_strSQL);
}

int FormsFilled::getWaitingForUpload()
{
    m_strSQL = SqlText::Format("select * from %s where Updated = 1 Order by FormID, AccountID, QuestionID",
                               m_strTable.c_str());
    return Open(m_strSQL);
}

} // namespace zev
