#include "tables/ProgramItems.h"

namespace zev {

ProgramItems::ProgramItems(int poolKey) : Query("ProgramItems", "ProgramID", poolKey) {}

} // namespace zev
