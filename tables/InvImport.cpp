#include "tables/InvImport.h"

namespace zev {

InvImport::InvImport(int poolKey) : Query("InvImport", "ImportTime", poolKey) {}

} // namespace zev
