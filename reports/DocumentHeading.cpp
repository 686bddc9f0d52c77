#include "reports/DocumentHeading.h"

#include "reports/PrintDocument.h"
#include "tables/SqlText.h"
#include "tabula/Query.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace zev {

void DocumentHeading::Fill(PrintDocument& document, const std::string& userId, int poolKey)
{
    Query distributor("", "", poolKey);
    if (distributor.Open("select DistributorName from DistributorInfo") != 0 && distributor.IsEOF() == 0)
        document.distributor = SqlText::Trim(distributor.GetFieldValueString(0));
    std::string name;
    // The user id reaches the statement only as a number.
    const bool numeric = !userId.empty() && userId.size() < 10 &&
                         std::all_of(userId.begin(), userId.end(), [](unsigned char c) { return std::isdigit(c); });
    if (numeric) {
        Query rep("", "", poolKey);
        if (rep.Open(SqlText::Format("select RepName from ManagerReps where RepID=%d", std::atoi(userId.c_str()))) !=
                0 &&
            rep.IsEOF() == 0)
            name = SqlText::Trim(rep.GetFieldValueString(0));
    }
    document.representative = Representative(name, userId);
}

std::string DocumentHeading::Representative(const std::string& name, const std::string& userId)
{
    if (userId.empty())
        return name;
    if (name.empty())
        return "Representative " + userId;
    return name + " (" + userId + ")";
}

} // namespace zev
