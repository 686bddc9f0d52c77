#pragma once

#include "tabula/Query.h"

namespace zev {

// Surveys answered.
class DoneSurveys : public Query {
public:
    explicit DoneSurveys(int poolKey = 0);
};

} // namespace zev
