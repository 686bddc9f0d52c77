#include "tables/Issues.h"

namespace zev {

Issues::Issues(int poolKey) : Query("Issues", "IssueID", poolKey) {}

} // namespace zev
