#pragma once

#include "sync/DatabaseBuilder.h"
#include "sync/SyncEngine.h"

#include <string>

namespace zev::sync {

// What the first-time setup, the password change and the item export do,
// apart from their dialogs.
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
    int ChangePassword(const std::string& oldPassword, const std::string& newPassword,
                       const std::string& confirmation);

    // Writes UPC|DistributorSKU|Description lines for every item in use;
    // returns the number of items written, -1 when the file cannot be made.
    int ExportItems(const std::string& path, IProgressSink* progress);

    // How many new messages wait in the inbox of the user.
    int CountNewMessages();

    // Records waiting for upload, per table.
    std::vector<std::pair<std::string, int>> WaitingRecords();

private:
    SyncEngine& m_e;
    DatabaseBuilder& m_b;
};

} // namespace zev::sync
