#pragma once

#include "app/core/CZevSettings.h"
#include "app/libraries/LibraryTable.h"
#include "app/ui/QtMessageBox.h"
#include "base/Clock.h"

#include <memory>
#include <string>

class CMainFrame;
class CZevSatchelDoc;
class QSocketNotifier;

namespace zev {
class SingleInstance;
class StartupSequence;
namespace sync {
class SyncStack;
} // namespace sync
} // namespace zev

// The application object: runs the start-up, owns the main window, the
// document, the helper libraries and the synchronisation engine for the life
// of the program.
class CZevSatchelApp {
public:
    CZevSatchelApp(int argc, char** argv);
    ~CZevSatchelApp();
    CZevSatchelApp(const CZevSatchelApp&) = delete;
    CZevSatchelApp& operator=(const CZevSatchelApp&) = delete;

    // The start-up steps; false when the program must end (its message was
    // shown, or another instance came forward).
    bool InitInstance();
    // The event loop; the program's exit code.
    int Run();
    // The program's message boxes, over the main window once it exists.
    QtMessageBox& Messages() { return m_messages; }

private:
    bool CreateMainWindow();
    std::string LoadLibraries();
    void WireSync();
    void RegisterScreens();

    std::string m_programDir;
    zev::AppState m_app;
    QtMessageBox m_messages;
    zev::SystemClock m_clock;
    zev::LibraryTable m_libraries;
    std::unique_ptr<zev::StartupSequence> m_startup;
    std::unique_ptr<zev::SingleInstance> m_instance;
    std::unique_ptr<CZevSatchelDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    QSocketNotifier* m_instanceNotifier = nullptr;

    std::unique_ptr<zev::sync::SyncStack> m_sync;
};
