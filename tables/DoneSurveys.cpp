#include "tables/DoneSurveys.h"

namespace zev {

DoneSurveys::DoneSurveys(int poolKey) : Query("DoneSurveys", "SurveyID", poolKey) {}

} // namespace zev
