#pragma once

#include "app/core/CZevSettings.h"
#include "app/core/Profile.h"
#include "app/core/SingleInstance.h"
#include "app/core/ZevFolders.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace zev {

class IMessageBox;

// The start-up steps that need no window, shared by the windowed program and
// the command-line companion, in this order:
//   single instance; folders, settings file path and profile; REGKEY;
//   settings file present (else 65118); pending updates; stale work files;
//   [createMainWindow hook]; ZevConfig.dat (65028 / 65029); discard saved
//   list layouts when the list layout version changed; [loadLibraries hook]
//   (on failure its line goes to <data>/Temp/$debug.txt and 65119 is shown);
//   GENERAL values; the settings object.
class StartupSequence {
public:
    struct Options {
        std::string programDir;     // the program folder (see ZevFolders::ProgramDirFromArgs)
        std::string dataDir;        // empty: from the environment
        std::string programPath;    // keys the single-instance lock; empty: /proc/self/exe
        bool singleInstance = true; // the command-line companion may run beside the program
        std::string instanceFolder; // empty: $XDG_RUNTIME_DIR when usable, else the data folder
        int instanceAttempts = 3;
        int instanceIntervalMs = 1000;
    };

    struct Hooks {
        // Creates and shows the main window; false stops the start.
        std::function<bool()> createMainWindow;
        // Loads the helper libraries. Returns "" on success, otherwise the line
        // naming the first library that failed ("UTIL Failed to load", ...).
        std::function<std::string()> loadLibraries;
    };

    enum class Result {
        Started,
        AnotherInstance, // the first instance was asked to come forward: end quietly
        Stopped,         // a step refused; its message was shown
    };

    StartupSequence(IMessageBox& messages, Options options);
    ~StartupSequence();

    [[nodiscard]] Result Run(AppState& app, const Hooks& hooks = {});

    // The step that stopped the start (2, 4, 6, 9, 11, 13), 0 otherwise.
    int StoppedAtStep() const { return m_stoppedAt; }

    // Valid after Run passed step 4 / 5.
    const ZevFolders& Folders() const { return *m_folders; }
    Profile& UserProfile() { return *m_profile; }

    // The single-instance guard, held for the life of the process: the owner
    // keeps it (and watches its ListenFd()) after Run.
    std::unique_ptr<SingleInstance> TakeInstance() { return std::move(m_instance); }
    SingleInstance* Instance() { return m_instance.get(); }

private:
    Result Stop(int step);

    IMessageBox& m_messages;
    Options m_options;
    std::unique_ptr<ZevFolders> m_folders;
    std::unique_ptr<Profile> m_profile;
    std::unique_ptr<SingleInstance> m_instance;
    int m_stoppedAt = 0;
};

} // namespace zev
