#pragma once

#include <string>

namespace zev {

struct PrintDocument;

// The top of every printed page: the distributor's name and the
// representative who prints.
class DocumentHeading {
public:
    // Reads the distributor's name (DistributorInfo) and the representative's
    // name (ManagerReps, when the user is listed there) into `document`.
    static void Fill(PrintDocument& document, const std::string& userId, int poolKey = 0);

    // "Pat Smith (100200)", "Representative 100200", or "" without a user.
    static std::string Representative(const std::string& name, const std::string& userId);
};

} // namespace zev
