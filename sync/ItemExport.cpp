#include "sync/ItemExport.h"

#include "base/ProgressSink.h"
#include "sync/RequestBodies.h"
#include "sync/SyncPorts.h"
#include "sync/SyncText.h"

#include <cstdio>
#include <fstream>

namespace zev::sync {

int ExportItems(ISyncDb& db, const std::string& path, IProgressSink* progress)
{
    Rows rows;
    if (!db.Select("Select ItemID, DistributorSKU, Description, UPC from Items where deletedflag = 0 order by UPC",
                   rows))
        return -1;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return -1;
    const int total = static_cast<int>(rows.size());
    int done = 0;
    for (const Row& row : rows) {
        std::string upc = TrimBlanks(At(row, 3));
        if (upc.empty())
            upc = "NA";
        out << upc << '|' << TrimBlanks(At(row, 1)) << '|' << TrimBlanks(At(row, 2)) << "\r\n";
        ++done;
        if (progress)
            progress->Report(ProgressPercent(total, done), "Exporting Items");
    }
    out.close();
    if (!out) {
        std::remove(path.c_str());
        return -1;
    }
    return done;
}

} // namespace zev::sync
