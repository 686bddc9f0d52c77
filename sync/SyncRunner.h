#pragma once

#include "sync/DatabaseBuilder.h"
#include "sync/SyncEngine.h"
#include "sync/Uploads.h"

#include <functional>
#include <string>
#include <vector>

namespace zev::sync {

enum SyncKind { kCompleteUpdate = 1, kSynchronise = 2, kInventoryUpdate = 3, kRenewTableBase = 100 };

// Screens the sign-in continues to.
enum class SignInScreen { Maintenance = 2, Accounts = 4, RecentOrders = 9 };

// The synchronisation run and what surrounds it: clock update, backup and
// restore of the database file, and the sign-in decisions after a broken run.
class SyncRunner {
public:
    SyncRunner(SyncEngine& engine, DatabaseBuilder& builder, Uploads& uploads);

    // Kind 1, 2, 3 or 100 + i. True when the run completed (or the user
    // declined before anything changed); shows its own messages.
    bool SyncRun(int kind, IProgressSink* window);
    void UpdateClock();
    // 1 when the file was copied or restored.
    int BackupDatabase(IProgressSink* window);
    int RestoreDatabase(IProgressSink* window);

    enum class RestoreOutcome { Declined, Restored, Missing, NotAFile, Damaged };
    // The maintenance command: asks first (No leaves everything), restores
    // the last backup keeping the orders waiting to be sent, and tells the
    // user the real result. A failed restore leaves the database untouched.
    RestoreOutcome RestoreDatabaseCommand(IProgressSink* window);
    std::string BackupFile() const;

    int CountReadyOrders();

    // What the last run left waiting (records the server refused, tables not
    // downloaded because of them); empty when nothing.
    const std::string& Notice() const { return m_notice; }

    // Sign-in after the password matched: recovers a broken run, checks the
    // database and names the screen to show.
    SignInScreen ContinueSignIn();
    // True when the typed password's digest equals the stored one.
    bool PasswordMatches(const std::string& typed) const;
    // Empties every table and forgets the profile; asks first. True when done.
    bool ResetSettings();

private:
    bool RunSynchronise(IProgressSink* window, bool& backedUp);
    bool RunCompleteUpdate(IProgressSink* window, int unsent, bool& backedUp, bool& endedQuietly);
    // Renew mode 1 over `tables`: each marked, fetched and applied in turn,
    // the next fetched while one is applied. False at the first failure.
    bool RenewOverlapped(const std::vector<std::string>& tables, const std::function<void(const std::string&)>& mark);
    void Recover();
    std::vector<std::string> StampNames();
    bool BackupWithStamps(IProgressSink* window);
    void RestoreStamps();
    // Restores the run's copy with its stamps, keeping the ready orders.
    bool RestoreRunBackup(IProgressSink* window);
    std::string RefusalNotice(const std::vector<std::string>& skipped) const;

    // Profile entry holding the stamps of the run's backup; empty when the
    // backup on disk is not the current run's.
    static constexpr const char* kBackupStamps = "BackupStamps";

    SyncEngine& m_e;
    DatabaseBuilder& m_b;
    Uploads& m_u;
    std::string m_notice;
};

} // namespace zev::sync
