#pragma once

#include "app/ui/CZevBaseView.h"
#include "orders/views/OrderViewContext.h"

#include <map>
#include <string>
#include <vector>

class CZevListCtrl;
class QMenu;
class QPushButton;

// The orders saved on this computer and not yet sent: details, modify (back
// to the guide), send one now, delete.
class CReadyOrdersView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::ReadyOrders;

    struct Row {
        int accountId = 0;
        int readyId = 0;
        int orderType = 0;
        std::string account;
        std::string date;
        double total = 0;
        int lines = 0;
        int cases = 0;
        int singles = 0;
    };

    CReadyOrdersView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent = nullptr);

    void Fill();
    void SelectRow(int row);
    void OnDelete();
    void OnSend();
    void OnModify();
    void OnDetails();
    // The details text of the selected order (the sheet shows it).
    QString DetailsText(int row) const;
    QMenu* BuildMenu();

    const std::vector<Row>& Rows() const { return m_rows; }
    CZevListCtrl* List() const { return m_list; }
    QPushButton* Button(const char* name) const;

protected:
    void OnInitialUpdate() override;

private:
    int Current() const;
    bool Delete(const Row& row);
    bool Modify(const Row& row);

    zev::OrderViewContext m_ctx;
    std::vector<Row> m_rows;
    CZevListCtrl* m_list;
    std::map<std::string, QPushButton*> m_buttons;
};

CZevBaseView* CreateReadyOrdersView(zev::IScreenHost& host, zev::OrderViewContext context);
