#include "tables/Answers.h"

namespace zev {

Answers::Answers(int poolKey) : Query("Answers", "DoneID", poolKey) {}

} // namespace zev
