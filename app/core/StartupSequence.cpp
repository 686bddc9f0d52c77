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
    : messages_(messages), options_(std::move(options))
{
}

StartupSequence::~StartupSequence() = default;

StartupSequence::Result StartupSequence::Stop(int step)
{
    stoppedAt_ = step;
    return Result::Stopped;
}

StartupSequence::Result StartupSequence::Run(AppState& app, const Hooks& hooks)
{
    stoppedAt_ = 0;

    // Folders first: the single-instance lock lives in the private data folder.
    folders_ = std::make_unique<ZevFolders>(
        options_.programDir.empty() ? ZevFolders::DefaultProgramDir() : options_.programDir, options_.dataDir);
    std::string error;
    if (!folders_->EnsureDataDir(&error)) {
        messages_.ShowText(error, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return Stop(4);
    }

    // Single instance.
    if (options_.singleInstance) {
        const std::string programPath = options_.programPath.empty() ? ResolvedExecutable() : options_.programPath;
        const std::string folder =
            options_.instanceFolder.empty() ? InstanceFolder(*folders_) : options_.instanceFolder;
        instance_ = std::make_unique<SingleInstance>(programPath, folder);
        const auto outcome = instance_->Start(options_.instanceAttempts, options_.instanceIntervalMs);
        if (outcome == SingleInstance::Outcome::Forwarded) {
            instance_.reset();
            stoppedAt_ = 2;
            return Result::AnotherInstance;
        }
    }

    // Program folder, settings file, registry section.
    app.programDir = folders_->ProgramDir();
    app.settingsFilePath = folders_->ProgramFile("ZevSatchel.INI");
    app.registrySection = StringTable::Text(ids::kRegistrySection);

    // REGKEY names the profile.
    app.regKey = TrimRight(ReadIniValue(StringTable::Text(ids::kSecSettings), StringTable::Text(ids::kKeyRegKey),
                                        "Marvane Software", 255, app.settingsFilePath));
    app.regPath = TrimRight(ReadIniValue(StringTable::Text(ids::kSecSettings), StringTable::Text(ids::kKeyRegPath),
                                         "\\Software\\Marvane Software\\Satchel\\", 255, app.settingsFilePath));
    profile_ = std::make_unique<Profile>(Profile::ForRegKey(app.regKey));

    if (::access(app.settingsFilePath.c_str(), F_OK) != 0) {
        messages_.Show(ids::kIniNotFound, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return Stop(6);
    }

    InstallPendingUpdates(folders_->ProgramDir());
    RemoveStaleTempFiles(folders_->TempDir());

    if (hooks.createMainWindow && !hooks.createMainWindow())
        return Stop(9);

    if (!app.settings.LoadConfig(folders_->ProgramFile("ZevConfig.dat"), *profile_, messages_))
        return Stop(11);

    if (app.settings.listLayoutChanged)
        (void)profile_->DeleteSection(kProfileListData);

    if (hooks.loadLibraries) {
        const std::string failure = hooks.loadLibraries();
        if (!failure.empty()) {
            (void)WriteFileAtomically(folders_->DebugLogPath(), failure + "\n", 0600);
            messages_.Show(ids::kLibrariesMissing, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
            return Stop(13);
        }
    }

    const std::string general = StringTable::Text(ids::kSecGeneral);
    auto readGeneral = [&](int keyId) {
        return Trim(ReadIniValue(general, StringTable::Text(keyId), "", 255, app.settingsFilePath));
    };
    const std::string schemaFile = readGeneral(ids::kKeySchemaFile);
    app.schemaFilePath = folders_->ProgramFile(schemaFile);
    app.databaseName = readGeneral(ids::kKeyDatabase);
    app.sqlVersion = ToInt(readGeneral(ids::kKeySqlVersion));
    app.mobileVersion = readGeneral(ids::kKeyMobileVersion);

    app.settings.ReadSettingsFile(app.settingsFilePath);
    return Result::Started;
}

} // namespace zev
