#include "tables/Questions.h"

namespace zev {

Questions::Questions(int poolKey) : Query("Questions", "SurveyID", poolKey) {}

} // namespace zev
