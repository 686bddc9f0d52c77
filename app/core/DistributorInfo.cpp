#include "app/core/DistributorInfo.h"

#include "app/core/ZevConfig.h"
#include "tabula/Tabula.h"

#include <limits>

namespace zev {

namespace {

constexpr int kPool = 0;
constexpr long kGuideSortColumn = 7;
constexpr long kColumn8 = 8;
constexpr long kOrderMinimumColumn = 16;

} // namespace

bool RefreshFromDistributorInfo(ZevConfig& config)
{
    // A missing pool or table leaves the record as the file gave it; the
    // refresh never stops the caller.
    try {
        Query q("DistributorInfo", "", kPool);
        if (q.getAll() <= 0)
            return true;
        const int minimum = q.GetFieldValueInt(kOrderMinimumColumn);
        if (minimum >= 0)
            config.SetUInt16(cfg::kOrderMinimum, static_cast<std::uint16_t>(std::min(
                                                     minimum, int{std::numeric_limits<std::uint16_t>::max()})));
        const int sortKey = q.GetFieldValueInt(kGuideSortColumn);
        if (sortKey >= 0 && sortKey <= 20)
            config.SetByte(cfg::kGuideSortKey, static_cast<std::uint8_t>(sortKey));
    } catch (const std::exception&) {
    }
    return true;
}

DistributorColumn8 ReadDistributorColumn8()
{
    try {
        Query q("DistributorInfo", "", kPool);
        if (q.getAll() > 0)
            return ParseDistributorColumn8(q.GetFieldValueString(kColumn8));
    } catch (const std::exception&) {
    }
    return ParseDistributorColumn8("");
}

} // namespace zev
