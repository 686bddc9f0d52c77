#pragma once

#include "tabula/Query.h"

namespace zev {

// Questions of the forms. Rows (select *): FormID, QuestionID, text.
class FormQuestions : public Query {
public:
    explicit FormQuestions(int poolKey = 0);

    int getOfForm(int formId);
};

} // namespace zev
