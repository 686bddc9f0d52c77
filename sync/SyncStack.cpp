#include "sync/SyncStack.h"

#include "app/core/CZevSettings.h"
#include "app/core/Profile.h"
#include "app/core/ZevFolders.h"
#include "app/libraries/LibraryTable.h"
#include "sync/CoreAdapters.h"
#include "sync/SyncText.h"
#include "sync/TabulaSyncDb.h"
#include "tabula/DBLib.h"

#include <cstring>

namespace zev::sync {

SyncServices SyncStack::WireServices(const SyncStackInputs& in, ISyncSettings& settings, ISyncProfile& profile,
                                     ISyncDb& db)
{
    const ZevFolders& f = in.folders;
    const LibraryTable& libs = in.libraries;
    SyncServices s;
    s.postData = [post = libs.inet.PostData](const char* host, const char* backup, const char* path, const char* body,
                                             int timeout, IProgressSink* sink, int port) {
        return post ? post(host, backup, path, body, timeout, sink, port) : 1;
    };
    if (libs.inet.PostToFile)
        s.postToFile = libs.inet.PostToFile;
    s.helpers.isConnected = libs.util.IsConnected;
    s.helpers.testConnection = libs.inet.TestConnection;
    s.helpers.connect = libs.util.Connect;
    s.helpers.disconnect = libs.util.Disconnect;
    s.helpers.compress = libs.cprs.Compress;
    s.helpers.uncompress = libs.cprs.Uncompress;
    if (in.setsMachineClock)
        s.helpers.setTime = libs.util.SetTime;
    else
        s.helpers.setTime = [](int, int, int, int, int, int) { return 1; };
    s.helpers.hash = [hash = libs.util.Hash](const std::string& text) {
        char digest[Q9_DIGEST_LENGTH + 1] = {};
        if (!hash || !hash(text.c_str(), digest, sizeof digest))
            return std::string();
        return std::string(digest, strnlen(digest, Q9_DIGEST_LENGTH));
    };
    s.messageBox = &in.messageBox;
    s.progress = in.progress;
    s.clock = &in.clock;
    s.settings = &settings;
    s.profile = &profile;
    s.db = &db;
    const std::string dbName = in.app.databaseName.empty() ? std::string("master") : in.app.databaseName;
    s.paths.replyFile = f.Map("\\Temp\\$dltemp.txt");
    s.paths.errorLog = f.SyncErrorLogPath();
    s.paths.tempDir = f.TempDir();
    s.paths.programDir = f.ProgramDir();
    // The name the compressor takes; it writes the copy beside the
    // database in the data folder, where the backup path points.
    s.paths.databaseFile = dbName;
    // A value holding a folder is taken as the file itself by the compressor.
    s.paths.backupFile = dbName.find('/') == std::string::npos ? f.BackupPath(dbName) : dbName + ".gz";
    const auto& config = in.app.settings.config;
    s.configByte = [&config](int offset) {
        return offset >= 0 ? static_cast<int>(config.Byte(static_cast<std::size_t>(offset))) : 0;
    };
    s.mapPath = [&f](const std::string& win) { return f.Map(win); };
    s.mobileVersion = TrimRight(in.app.mobileVersion);
    return s;
}

SyncStack::SyncStack(const SyncStackInputs& in)
    : m_settings(std::make_unique<IniFileSettings>(in.app.settingsFilePath)),
      m_profile(std::make_unique<ProfileAdapter>(in.profile)), m_db(std::make_unique<TabulaSyncDb>())
{
    DBLib::SetDatabaseFolder(in.folders.DataDir());
    Build(WireServices(in, *m_settings, *m_profile, *m_db));
}

SyncStack::SyncStack(SyncServices services) { Build(std::move(services)); }

SyncStack::~SyncStack()
{
    m_maintenance.reset();
    m_orders.reset();
    m_runner.reset();
    m_uploads.reset();
    m_builder.reset();
    if (m_engine && m_db)
        m_db->CloseAll();
    m_engine.reset();
}

void SyncStack::Build(SyncServices services)
{
    m_engine = std::make_unique<SyncEngine>(std::move(services));
    m_builder = std::make_unique<DatabaseBuilder>(*m_engine);
    m_uploads = std::make_unique<Uploads>(*m_engine);
    m_runner = std::make_unique<SyncRunner>(*m_engine, *m_builder, *m_uploads);
    m_orders = std::make_unique<OrderSender>(*m_engine, *m_builder, *m_uploads);
    m_maintenance = std::make_unique<Maintenance>(*m_engine, *m_builder);
}

} // namespace zev::sync
