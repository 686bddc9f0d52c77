// The judging of server replies: the first line of a table reply, server
// error texts, the clock reply and the password change reply.
#include "../sync/SyncFakes.h"

#include "sync/DatabaseBuilder.h"
#include "sync/SyncRunner.h"
#include "sync/SyncText.h"
#include "sync/TabulaSyncDb.h"
#include "sync/Uploads.h"

#include <cstdint>

using namespace zev;
using namespace zev::sync;
using namespace zev::sync::test;

namespace {

struct World {
    FakeWorld w;
    TabulaSyncDb db;
    SyncEngine engine{w.Services(&db)};
    DatabaseBuilder builder{engine};
    Uploads uploads{engine};
    SyncRunner runner{engine, builder, uploads};
    World() { w.settings.values["GENERAL/DLTEMPDIR"] = "\\Temp\\kept"; }
};

World& TheWorld()
{
    static World* world = new World;
    return *world;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    World& world = TheWorld();
    const std::string reply(reinterpret_cast<const char*>(data), size);
    (void)ServerErrorText(reply);
    world.w.transport.replies = {{0, reply}, {0, reply}, {0, reply}};
    world.w.profile.values.erase("SyncTimeUD");
    world.runner.UpdateClock();
    (void)world.builder.GrabTableForManager("Accounts", 2);
    (void)world.engine.ChangeServerPassword("0123456789abcdef0123456789abcdef");
    world.w.transport.requests.clear();
    world.w.box.Clear();
    world.w.sink.steps.clear();
    return 0;
}
