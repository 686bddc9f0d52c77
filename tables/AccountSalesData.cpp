#include "tables/AccountSalesData.h"

namespace zev {

AccountSalesData::AccountSalesData(int poolKey) : Query("AccountSalesData", "AccountID", poolKey) {}

} // namespace zev
