#pragma once

#include "accounts/Receivables.h"
#include "accounts/views/AccountsViewContext.h"
#include "app/ui/CZevBaseView.h"

#include <map>
#include <memory>
#include <vector>

class CZevListCtrl;
class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace zev {
class IClock;
}

// Accounts receivable: the open invoices of every account or of one,
// collecting on an invoice, the deposit window and the printout of one
// account's invoices. The receivables logic decides; this class shows rows
// and passes the user's actions on.
class CAccountsReceivableView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::Receivables;
    static constexpr int kTitle = 22;

    static constexpr int kByCustomer = 1323;
    static constexpr int kByOpen = 1324;
    static constexpr int kAccount = 1322;
    static constexpr int kList = 1211;
    static constexpr int kCollect = 1325;
    static constexpr int kDetails = 1118;
    static constexpr int kDeposit = 1518;
    static constexpr int kPrint = 1228;
    static constexpr int kMine = 1622;

    CAccountsReceivableView(zev::IScreenHost& host, zev::AccountsViewContext context, QWidget* parent = nullptr);
    ~CAccountsReceivableView() override;

    // Commands (public so tests and tools drive them).
    void ShowAllOpen();
    void ShowByCustomer();
    void ChooseAccount(int index);
    void SetMineOnly(bool mine);
    void SelectRow(int row);
    void OnHeaderClicked(int column);
    void OnCollect();
    void OnDetails();
    void OnDeposit();
    void OnPrint();
    bool PrintTo(QPrinter& printer);

    const zev::Receivables& Data() const { return m_data; }
    CZevListCtrl* List() const { return m_list; }
    QComboBox* AccountList() const { return m_account; }
    QPushButton* Button(int id) const;
    QCheckBox* MineBox() const { return m_mine; }
    QLabel* Field(const char* name) const;
    // The account whose invoices are listed; -1 in the all-invoices mode.
    int ShownAccount() const { return m_accountId; }

protected:
    void OnInitialUpdate() override;

private:
    void ListInvoices();
    void ShowRows(int select);
    void ShowSelected();
    void ShowTotals();
    int Current() const;
    std::string AccountLabel() const;

    zev::AccountsViewContext m_context;
    std::unique_ptr<zev::IClock> m_ownClock;
    const zev::IClock* m_clock;
    zev::Receivables m_data;
    std::vector<zev::ARAccount> m_accounts;
    int m_accountId = -1;
    bool m_byCustomer = false;
    CZevListCtrl* m_list;
    QComboBox* m_account;
    QCheckBox* m_mine;
    QRadioButton* m_byOpen;
    QRadioButton* m_byCustomerButton;
    std::map<int, QPushButton*> m_buttons;
    std::map<std::string, QLabel*> m_fields;
};

// The frame's factory for screen 7.
CZevBaseView* CreateAccountsReceivableView(zev::IScreenHost& host, zev::AccountsViewContext context);
