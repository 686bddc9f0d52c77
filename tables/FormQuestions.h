#pragma once

#include "tabula/Query.h"

namespace zev {

// Questions of the forms.
class FormQuestions : public Query {
public:
    explicit FormQuestions(int poolKey = 0);
};

} // namespace zev
