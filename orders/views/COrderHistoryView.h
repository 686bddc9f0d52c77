#pragma once

#include "app/ui/CZevBaseView.h"
#include "orders/OrderDetails.h"
#include "orders/PastOrders.h"
#include "orders/views/OrderViewContext.h"

#include <map>
#include <string>
#include <vector>

class CZevListCtrl;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The current account's past orders, narrowed by period and by item, with a
// details sheet of each order's lines and "Copy to Order Guide", which puts a
// past order's quantities into the guide (priced now) and opens the guide.
class COrderHistoryView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::OrderHistory;

    COrderHistoryView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent = nullptr);

    void Fill();
    void SelectRow(int row);
    void OnDetails();
    void OnCopy();
    // What the details sheet of a row shows, and the same as text.
    zev::OrderDetails Details(int row) const;
    QString DetailsText(int row) const;

    const std::vector<zev::PastOrders::Order>& Orders() const { return m_orders; }
    CZevListCtrl* List() const { return m_list; }
    QComboBox* PeriodList() const { return m_period; }
    QLineEdit* ItemField() const { return m_item; }
    QPushButton* Button(const char* name) const;

protected:
    void OnInitialUpdate() override;

private:
    int Current() const;

    zev::OrderViewContext m_ctx;
    std::vector<zev::PastOrders::Order> m_orders;
    CZevListCtrl* m_list;
    QComboBox* m_period;
    QLineEdit* m_item;
    QLabel* m_summary;
    std::map<std::string, QPushButton*> m_buttons;
};

CZevBaseView* CreateOrderHistoryView(zev::IScreenHost& host, zev::OrderViewContext context);
