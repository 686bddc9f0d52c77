#include "tables/ManagerReps.h"

namespace zev {

ManagerReps::ManagerReps(int poolKey) : Query("ManagerReps", "RepID", poolKey) {}

} // namespace zev
