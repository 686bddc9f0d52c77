#include "tables/NewAccounts.h"

namespace zev {

NewAccounts::NewAccounts(int poolKey) : Query("NewAccounts", "EntryID", poolKey) {}

} // namespace zev
