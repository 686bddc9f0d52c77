#pragma once

#include <string>

namespace zev {
class IProgressSink;
}

namespace zev::sync {
class ISyncDb;

// Writes every live item to `path`, one line per item: UPC (or "NA" when it
// has none), "|", distributor SKU, "|", description, each trimmed, ended by
// CR LF. The bar steps once per item. Returns the number of items written, or
// -1 when the items cannot be read or the file cannot be written (a partly
// written file is removed).
int ExportItems(ISyncDb& db, const std::string& path, IProgressSink* progress);

} // namespace zev::sync
