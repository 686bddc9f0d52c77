#include "tables/Forms.h"

namespace zev {

Forms::Forms(int poolKey) : Query("Forms", "FormID", poolKey) {}

} // namespace zev
