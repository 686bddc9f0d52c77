#include "tables/FormQuestions.h"

namespace zev {

FormQuestions::FormQuestions(int poolKey) : Query("FormQuestions", "FormID", poolKey) {}

} // namespace zev
