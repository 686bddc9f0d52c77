#pragma once

#include "accounts/AccountListItem.h"
#include "accounts/AccountListSettings.h"
#include "accounts/CallPlanner.h"
#include "accounts/CurrentAccount.h"

#include <string>
#include <vector>

namespace zev {

class IClock;
class IMessageBox;

// The account list without its widgets: the rows of the day shown, their
// texts, sorting, find as you type, what selecting a row makes current, the
// in-place edits and the call outcomes. The view draws Rows() and forwards
// the user's actions; messages go through the injected message box.
class AccountListModel {
public:
    struct Buttons {
        bool details = false;
        bool orderGuide = false;
        bool history = false;
        bool noOrder = false;
        bool backorders = false;
    };

    AccountListModel(const AccountListSettings& settings, CurrentAccount& document, const IClock& clock,
                     IMessageBox& messages, int poolKey = 0);

    // The day to show on entering: the document's day, else today's weekday.
    int InitialDayButton() const;

    // Fills the rows for a day button, sorts them and reselects: row 0 when
    // the document has no account, else that account's row when listed.
    // Returns the selected row, -1 for none.
    int Fill(int dayButton);
    // Fills again for the day shown.
    int Refill();

    int DayButton() const { return m_dayButton; }
    bool WeekdayShown() const;
    const std::vector<AccountListItem>& Rows() const { return m_rows; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    std::string Text(int row, int col) const;
    int RowOfAccount(int accountId) const;
    // False while the database holds no account at all (before the first
    // complete update): the list then has nothing to plan, print or create for.
    bool HasAccounts() const;

    int SortColumn() const { return m_sortColumn; }
    int SortDirection() const { return m_direction; }
    // The column the rows shown are in order of (All orders by company
    // whatever the weekday's sort column is); the direction is SortDirection().
    int SortedColumn() const { return m_sortedBy; }
    // Flips the direction, sorts by the column and, unless "All" is shown,
    // makes it the sort column. Returns the new row of the selected account.
    int HeaderClicked(int col);

    // The row to select for the typed text, or -1 (also for an empty text).
    int Find(const std::string& typed, int selectedRow) const;

    // Makes the row's account current and tells which buttons act now.
    Buttons Select(int row);
    int SelectedRow() const { return RowOfAccount(m_document.accountId); }
    const Buttons& ButtonStates() const { return m_buttons; }

    // In-place editors. Column 5 (appointment time) and 11 (callback notes)
    // take text; column 10 (callback day) a choice of CallbackDayChoices().
    std::string EditorText(int row, int col) const;
    static std::vector<std::string> CallbackDayChoices();
    int CallbackDayPreselect(int row) const;
    // Saves an edited text when it changed; returns false when writing failed.
    bool CommitText(int row, int col, const std::string& text);
    bool CommitCallbackDay(int row, int choice);

    // No Call / No Sale for the row's account: saves the information order,
    // tells the user, records the call and refills. False on failure.
    bool RecordNoOrder(int row, CallPlanner::NoOrderReason reason, const std::string& note);

    // "Clear Call (This account)": the row's status of the day shown.
    void ClearCallThisAccount(int row);
    // "Clear Call (All Accounts)": asks first.
    void ClearCallAllAccounts();

    // On entering: with switch 23, tells about unread messages. Returns
    // whether it told.
    bool CheckNewMessages(const std::string& userId);

    // The Quick Info box: caption (company) and text.
    std::string QuickInfoTitle(int row) const;
    std::string QuickInfoText(int row) const;

    const CallPlanner& Planner() const { return m_planner; }

private:
    void Sort(int col);
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }

    AccountListSettings m_settings;
    CurrentAccount& m_document;
    const IClock& m_clock;
    IMessageBox& m_messages;
    int m_poolKey;
    CallPlanner m_planner;
    std::vector<AccountListItem> m_rows;
    int m_dayButton = 0;
    int m_sortColumn = 0;
    int m_direction = 1;
    int m_sortedBy = -1;
    Buttons m_buttons;
};

} // namespace zev
