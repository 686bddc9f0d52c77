#include "sync/views/ItemExport.h"

#include "app/core/ProgressSink.h"
#include "sync/SyncPorts.h"
#include "sync/SyncText.h"

#include <cstdio>
#include <fstream>

namespace zev {

int ExportItems(sync::ISyncDb& db, const std::string& path, IProgressSink* progress)
{
    sync::Rows rows;
    if (!db.Select("Select ItemID, DistributorSKU, Description, UPC from Items where deletedflag = 0 order by UPC",
                   rows))
        return -1;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return -1;
    const std::size_t total = rows.size();
    std::size_t done = 0;
    for (const sync::Row& row : rows) {
        auto field = [&row](std::size_t i) { return i < row.size() ? sync::TrimBlanks(row[i]) : std::string(); };
        std::string upc = field(3);
        if (upc.empty())
            upc = "NA";
        out << upc << '|' << field(1) << '|' << field(2) << "\r\n";
        ++done;
        if (progress)
            progress->Report(static_cast<int>(done * 100 / total), {});
    }
    out.close();
    if (!out) {
        std::remove(path.c_str());
        return -1;
    }
    return static_cast<int>(done);
}

} // namespace zev
