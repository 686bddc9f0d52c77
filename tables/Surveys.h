#pragma once

#include "tabula/Query.h"

namespace zev {

// Questionnaires of the distributor. Rows (select *): SurveyID, name,
// description, availability, SurveyType (0 = the representative's own survey,
// 1 = a custom point-of-sale item built for one account).
class Surveys : public Query {
public:
    explicit Surveys(int poolKey = 0);

    int getSurvey(int surveyId);
    int getOwnSurveys();
    int getCustomItems();
};

} // namespace zev
