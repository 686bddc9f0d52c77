#pragma once

#include "app/ui/CZevBaseView.h"
#include "orders/OpenOrderList.h"
#include "orders/views/OrderViewContext.h"

#include <map>
#include <string>
#include <vector>

class CZevListCtrl;
class QLabel;
class QPushButton;

// The current account's open orders (sent, not yet delivered), backorders
// marked, with a details sheet of each order's lines. A backorder leads on
// to its cancellation or, through the order guide, to taking its quantities
// into the next order.
class COpenOrdersView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::OpenOrders;

    COpenOrdersView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent = nullptr);

    void Fill();
    void SelectRow(int row);
    void OnDetails();
    void OnCancelBackorders();
    void OnBackordersToGuide();
    // What the details sheet of a row shows, and the same as text.
    zev::OrderDetails Details(int row) const;
    QString DetailsText(int row) const;

    const std::vector<zev::OpenOrderList::Order>& Orders() const { return m_orders; }
    CZevListCtrl* List() const { return m_list; }
    QLabel* SummaryLabel() const { return m_summary; }
    QPushButton* Button(const char* name) const;

protected:
    void OnInitialUpdate() override;

private:
    int Current() const;
    bool CurrentIsBackorder() const;

    zev::OrderViewContext m_ctx;
    std::vector<zev::OpenOrderList::Order> m_orders;
    CZevListCtrl* m_list;
    QLabel* m_summary;
    std::map<std::string, QPushButton*> m_buttons;
};

CZevBaseView* CreateOpenOrdersView(zev::IScreenHost& host, zev::OrderViewContext context);
