#pragma once

#include "tabula/Query.h"

namespace zev {

// Questions of the surveys. Rows (select *): SurveyID, QuestionID, type, text,
// options, required flag, notes flag. Texts are stored with doubled apostrophes.
class Questions : public Query {
public:
    explicit Questions(int poolKey = 0);

    int getOfSurvey(int surveyId);
};

} // namespace zev
