#include "accounts/AccountDetails.h"

#include "accounts/AccountRecord.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/TextHelpers.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "tables/AccountAttributes.h"
#include "tables/Accounts.h"
#include "tables/DistributorRepNotes.h"
#include "tables/SqlText.h"

#include <algorithm>

namespace zev {

namespace {

constexpr int kNoteNotSaved = 65033;

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

} // namespace

AccountDetails::Switches AccountDetails::Switches::FromConfig(const ZevConfig& config)
{
    Switches s;
    s.orderHistory = config.IsOn(cfg::kOrderHistory);
    s.editAccount = config.IsOn(cfg::kEditAccount);
    s.faxShown = config.IsOn(cfg::kFaxShown);
    s.attributes = config.IsOn(cfg::kAccountAttributes);
    s.forms = config.IsOn(cfg::kAccountForms);
    s.noteTime = config.IsOn(cfg::kNoteTimeShown);
    return s;
}

AccountDetails::AccountDetails(Switches switches, IMessageBox& messages, int poolKey)
    : m_switches(switches), m_messages(messages), m_poolKey(poolKey)
{
}

std::string AccountDetails::Display(std::string text)
{
    ProperCase(text);
    return text;
}

std::string AccountDetails::CityLine(const std::string& city, const std::string& state, const std::string& zip)
{
    return Display(SqlText::Format("%s, %s %s", city.c_str(), state.c_str(), zip.c_str()));
}

bool AccountDetails::Load(int accountId)
{
    m_found = false;
    m_accountId = accountId;
    m_labels = {};
    m_notes.clear();
    m_attributes.clear();

    Accounts accounts(m_poolKey);
    if (accountId >= 0 && accounts.getAccount(accountId)) {
        const AccountRecord r = AccountRecord::Read(accounts);
        m_found = true;
        m_labels.companyName = Display(r.companyName);
        m_labels.address1 = Display(r.address1);
        m_labels.cityLine = CityLine(r.city, r.state, r.zip);
        m_labels.contact1 = Display(r.contactName);
        m_labels.contact2 = Display(r.altContactName);
        m_labels.phone = r.phone;
        m_labels.fax = r.fax;
        m_labels.comment1 = SqlText::Trim(r.comment1);
        m_labels.comment2 = SqlText::Trim(r.comment2);
    }
    accounts.Close();

    DistributorRepNotes notes(m_poolKey);
    if (notes.getOfAccount(accountId)) {
        for (; !notes.IsEOF(); notes.MoveNext()) {
            AccountNote note;
            note.entered = LocalTime(notes.GetFieldValueInt(3), notes.GetFieldValueInt(4), notes.GetFieldValueInt(5),
                                     notes.GetFieldValueInt(6), notes.GetFieldValueInt(7), notes.GetFieldValueInt(8));
            note.comment = notes.GetFieldValueString(9);
            m_notes.push_back(std::move(note));
        }
    }
    notes.Close();

    if (m_switches.attributes) {
        AccountAttributes attributes(m_poolKey);
        if (attributes.getOfAccount(accountId))
            for (; !attributes.IsEOF(); attributes.MoveNext())
                m_attributes.push_back(attributes.GetFieldValueString(1) + ": " + attributes.GetFieldValueString(2));
    }
    return m_found;
}

bool AccountDetails::CanSaveNote(const std::string& typed)
{
    // UTF-8: every byte that does not continue a character starts one.
    const auto characters = std::count_if(typed.begin(), typed.end(),
                                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return characters >= kNoteMinLength;
}

std::string AccountDetails::NoteDateText(std::time_t entered) const
{
    std::tm tm{};
    if (localtime_r(&entered, &tm) == nullptr)
        return {};
    if (m_switches.noteTime)
        return SqlText::Format("%d/%d/%d %d:%d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900, tm.tm_hour, tm.tm_min);
    return SqlText::Format("%d/%d/%d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900);
}

AccountDetails::NoteResult AccountDetails::SaveNote(const std::string& typed, std::time_t now)
{
    const std::string text = SqlText::Trim(typed);
    if (text.empty())
        return NoteResult::Empty;
    // The table object doubles the apostrophes for the statement; the list
    // keeps the text as typed.
    if (!DistributorRepNotes(m_poolKey).addNote(m_accountId, now, text)) {
        m_messages.Show(kNoteNotSaved, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return NoteResult::Failed;
    }
    m_notes.insert(m_notes.begin(), AccountNote{now, text});
    return NoteResult::Saved;
}

bool AccountDetails::DeleteNote(std::time_t entered)
{
    std::tm tm{};
    if (localtime_r(&entered, &tm) == nullptr)
        return false;
    if (!DistributorRepNotes(m_poolKey).deleteNote(m_accountId, tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                                                   tm.tm_hour, tm.tm_min, tm.tm_sec))
        return false;
    m_notes.erase(std::remove_if(m_notes.begin(), m_notes.end(),
                                 [entered](const AccountNote& n) { return n.entered == entered; }),
                  m_notes.end());
    return true;
}

} // namespace zev
