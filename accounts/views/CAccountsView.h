#pragma once

#include "accounts/AccountListModel.h"
#include "accounts/AccountListSettings.h"
#include "accounts/views/AccountsViewContext.h"
#include "accounts/views/CPrintChoiceDlg.h"
#include "app/ui/CZevBaseView.h"
#include "reports/PrintDocument.h"

#include <QPointer>

#include <map>
#include <memory>

class CZevListCtrl;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;

namespace zev {
class IClock;
}

// The account list: the accounts of a weekday (or all of them), the current
// account the other account screens work on, the outcome of calls, the call
// plan, new accounts and the day's printouts. Decisions are the list logic's;
// this class only shows rows and passes the user's actions on.
class CAccountsView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::Accounts;
    static constexpr int kTitle = 9;

    // Control ids (day buttons are 1029 Sunday ... 1035 Saturday, 1036 All).
    static constexpr int kList = 1037;
    static constexpr int kDetails = 1118;
    static constexpr int kOrderGuide = 1119;
    static constexpr int kHistory = 1117;
    static constexpr int kCallPlan = 1216;
    static constexpr int kNoOrder = 1512;
    static constexpr int kPrint = 1228;
    static constexpr int kCreate = 1520;
    static constexpr int kFind = 1100;
    static constexpr int kBackorders = 1620;
    static constexpr zev::Screen kScreenMaintenance = zev::Screen::Maintenance;

    // Screens the account commands open; a command whose screen the program
    // does not have (yet) is greyed.
    static constexpr zev::Screen kScreenOrderGuide = zev::Screen::OrderGuide;
    static constexpr zev::Screen kScreenDetails = zev::Screen::AccountDetails;
    static constexpr zev::Screen kScreenHistory = zev::Screen::OrderHistory;
    static constexpr zev::Screen kScreenOpenOrders = zev::Screen::OpenOrders;
    static constexpr zev::Screen kScreenSurvey = zev::Screen::Survey;

    // Context menu commands.
    static constexpr int kCmdQuickInfo = 32848;
    static constexpr int kCmdHistory = 32847;
    static constexpr int kCmdEdit = 32858;
    static constexpr int kCmdDetails = 32777;
    static constexpr int kCmdNoOrder = 32861;
    static constexpr int kCmdOpenOrders = 32864;
    static constexpr int kCmdClearThis = 32865;
    static constexpr int kCmdClearAll = 32866;
    static constexpr int kCmdSurvey = 32875;
    static constexpr int kCmdCreate = 32876;
    static constexpr int kCmdBackorders = 32878;

    // Kind 10 of the list's per-column flags is the callback-day drop-down;
    // other non-zero kinds edit text.
    static constexpr int kEditorDropDown = 10;

    CAccountsView(zev::IScreenHost& host, zev::AccountsViewContext context, QWidget* parent = nullptr);
    ~CAccountsView() override;

    // Saves an open in-place editor before the screen goes.
    bool CanLeave(zev::Screen target) override;

    // Commands (public so the frame's tests and tools can drive them).
    void OnDayButton(int button);
    void OnHeaderClicked(int column);
    void OnFindChanged(const QString& text);
    void OnNavigate(zev::Screen screen);
    void OnNoOrder();
    void OnClearCallThisAccount();
    void OnClearCallAllAccounts();
    void OnCallPlan();
    void OnCreate();
    void OnQuickInfo();
    void OnBackorders();
    void OnEditAccount();
    void OnPrint();

    // Selects a row as a click would; -1 clears the selection.
    void SelectRow(int row);

    // In-place editing: opens the column's editor over the cell (false when
    // the column is not editable), saves or drops what it holds.
    bool EditCell(int row, int column);
    void CommitEditor();
    void CancelEditor();
    // F2 or Enter on the list: the editor of the current cell, or of the
    // row's first editable column.
    bool EditCurrentCell();
    QWidget* CellEditor() const { return m_editor; }
    int EditorKind(int column) const;

    // The right-click menu for the selected row, with the entries the
    // distributor's switches keep; the caller owns it.
    QMenu* BuildContextMenu();

    // The printout for the day shown; without lines when there is nothing to
    // print.
    zev::PrintDocument BuildReport(CPrintChoiceDlg::Choice choice) const;
    // Names the printout after the report and the date, in the folder the
    // last printout to a file went to; notes that folder after printing.
    void PreparePrinter(CPrintChoiceDlg::Choice choice, QPrinter& printer) const;
    void RememberPrintFolder(const QPrinter& printer);
    // Prints a report on a printer the caller set up (tells an empty report).
    bool PrintReport(CPrintChoiceDlg::Choice choice, QPrinter& printer);

    CZevListCtrl* List() const { return m_list; }
    zev::AccountListModel& Model() { return *m_model; }
    const zev::AccountListSettings& Settings() const { return m_settings; }
    QPushButton* Button(int id) const;
    QLineEdit* FindBox() const { return m_find; }
    // The note shown instead of rows while there are no accounts yet.
    QWidget* NoDataNote() const { return m_noData; }

protected:
    void OnInitialUpdate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowRows(int selectRow);
    void OnRowSelected(int row);
    void UpdateButtons();
    void StyleDayButtons();
    void ShowContextMenu(const QPoint& pos);
    void FitListToWindow();
    void ShowSortIndicator();
    void FitNumberColumn();
    void ClearCurrentAccount();
    int RepId() const;
    bool EditorKeepsFocus() const;

    zev::AccountsViewContext m_context;
    std::unique_ptr<zev::IClock> m_ownClock;
    const zev::IClock* m_clock;
    zev::AccountListSettings m_settings;
    std::unique_ptr<zev::AccountListModel> m_model;
    CZevListCtrl* m_list;
    QLineEdit* m_find;
    QWidget* m_noData = nullptr;
    bool m_hasAccounts = true;
    std::map<int, QPushButton*> m_buttons;
    QPointer<QWidget> m_editor;
    int m_editRow = -1;
    int m_editColumn = -1;
    bool m_filling = false;
    bool m_committing = false;
};

// The frame's factory for screen 4.
CZevBaseView* CreateAccountsView(zev::IScreenHost& host, zev::AccountsViewContext context);
