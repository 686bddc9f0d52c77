#pragma once

#include "app/core/MessageBox.h"

#include <string>

// Checks of the sign-in data typed on the first-time setup screen (or given
// to the companion's setup) and the local page of the application
// maintenance sheet.
namespace zev::sync {

// A user ID is digits only, at least six of them.
bool IsValidUserId(const std::string& userId);

// What the first-time setup does with its four fields.
struct SetupCheck {
    enum Field { None, UserId, Password, Confirmation, ManagerId };
    int messageId = 0; // 0: the entries are accepted
    zev::Caption caption = zev::Caption::Information;
    Field focus = None;
    bool clearUserFields = false;     // user ID refused: every field emptied
    bool clearPasswordFields = false; // mismatch: both password fields emptied
};

SetupCheck CheckSetupEntries(const std::string& userId, const std::string& password, const std::string& confirmation,
                             const std::string& managerId, bool managerMode);

// The local page's new password: empty (unchanged) or equal to its
// confirmation and at least four characters. Returns the message number, 0
// when acceptable.
int CheckNewPassword(const std::string& password, const std::string& confirmation);

} // namespace zev::sync
