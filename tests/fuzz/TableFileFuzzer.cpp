// The table text reader: a downloaded table applied to a real local database,
// in insert mode (rebuilding first, with and without the requested name) and
// in inventory mode.
#include "../sync/SyncFakes.h"
#include "FuzzTempDir.h"

#include "sync/DatabaseBuilder.h"
#include "sync/TabulaSyncDb.h"
#include "tabula/Tabula.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace zev;
using namespace zev::sync;
using namespace zev::sync::test;

namespace {

const char* kSchema = R"([Database]
TableNames=Items,Accounts
Version=1
[Items]
Schema=CREATE TABLE Items (ItemID int NOT NULL,Description nvarchar(60),QtyOnHand int,Price money,EndDate datetime)
Keys=1
Key1=CREATE UNIQUE INDEX PK_Items ON Items (ItemID)
[Accounts]
Schema=CREATE TABLE Accounts (AccountID int NOT NULL,CompanyName nvarchar(50))
Keys=0
)";

struct World {
    FakeWorld w;
    TabulaSyncDb db;
    SyncEngine engine{w.Services(&db)};
    DatabaseBuilder builder{engine};
    World()
    {
        WriteFile(w.dir.File("ZevSchema.ini"), kSchema);
        DBLib::SetDatabaseFolder(w.dir.Path());
        (void)db.OpenAdmin();
        // Speed over durability: the database lives only as long as the run.
        (void)db.Exec("PRAGMA synchronous=OFF");
        (void)builder.RebuildTable("ALL");
        // The world itself is never freed, but the pool registry is a static
        // that goes before the leak check: close the pools first.
        std::atexit([] { QueryPool::DestroyAll(); });
    }
};

World& TheWorld()
{
    static World* world = new World; // lives until the process ends
    return *world;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    World& world = TheWorld();
    if (size == 0)
        return 0;
    // The first byte picks the way the file is applied; the rest is the file.
    const std::uint8_t how = data[0] % 4;
    const std::string path = world.w.dir.File("table.txt");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    switch (how) {
    case 0:
        (void)world.builder.ApplyTableFile(path, kModeInsert, true, "Items");
        break;
    case 1:
        (void)world.builder.ApplyTableFile(path, kModeInsert, false);
        break;
    case 2:
        (void)world.builder.ApplyTableFile(path, kModeInventory, false, "Inventory");
        break;
    default:
        (void)world.builder.ApplyTableFile(path, kModeInventory, false);
        break;
    }
    // Keep the fakes from growing over millions of runs.
    world.w.sink.steps.clear();
    std::filesystem::remove(world.w.dir.File("Temp/$q9err.txt"));
    return 0;
}
