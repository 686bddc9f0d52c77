#pragma once

#include "accounts/Backorders.h"

#include <QDialog>

#include <ctime>
#include <vector>

class CCheckListCtrl;

namespace zev {
class IScreenHost;
}

// "Cancel Backorders": the account's backordered lines with check boxes;
// "Done" sends the distributor a cancellation of the checked ones (a ready
// order of type 3 that goes with the next sending of orders).
class CCancelBackordersDlg : public QDialog {
    Q_OBJECT
public:
    CCancelBackordersDlg(zev::IScreenHost& host, int accountId, std::time_t now, QWidget* parent = nullptr);

    void OnHeaderClicked(int column);
    // Moves to the first line of one open order (the one the user came
    // from). Nothing is checked for the user: Done would cancel it.
    void ShowInvoice(const std::string& invoice);
    void accept() override;

    CCheckListCtrl* List() const { return m_list; }
    const std::vector<zev::BackorderLine>& Lines() const { return m_lines; }

    static zev::Backorders::Settings SettingsOf(zev::IScreenHost& host);

private:
    void ShowRows(const std::vector<bool>& checked);

    zev::IScreenHost& m_host;
    int m_accountId;
    std::time_t m_now;
    zev::Backorders m_backorders;
    std::vector<zev::BackorderLine> m_lines;
    CCheckListCtrl* m_list;
};
