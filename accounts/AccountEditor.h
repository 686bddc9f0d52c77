#pragma once

#include "tables/DayString.h"

#include <array>
#include <optional>
#include <string>

namespace zev {

class IMessageBox;
class ZevConfig;

// What the account editor's pages show and change.
struct AccountEditData {
    int accountId = 0;
    std::string companyName;
    std::string contact;
    std::string altContact;
    std::string address1;
    std::string address2;
    std::string city;
    std::string state;
    std::string zip;
    std::string email;
    std::string phone;
    std::string fax;
    std::array<bool, 7> apptDays{}; // Sunday ... Saturday
    std::array<bool, 7> delivDays{};
    DayString distributorDays; // the days the distributor delivers at all
};

// The account editor: which fields the distributor lets the representative
// change, reading the account into the editor and writing it back.
class AccountEditor {
public:
    enum Field { CompanyName, Contact, AltContact, Address1, Address2, City, State, Zip, Phone, Fax, Email, kFields };

    struct Switches {
        std::array<bool, kFields> editable{}; // bytes 51 ... 61
        bool delivDaysLimited = false;        // byte 62
        bool delivDaysShown = false;          // byte 63
        static Switches FromConfig(const ZevConfig& config);
    };

    AccountEditor(Switches switches, IMessageBox& messages, int poolKey = 0);

    // The account and the distributor's delivery days; nothing when the
    // account is not found. A delivery day counts only where the distributor
    // delivers too.
    std::optional<AccountEditData> Load(int accountId) const;

    bool Editable(Field field) const { return m_switches.editable[static_cast<std::size_t>(field)]; }
    bool DelivDaysShown() const { return m_switches.delivDaysShown; }
    // A delivery day's check can be changed only with byte 62 and only on a
    // day the distributor delivers.
    bool DelivDayEnabled(const AccountEditData& data, int day) const;

    // Writes both statements in one transaction (trimmed, apostrophes
    // doubled, Updated 1). Each failed statement shows 65113; after a failure
    // nothing is kept, so the account never ends half changed.
    bool Save(const AccountEditData& data) const;

    static std::string DayText(const std::array<bool, 7>& days);

private:
    Switches m_switches;
    IMessageBox& m_messages;
    int m_poolKey;
};

} // namespace zev
