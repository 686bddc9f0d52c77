#include "tables/Answers.h"

#include "tables/SqlText.h"

namespace zev {

Answers::Answers(int poolKey) : Query("Answers", "DoneID", poolKey) {}

int Answers::getOfDone(int doneId)
{
    m_strSQL = SqlText::Format("Select * from Answers where DoneID = %d order by QuestionID", doneId);
    return Open(m_strSQL);
}

int Answers::getAnswer(int doneId, int questionId)
{
    m_strSQL = SqlText::Format("Select * from Answers where DoneID = %d and QuestionID = %d", doneId, questionId);
    return Open(m_strSQL);
}

int Answers::updateAnswer(int doneId, int questionId, const std::string& answer, const std::string& comment)
{
    m_strSQL = SqlText::Format("Update Answers Set Answer = '%s', Comment = '%s' where DoneID = %d and QuestionID = %d",
                               SqlText::Clean(answer).c_str(), SqlText::Clean(comment).c_str(), doneId, questionId);
    return Open(m_strSQL);
}

int Answers::insertAnswer(int doneId, int questionId, int type, const std::string& answer, const std::string& comment)
{
    m_strSQL =
        SqlText::Format("Insert into Answers (DoneID, QuestionID, Type, Answer, Comment) values (%d, %d, %d, "
                        "'%s', '%s')",
                        doneId, questionId, type, SqlText::Clean(answer).c_str(), SqlText::Clean(comment).c_str());
    return Open(m_strSQL);
}

int Answers::deleteOfDone(int doneId)
{
    m_strSQL = SqlText::Format("Delete from Answers where DoneID = %d", doneId);
    return Open(m_strSQL);
}

} // namespace zev
