#include "tables/Surveys.h"

namespace zev {

Surveys::Surveys(int poolKey) : Query("Surveys", "SurveyID", poolKey) {}

} // namespace zev
