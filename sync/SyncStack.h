#pragma once

#include "app/core/MessageBox.h"
#include "base/Clock.h"
#include "base/ProgressSink.h"
#include "sync/DatabaseBuilder.h"
#include "sync/Maintenance.h"
#include "sync/OrderSender.h"
#include "sync/SyncEngine.h"
#include "sync/SyncRunner.h"
#include "sync/Uploads.h"

#include <memory>
#include <string>

namespace zev {
struct AppState;
class Profile;
class ZevFolders;
class LibraryTable;
} // namespace zev

namespace zev::sync {

class IniFileSettings;
class ProfileAdapter;
class TabulaSyncDb;

// What the program and the command-line companion hand over to build the
// synchronisation: the started application (folders, settings, profile),
// the loaded helper libraries and the user-facing seams.
struct SyncStackInputs {
    const ZevFolders& folders;
    const AppState& app;
    Profile& profile;
    const LibraryTable& libraries;
    IMessageBox& messageBox;
    IProgressSink* progress = nullptr;
    IClock& clock;
    // Only the program sets the machine's clock from the server's; the
    // companion leaves it alone.
    bool setsMachineClock = true;
};

// The synchronisation stack, built one way for the program, the companion
// and the tests: engine, database builder, uploads, run, order sending and
// maintenance over one set of services. Paths (the reply file, the error
// log, the database and its backup) come from the folders, so no front end
// can set them differently.
class SyncStack {
public:
    // The real thing: settings file, profile, database over the database
    // library and the helper libraries' entry points.
    explicit SyncStack(const SyncStackInputs& inputs);
    // Given services (tests wire fakes).
    explicit SyncStack(SyncServices services);
    ~SyncStack();
    SyncStack(const SyncStack&) = delete;
    SyncStack& operator=(const SyncStack&) = delete;

    // The services of the real thing without building the stack.
    static SyncServices WireServices(const SyncStackInputs& inputs, ISyncSettings& settings, ISyncProfile& profile,
                                     ISyncDb& db);

    SyncEngine& Engine() { return *m_engine; }
    DatabaseBuilder& Builder() { return *m_builder; }
    Uploads& Upload() { return *m_uploads; }
    SyncRunner& Runner() { return *m_runner; }
    OrderSender& Orders() { return *m_orders; }
    Maintenance& Maint() { return *m_maintenance; }
    ISyncDb& Db() { return m_engine->Db(); }

private:
    void Build(SyncServices services);

    std::unique_ptr<IniFileSettings> m_settings;
    std::unique_ptr<ProfileAdapter> m_profile;
    std::unique_ptr<ISyncDb> m_db;
    std::unique_ptr<SyncEngine> m_engine;
    std::unique_ptr<DatabaseBuilder> m_builder;
    std::unique_ptr<Uploads> m_uploads;
    std::unique_ptr<SyncRunner> m_runner;
    std::unique_ptr<OrderSender> m_orders;
    std::unique_ptr<Maintenance> m_maintenance;
};

} // namespace zev::sync
