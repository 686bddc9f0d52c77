#pragma once

#include "accounts/Receivables.h"

#include <QDialog>

#include <vector>

class CCheckListCtrl;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zev {
class IMessageBox;
class IScreenHost;
} // namespace zev

// "Deposit": the collections of today not yet deposited, each with a check
// box; "Send" marks the checked ones deposited with the two deposit details.
class CDepositDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDetail1 = 1134;
    static constexpr int kDetail2 = 1245;
    static constexpr int kSelectedTotal = 1248;

    explicit CDepositDlg(zev::IScreenHost& host, QWidget* parent = nullptr);

    void Fill();
    void OnSend();

    CCheckListCtrl* List() const { return m_list; }
    QLineEdit* Detail(int which) const { return which == 1 ? m_detail1 : m_detail2; }
    QLineEdit* SelectedTotal() const { return m_total; }
    const std::vector<zev::DepositRow>& Rows() const { return m_rows; }

private:
    void ShowTotal();

    zev::IScreenHost& m_host;
    zev::Receivables m_receivables;
    std::vector<zev::DepositRow> m_rows;
    CCheckListCtrl* m_list;
    QLabel* m_caption1;
    QLabel* m_caption2;
    QLineEdit* m_detail1;
    QLineEdit* m_detail2;
    QLineEdit* m_total;
};
