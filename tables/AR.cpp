#include "tables/AR.h"

namespace zev {

AR::AR(int poolKey) : JoinedQuery("AR, Accounts", "AR.AccountID", "AR.AccountID = Accounts.AccountID", poolKey) {}

} // namespace zev
