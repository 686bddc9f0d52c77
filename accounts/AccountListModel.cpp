#include "accounts/AccountListModel.h"

#include "accounts/AccountListColumns.h"
#include "accounts/AccountRecord.h"
#include "accounts/AppointmentTime.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/StringTable.h"
#include "app/core/TextHelpers.h"
#include "base/Clock.h"
#include "tables/Accounts.h"
#include "tables/DayButtons.h"
#include "tables/Messages.h"
#include "tables/OpenOrders.h"
#include "tables/ReadyOrder.h"
#include "tables/ReadyOrderItems.h"
#include "tables/SqlText.h"

#include <algorithm>
#include <cctype>
#include <strings.h>
#include <unordered_map>

namespace zev {

namespace {

constexpr int kMsgNewMessages = 65140;

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && ::strncasecmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

} // namespace

AccountListModel::AccountListModel(const AccountListSettings& settings, CurrentAccount& document, const IClock& clock,
                                   IMessageBox& messages, int poolKey)
    : m_settings(settings), m_document(document), m_clock(clock), m_messages(messages), m_poolKey(poolKey),
      m_planner(settings.callTracking, poolKey), m_sortColumn(settings.initialSortColumn)
{
}

int AccountListModel::InitialDayButton() const
{
    if (m_document.dayButton != 0)
        return m_document.dayButton;
    const std::time_t now = m_clock.Now();
    std::tm tm{};
    localtime_r(&now, &tm);
    return 1028 + tm.tm_wday + 1;
}

bool AccountListModel::WeekdayShown() const { return DayButtons::IsWeekday(m_dayButton); }

int AccountListModel::Refill() { return Fill(m_dayButton); }

int AccountListModel::Fill(int dayButton)
{
    m_dayButton = dayButton;
    m_document.dayButton = dayButton;
    m_rows.clear();
    m_buttons = Buttons{};

    const bool weekday = WeekdayShown();
    const std::time_t today = m_clock.Now();
    // Callbacks and call states for the whole list at once.
    std::unordered_map<int, CallPlanner::CallState> calls;
    if (m_settings.callTracking)
        calls = m_planner.ReadCallStates(dayButton);
    Accounts accounts(m_poolKey);
    if (m_planner.OpenAccountsOfDay(accounts, dayButton)) {
        for (; !accounts.IsEOF(); accounts.MoveNext()) {
            const AccountRecord r = AccountRecord::Read(accounts);
            // A row without an id ends the list.
            if (r.accountId == 0)
                break;
            AccountListItem item;
            item.accountId = r.accountId;
            item.statusIcon = r.acctStatus;
            item.pricingTier = r.pricingTier;
            item.customerType = r.customerType;
            item.warehouse = r.warehouse;
            item.balanceDue = r.balanceDue;
            item.lastOrder = r.lastOrder;
            item.lastVisit = r.lastVisitDate;
            item.lastPayment = r.lastPaymentDate;
            if (weekday)
                item.apptTime = AppointmentTime::FromStored(r.apptTimes[DayButtons::DayIndex(dayButton)], today);
            item.accountNumber = r.accountNumber;
            item.companyName = r.companyName;
            ProperCase(item.companyName);
            item.catalogList = SqlText::Trim(r.catalogIds);
            item.contact = SqlText::Trim(r.contactName);
            item.altContact = r.altContactName;
            item.email = r.email;
            item.comment = SqlText::Trim(m_settings.creditTermsComment ? r.creditTerms : r.comment1);
            item.comment2 = r.comment2;
            item.city = r.city;
            item.state = r.state;
            item.phone = r.phone;
            item.licence = r.liquorLicenseNumber;
            if (m_settings.callTracking) {
                auto call = calls.find(item.accountId);
                const CallPlanner::CallState none;
                const CallPlanner::CallState& state = call == calls.end() ? none : call->second;
                item.callbackDay = state.callbackDay;
                item.callbackNotes = state.callbackNotes;
                item.statusIcon = state.icon;
            }
            m_rows.push_back(std::move(item));
        }
    }

    Sort(weekday ? m_sortColumn : AccountListColumns::kCompany);

    int row = -1;
    if (m_document.accountId == -1)
        row = m_rows.empty() ? -1 : 0;
    else
        row = RowOfAccount(m_document.accountId);
    if (row >= 0)
        Select(row);
    return row;
}

std::string AccountListModel::Text(int row, int col) const
{
    if (!ValidRow(row))
        return {};
    return AccountListColumns::Text(m_rows[row], col, WeekdayShown(), m_settings.companyWithCity);
}

int AccountListModel::RowOfAccount(int accountId) const
{
    for (int i = 0; i < RowCount(); ++i)
        if (m_rows[i].accountId == accountId)
            return i;
    return -1;
}

bool AccountListModel::HasAccounts() const
{
    Accounts accounts(m_poolKey);
    return accounts.getAllAccounts() && !accounts.IsEOF();
}

void AccountListModel::Sort(int col)
{
    m_sortedBy = col;
    const bool weekday = WeekdayShown();
    const int direction = m_direction;
    const AccountListSettings& s = m_settings;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const AccountListItem& a, const AccountListItem& b) {
        return direction * AccountListColumns::Compare(a, b, col, weekday, s.companyWithCity, s.accountNumberAsText) <
               0;
    });
}

int AccountListModel::HeaderClicked(int col)
{
    m_direction = -m_direction;
    Sort(col);
    if (WeekdayShown())
        m_sortColumn = col;
    return SelectedRow();
}

int AccountListModel::Find(const std::string& typed, int selectedRow) const
{
    if (typed.empty())
        return -1;
    int start = typed.size() > 1 ? selectedRow : 0;
    if (start < 0 || start >= RowCount())
        start = 0;
    for (int i = start; i < RowCount(); ++i)
        if (StartsWithNoCase(m_rows[i].companyName, typed))
            return i;
    return -1;
}

AccountListModel::Buttons AccountListModel::Select(int row)
{
    if (!ValidRow(row))
        return m_buttons;
    const AccountListItem& item = m_rows[row];
    m_document.accountId = item.accountId;
    m_document.accountNumber = item.accountNumber;
    m_document.companyName = item.companyName;
    m_document.pricingTier = item.pricingTier;
    m_document.customerType = item.customerType;
    m_document.catalogList = item.catalogList;
    AccountRecord catalogs;
    catalogs.catalogIds = item.catalogList;
    m_document.orderCatalog = catalogs.OrderCatalog();
    m_document.licence = item.licence;
    if (m_settings.warehouseOnSelect)
        m_document.warehouse = item.warehouse;

    m_buttons.details = m_buttons.orderGuide = m_buttons.history = true;
    m_buttons.noOrder = m_settings.noOrderButton;
    m_buttons.backorders = m_settings.backordersButton && OpenOrders(m_poolKey).hasBackorders(item.accountId);
    return m_buttons;
}

std::string AccountListModel::EditorText(int row, int col) const
{
    if (!ValidRow(row))
        return {};
    if (col == AccountListColumns::kApptTime)
        return AppointmentTime::EditorText(m_rows[row].apptTime);
    if (col == AccountListColumns::kCallbackNotes)
        return m_rows[row].callbackNotes;
    return Text(row, col);
}

std::vector<std::string> AccountListModel::CallbackDayChoices()
{
    std::vector<std::string> choices{std::string()};
    for (int day = 0; day < 7; ++day)
        choices.push_back(AccountListColumns::CallbackDayName(day));
    return choices;
}

int AccountListModel::CallbackDayPreselect(int row) const { return ValidRow(row) ? m_rows[row].callbackDay + 1 : 0; }

bool AccountListModel::CommitText(int row, int col, const std::string& text)
{
    if (!ValidRow(row))
        return false;
    AccountListItem& item = m_rows[row];
    if (col == AccountListColumns::kApptTime) {
        // "All" writes the time into every day; its rows show no time.
        const std::time_t t = AppointmentTime::ParseTyped(text, m_clock.Now());
        const std::time_t shown = WeekdayShown() ? item.apptTime : 0;
        if (t == shown)
            return true;
        if (!Accounts(m_poolKey).setApptTime(item.accountId, m_dayButton, t))
            return false;
        if (WeekdayShown())
            item.apptTime = t;
        return true;
    }
    if (col == AccountListColumns::kCallbackNotes) {
        const std::string notes = SqlText::Trim(text);
        if (notes == item.callbackNotes)
            return true;
        if (!m_planner.KeepCallback(item.accountId, item.callbackDay, item.callbackNotes, item.callbackDay, notes))
            return false;
        item.callbackNotes = notes;
        return true;
    }
    return true;
}

bool AccountListModel::CommitCallbackDay(int row, int choice)
{
    if (!ValidRow(row) || choice < 0 || choice > 7)
        return false;
    AccountListItem& item = m_rows[row];
    const int day = choice - 1;
    if (day == item.callbackDay)
        return true;
    if (!m_planner.KeepCallback(item.accountId, item.callbackDay, item.callbackNotes, day, item.callbackNotes))
        return false;
    item.callbackDay = day;
    return true;
}

bool AccountListModel::RecordNoOrder(int row, CallPlanner::NoOrderReason reason, const std::string& note)
{
    if (!ValidRow(row))
        return false;
    const int accountId = m_rows[row].accountId;
    std::string text = SqlText::Trim(note);
    const std::size_t limit = m_settings.noteMaxLength > 0 ? static_cast<std::size_t>(m_settings.noteMaxLength) : 255;
    if (text.size() > limit)
        text.resize(limit);

    ReadyOrder orders(m_poolKey);
    // The key must be free in both tables so the order never inherits lines.
    const int readyId = std::max(orders.getNewPK(), ReadyOrderItems(m_poolKey).getNewPK());
    const char* reasonText = reason == CallPlanner::NoOrderReason::NoCall ? "No Call" : "No Sale";
    if (readyId < 1 || !orders.insertInformationOrder(accountId, readyId, 2, m_clock.Now(), text, reasonText)) {
        m_messages.ShowText("There has been a problem creating the information order", ids::kCaptionInformation,
                            MbButtons::Ok, MbIcon::Information);
        return false;
    }
    m_messages.ShowText("The tracking information has been saved.", ids::kCaptionInformation, MbButtons::Ok,
                        MbIcon::Information);
    m_planner.RecordNoOrder(accountId, m_dayButton, reason);
    Refill();
    return true;
}

void AccountListModel::ClearCallThisAccount(int row)
{
    if (!ValidRow(row) || !WeekdayShown())
        return;
    m_planner.ClearCall(m_rows[row].accountId, m_dayButton);
    Refill();
}

void AccountListModel::ClearCallAllAccounts()
{
    const MbResult answer = m_messages.AskText(
        "This action will clear the Call Status for all accounts for the entire week.\n\nDo you wish to clear all "
        "accounts?",
        ids::kCaptionQuestion, MbButtons::YesNo, MbIcon::Question, MbResult::No);
    if (answer != MbResult::Yes)
        return;
    m_planner.ClearWeek();
    Refill();
}

bool AccountListModel::CheckNewMessages(const std::string& userId)
{
    if (!m_settings.newMessagesCheck || !Messages(m_poolKey).hasUnread(userId))
        return false;
    m_messages.Show(kMsgNewMessages, ids::kCaptionInformation, MbButtons::Ok, MbIcon::Information);
    return true;
}

std::string AccountListModel::QuickInfoTitle(int row) const { return ValidRow(row) ? m_rows[row].companyName : ""; }

std::string AccountListModel::QuickInfoText(int row) const
{
    if (!ValidRow(row))
        return {};
    Accounts accounts(m_poolKey);
    if (!accounts.getAccount(m_rows[row].accountId))
        return {};
    const AccountRecord r = AccountRecord::Read(accounts);
    std::string text = "Acct: " + r.accountNumber + "\n";
    auto line = [&text](const char* label, const std::string& value) {
        const std::string trimmed = SqlText::Trim(value);
        if (!trimmed.empty())
            text += label + trimmed + "\n";
    };
    line("Contact: ", r.contactName);
    line("Phone: ", r.phone);
    line("Fax: ", r.fax);
    line("Address: ", r.address1);
    line("", r.address2);
    text += r.CityLine();
    return text;
}

} // namespace zev
