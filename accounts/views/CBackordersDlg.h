#pragma once

#include "accounts/Backorders.h"

#include <QDialog>

#include <set>
#include <string>
#include <vector>

class CCheckListCtrl;

namespace zev {
class IScreenHost;
}

// "Backorders" from the order guide: the account's lines of the
// distributor's backorder types, checked when the guide holds them; "Done"
// moves newly checked quantities into the guide and unchecked ones out.
class CBackordersDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kList = 1619;

    CBackordersDlg(zev::IScreenHost& host, int accountId, std::set<std::string> heldKeys, zev::Backorders::GuideAdd add,
                   QWidget* parent = nullptr);

    void accept() override;

    CCheckListCtrl* List() const { return m_list; }
    const std::vector<zev::BackorderLine>& Lines() const { return m_lines; }

private:
    zev::IScreenHost& m_host;
    zev::Backorders m_backorders;
    std::set<std::string> m_held;
    zev::Backorders::GuideAdd m_add;
    std::vector<zev::BackorderLine> m_lines;
    CCheckListCtrl* m_list;
};
