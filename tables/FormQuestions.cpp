#include "tables/FormQuestions.h"

#include "tables/SqlText.h"

namespace zev {

FormQuestions::FormQuestions(int poolKey) : Query("FormQuestions", "FormID", poolKey) {}

int FormQuestions::getOfForm(int formId)
{
    m_strSQL = SqlText::Format("select * from %s where FormID = %d Order by QuestionID", m_strTable.c_str(), formId);
    return Open(m_strSQL);
}

} // namespace zev
