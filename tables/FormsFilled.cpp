#include "tables/FormsFilled.h"

namespace zev {

FormsFilled::FormsFilled(int poolKey) : Query("FormsFilled", "FormID", poolKey) {}

} // namespace zev
