#pragma once

#include "app/ui/CZevBaseView.h"
#include "orders/views/OrderViewContext.h"

class CZevListCtrl;
class QLabel;
class QPushButton;

// The order as placed, between the guide and the order options: its lines,
// the total and the total quantity; Approve goes on, Cancel goes back to the
// guide (dropping the order unless a ready order is being modified). Changes
// nothing in the database.
class COrderSummaryView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::OrderSummary;

    COrderSummaryView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent = nullptr);

    void OnApprove();
    void OnCancel();
    void OnHeaderClicked(int column);

    // The text of a line's column (list definition 7 columns 0..12).
    QString Text(const zev::OrderLine& line, int lineNumber, int column) const;

    CZevListCtrl* List() const { return m_list; }
    QLabel* Total() const { return m_total; }
    QLabel* TotalQuantity() const { return m_totalQty; }
    QPushButton* ApproveButton() const { return m_approve; }

protected:
    void OnInitialUpdate() override;

private:
    void Fill();

    zev::OrderViewContext m_ctx;
    CZevListCtrl* m_list;
    QLabel* m_totalLabel;
    QLabel* m_total;
    QLabel* m_totalQty;
    QPushButton* m_approve;
    QPushButton* m_cancel;
    std::vector<int> m_order; // line index per list row
    int m_direction = 1;
};

CZevBaseView* CreateOrderSummaryView(zev::IScreenHost& host, zev::OrderViewContext context);
