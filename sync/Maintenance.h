#pragma once

#include "sync/DatabaseBuilder.h"
#include "sync/SyncEngine.h"

#include <string>
#include <vector>

namespace zev::sync {

// What the maintenance screen, the first-time setup, the password change,
// the item export and the issue report do apart from their dialogs, so the
// program and the companion run the same steps.
class Maintenance {
public:
    Maintenance(SyncEngine& engine, DatabaseBuilder& builder);

    // 0 when the entries may be stored, else the number of the text to show
    // (65009 empty entry, 65011 user ID, 65010 password confirmation).
    static int CheckSetup(const std::string& user, const std::string& password, const std::string& confirmation,
                          const std::string& manager, bool managerMode);
    // Checks and stores the first-time setup; 0 or the text number shown.
    int FirstTimeSetup(const std::string& user, const std::string& password, const std::string& confirmation,
                       const std::string& manager, bool managerMode);

    // 0 when the server took the new password and it is stored; else the text
    // number shown (65066 old password wrong, 65067 confirmation, 65068 failed).
    int ChangePassword(const std::string& oldPassword, const std::string& newPassword, const std::string& confirmation);

    // Writes UPC|DistributorSKU|Description lines for every item in use;
    // returns the number of items written, -1 when the file cannot be made.
    int ExportItems(const std::string& path, IProgressSink* progress);

    // Files an issue report of the signed-in user for the next
    // synchronisation. The texts are trimmed; 0 when stored, else the text
    // number to show (65064 a text is blank, 65065 not stored).
    int ReportIssue(const std::string& shortDescription, const std::string& details, bool contactMe);

    // How many new messages wait in the inbox of the user (0 when none or
    // unreadable).
    int CountNewMessages();
    // The check after an exchange: when the distributor's message center is
    // on and new messages wait, shows 65140. True when it was shown.
    bool NoticeNewMessages();

    // Records waiting for upload, per table (-1: the table cannot be read).
    std::vector<std::pair<std::string, int>> WaitingRecords();

    // The representatives a manager may switch to: number, name and stored
    // password digest, trimmed; rows too short to hold them are skipped.
    struct Rep {
        std::string id;
        std::string name;
        std::string digest;
    };
    std::vector<Rep> ManagerReps();

    // Empties every table and forgets any interrupted update, so the next
    // start begins clean. 0 on success, else negative (the database cannot
    // be opened, or the rebuild's own result).
    int DeleteDatabase();

private:
    SyncEngine& m_e;
    DatabaseBuilder& m_b;
};

} // namespace zev::sync
