#pragma once

#include "app/ui/CZevBaseView.h"
#include "orders/RecentOrders.h"
#include "orders/views/OrderViewContext.h"

#include <map>
#include <string>
#include <vector>

class CZevListCtrl;
class QComboBox;
class QLabel;
class QPushButton;

// The representative's orders of a period (today, yesterday, this week, this
// month, or the open ones still waiting), the unsent ones marked and sent
// from here one by one or all at once. Sign-in lands here when orders wait,
// so the screen then opens on them.
class CRecentOrdersView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::RecentOrders;

    CRecentOrdersView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent = nullptr);

    void ShowPeriod(zev::RecentOrders::Period period);
    void SelectRow(int row);
    void OnSend();
    void OnSendAll();
    void OnDetails();
    // What the details sheet of a row shows, and the same as text.
    zev::OrderDetails Details(int row) const;
    QString DetailsText(int row) const;

    zev::RecentOrders::Period Period() const { return m_period; }
    const std::vector<zev::RecentOrders::Row>& Rows() const { return m_rows; }
    CZevListCtrl* List() const { return m_list; }
    QComboBox* PeriodList() const { return m_periods; }
    QLabel* WaitingLabel() const { return m_waiting; }
    QPushButton* Button(const char* name) const;

protected:
    void OnInitialUpdate() override;

private:
    int Current() const;
    void Fill();
    std::time_t Now() const;
    bool Send(int readyId);

    zev::OrderViewContext m_ctx;
    zev::RecentOrders::Period m_period = zev::RecentOrders::Period::Today;
    std::vector<zev::RecentOrders::Row> m_rows;
    CZevListCtrl* m_list;
    QComboBox* m_periods;
    QLabel* m_waiting;
    std::map<std::string, QPushButton*> m_buttons;
};

CZevBaseView* CreateRecentOrdersView(zev::IScreenHost& host, zev::OrderViewContext context);
