#include "accounts/AccountEditor.h"

#include "accounts/AccountRecord.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "tables/Accounts.h"
#include "tables/SqlText.h"

namespace zev {

namespace {

constexpr int kUpdateFailed = 65113;

DayString OrNone(const std::string& text) { return DayString(SqlText::Trim(text), DayString::Default::None); }

} // namespace

AccountEditor::Switches AccountEditor::Switches::FromConfig(const ZevConfig& config)
{
    Switches s;
    for (std::size_t f = 0; f < kFields; ++f)
        s.editable[f] = config.IsOn(cfg::kEditCompanyName + f);
    s.delivDaysLimited = config.IsOn(cfg::kDeliveryDaysLimited);
    s.delivDaysShown = config.IsOn(cfg::kDeliveryDaysShown);
    return s;
}

AccountEditor::AccountEditor(Switches switches, IMessageBox& messages, int poolKey)
    : m_switches(switches), m_messages(messages), m_poolKey(poolKey)
{
}

std::optional<AccountEditData> AccountEditor::Load(int accountId) const
{
    Accounts accounts(m_poolKey);
    if (!accounts.getAccount(accountId))
        return std::nullopt;
    AccountEditData d;
    d.accountId = accountId;
    const AccountRecord r = AccountRecord::Read(accounts);
    d.companyName = r.companyName;
    d.contact = r.contactName;
    d.altContact = r.altContactName;
    d.address1 = r.address1;
    d.address2 = r.address2;
    d.city = r.city;
    d.state = r.state;
    d.zip = r.zip;
    d.email = r.email;
    d.phone = r.phone;
    d.fax = r.fax;
    // An empty day string counts as no day at all, for deliveries too.
    const DayString appt = OrNone(accounts.GetFieldValueString(12));
    const DayString deliv = OrNone(accounts.GetFieldValueString(13));
    accounts.Close();

    Query info("DistributorInfo", "DistributorID", m_poolKey);
    d.distributorDays = info.getAll() ? DayString(info.GetFieldValueString(3), DayString::Default::None) : DayString();
    for (int day = 0; day < 7; ++day) {
        d.apptDays[static_cast<std::size_t>(day)] = appt.IsSet(day);
        d.delivDays[static_cast<std::size_t>(day)] = deliv.IsSet(day) && d.distributorDays.IsSet(day);
    }
    return d;
}

bool AccountEditor::DelivDayEnabled(const AccountEditData& data, int day) const
{
    return m_switches.delivDaysLimited && data.distributorDays.IsSet(day);
}

std::string AccountEditor::DayText(const std::array<bool, 7>& days)
{
    DayString text;
    for (int day = 0; day < 7; ++day)
        text.SetDay(day, days[static_cast<std::size_t>(day)]);
    return text.Text();
}

bool AccountEditor::Save(const AccountEditData& d) const
{
    Accounts accounts(m_poolKey);
    if (accounts.beginTransaction() == 0) {
        m_messages.Show(kUpdateFailed, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    bool ok = true;
    auto check = [&](int result) {
        if (result == 0) {
            ok = false;
            m_messages.Show(kUpdateFailed, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        }
    };
    check(accounts.updateNameAndAddress(d.accountId, d.companyName, d.contact, d.altContact, d.address1, d.address2));
    check(accounts.updateContactAndDays(d.accountId, d.city, d.state, d.zip, d.email, d.phone, d.fax,
                                        DayText(d.apptDays), DayText(d.delivDays)));
    if (!ok || accounts.commitTransaction() == 0) {
        accounts.rollbackTransaction();
        return false;
    }
    return true;
}

} // namespace zev
