#include "tools/demogen/DemoGenerator.h"

#include "tools/demogen/DemoAccountsBuilder.h"
#include "tools/demogen/DemoCatalogBuilder.h"
#include "tools/demogen/DemoContentBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace zev::demo {

namespace {

using server::SqlDatabase;

const std::vector<DemoUser> kUsers{
    {"100200", "demo1234", "Dana Whitfield", false},
    {"100300", "demo1234", "Marco Ruiz", false},
    {"900100", "manager1", "Pat Okafor", true},
};

} // namespace

const std::vector<DemoUser>& DemoUsers() { return kUsers; }

DemoGenerator::DemoGenerator(server::ServerStore& store, DemoOptions options, DigestFn digest)
    : m_store(store), m_options(std::move(options)), m_digest(std::move(digest))
{
}

std::map<std::string, long long> DemoGenerator::Generate()
{
    std::lock_guard lock(m_store.Mutex());
    SqlDatabase& db = m_store.Db();
    server::SqlTransaction transaction(db);
    // Start from empty master tables so a second run gives the same data, not twice the data.
    std::vector<std::string> tables;
    auto list = db.Prepare("select m.name from sqlite_master m where m.type = 'table' and exists "
                           "(select 1 from pragma_table_info(m.name) where name = 'zev_stamp')");
    while (list.Step())
        tables.push_back(list.Text(0));
    for (const std::string& table : tables)
        db.Exec("delete from " + server::SqlIdent(table));
    DemoWorld world(db, m_options, m_digest);
    DemoCatalogBuilder(world).Run();
    DemoAccountsBuilder(world).Run();
    DemoContentBuilder(world).Run();
    std::map<std::string, long long> counts = world.counts;
    transaction.Commit();
    return counts;
}

} // namespace zev::demo
