#include "sync/AccountRules.h"

#include <algorithm>
#include <cctype>

namespace zev::sync {

namespace {
constexpr int kAllEntries = 65009;
constexpr int kPasswordMismatch = 65010;
constexpr int kUserIdRule = 65011;
constexpr zev::Caption kInformation = zev::Caption::Information;
constexpr zev::Caption kError = zev::Caption::Error;
} // namespace

bool IsValidUserId(const std::string& userId)
{
    return userId.size() >= 6 &&
           std::all_of(userId.begin(), userId.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

SetupCheck CheckSetupEntries(const std::string& userId, const std::string& password, const std::string& confirmation,
                             const std::string& managerId, bool managerMode)
{
    SetupCheck check;
    const std::pair<const std::string*, SetupCheck::Field> required[] = {
        {&userId, SetupCheck::UserId},
        {&password, SetupCheck::Password},
        {&confirmation, SetupCheck::Confirmation},
        {&managerId, SetupCheck::ManagerId},
    };
    for (const auto& [text, field] : required) {
        if (field == SetupCheck::ManagerId && !managerMode)
            continue;
        if (text->empty()) {
            check.messageId = kAllEntries;
            check.caption = kInformation;
            check.focus = field;
            return check;
        }
    }
    if (!IsValidUserId(userId)) {
        check.messageId = kUserIdRule;
        check.caption = kError;
        check.focus = SetupCheck::UserId;
        check.clearUserFields = true;
        return check;
    }
    if (password != confirmation) {
        check.messageId = kPasswordMismatch;
        check.caption = kError;
        check.focus = SetupCheck::Password;
        check.clearPasswordFields = true;
        return check;
    }
    return check;
}

int CheckNewPassword(const std::string& password, const std::string& confirmation)
{
    if (password.empty() && confirmation.empty())
        return 0;
    if (password != confirmation || password.size() < 4)
        return kPasswordMismatch;
    return 0;
}

} // namespace zev::sync
