#include "app/core/StartupSequence.h"

#include "app/core/IniReader.h"
#include "app/core/MessageBox.h"
#include "app/core/PendingUpdates.h"
#include "app/core/StringIds.h"
#include "app/core/StringTable.h"
#include "base/AtomicFile.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zev {

namespace {

std::string ResolvedExecutable()
{
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

// The per-user runtime folder when it is usable, else the private data folder.
std::string InstanceFolder(const ZevFolders& folders)
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime == '/') {
        struct stat st {};
        if (::stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0)
            return runtime;
    }
    return folders.DataDir();
}

} // namespace

StartupSequence::StartupSequence(IMessageBox& messages, Options options)
    : m_messages(messages), m_options(std::move(options))
{
}

StartupSequence::~StartupSequence() = default;

StartupSequence::Result StartupSequence::Stop(int step)
{
    m_stoppedAt = step;
    return Result::Stopped;
}

StartupSequence::Result StartupSequence::Run(AppState& app, const Hooks& hooks)
{
    m_stoppedAt = 0;

    // Folders first: the single-instance lock lives in the private data folder.
    m_folders = std::make_unique<ZevFolders>(
        m_options.programDir.empty() ? ZevFolders::DefaultProgramDir() : m_options.programDir, m_options.dataDir);
    std::string error;
    if (!m_folders->EnsureDataDir(&error)) {
        m_messages.ShowText(error, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return Stop(4);
    }

    // Single instance.
    if (m_options.singleInstance) {
        const std::string programPath = m_options.programPath.empty() ? ResolvedExecutable() : m_options.programPath;
        const std::string folder =
            m_options.instanceFolder.empty() ? InstanceFolder(*m_folders) : m_options.instanceFolder;
        m_instance = std::make_unique<SingleInstance>(programPath, folder);
        const auto outcome = m_instance->Start(m_options.instanceAttempts, m_options.instanceIntervalMs);
        if (outcome == SingleInstance::Outcome::Forwarded) {
            m_instance.reset();
            m_stoppedAt = 2;
            return Result::AnotherInstance;
        }
    }

    // Program folder, settings file, registry section.
    app.programDir = m_folders->ProgramDir();
    app.settingsFilePath = m_folders->ProgramFile("ZevSatchel.INI");
    app.registrySection = StringTable::Text(ids::kRegistrySection);

    // REGKEY names the profile.
    app.regKey = TrimRight(ReadIniValue(StringTable::Text(ids::kSecSettings), StringTable::Text(ids::kKeyRegKey),
                                        "Marvane Software", 255, app.settingsFilePath));
    app.regPath = TrimRight(ReadIniValue(StringTable::Text(ids::kSecSettings), StringTable::Text(ids::kKeyRegPath),
                                         "\\Software\\Marvane Software\\Satchel\\", 255, app.settingsFilePath));
    m_profile = std::make_unique<Profile>(Profile::ForRegKey(app.regKey));

    if (::access(app.settingsFilePath.c_str(), F_OK) != 0) {
        m_messages.Show(ids::kIniNotFound, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return Stop(6);
    }

    InstallPendingUpdates(m_folders->ProgramDir());
    RemoveStaleTempFiles(m_folders->TempDir());

    if (hooks.createMainWindow && !hooks.createMainWindow())
        return Stop(9);

    if (!app.settings.LoadConfig(m_folders->ProgramFile("ZevConfig.dat"), *m_profile, m_messages))
        return Stop(11);

    if (app.settings.listLayoutChanged)
        (void)m_profile->DeleteSection(kProfileListData);

    if (hooks.loadLibraries) {
        const std::string failure = hooks.loadLibraries();
        if (!failure.empty()) {
            (void)WriteFileAtomically(m_folders->DebugLogPath(), failure + "\n", 0600);
            m_messages.Show(ids::kLibrariesMissing, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
            return Stop(13);
        }
    }

    const std::string general = StringTable::Text(ids::kSecGeneral);
    auto readGeneral = [&](int keyId) {
        return Trim(ReadIniValue(general, StringTable::Text(keyId), "", 255, app.settingsFilePath));
    };
    const std::string schemaFile = readGeneral(ids::kKeySchemaFile);
    app.schemaFilePath = m_folders->ProgramFile(schemaFile);
    app.databaseName = readGeneral(ids::kKeyDatabase);
    app.sqlVersion = ToInt(readGeneral(ids::kKeySqlVersion));
    app.mobileVersion = readGeneral(ids::kKeyMobileVersion);

    app.settings.ReadSettingsFile(app.settingsFilePath);
    return Result::Started;
}

} // namespace zev
