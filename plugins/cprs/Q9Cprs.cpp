// Q9CPRS.so: the compressed backup of the local database and its restore.

#include "plugins/PluginApi.h"
#include "plugins/common/DataFolder.h"
#include "plugins/cprs/DatabaseBackup.h"

#include <mutex>

namespace {

// One backup or restore at a time: both write the same files.
std::mutex g_lock;

} // namespace

extern "C" {

int Q9Compress(const char* database, int flags)
{
    if (database == nullptr || flags != 0)
        return 0;
    std::lock_guard<std::mutex> guard(g_lock);
    q9::DatabaseBackup backup(q9::DataFolder::DatabasePath(database));
    return backup.Compress() ? 1 : 0;
}

int Q9Uncompress(const char* database, int flags)
{
    if (database == nullptr || flags != 0)
        return 0;
    std::lock_guard<std::mutex> guard(g_lock);
    q9::DatabaseBackup backup(q9::DataFolder::DatabasePath(database));
    return backup.Uncompress() ? 1 : 0;
}

void Q9SetDataDir(const char* dir) { q9::DataFolder::Set(dir); }

} // extern "C"
