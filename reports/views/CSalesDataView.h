#pragma once

#include "app/ui/CZevBaseView.h"
#include "reports/SalesDataModel.h"
#include "reports/views/ReportsViewContext.h"

#include <array>
#include <memory>

class CZevListCtrl;
class QLabel;

// Screen 10: the current account's sales against quota for six periods and
// its top hundred items. Only reads.
class CSalesDataView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::SalesData;
    static constexpr int kTitle = 21;
    static constexpr int kListNumber = 11; // "SalesData"
    static constexpr int kMargin = 5;

    CSalesDataView(zev::IScreenHost& host, zev::ReportsViewContext context, QWidget* parent = nullptr);
    ~CSalesDataView() override;

    void OnHeaderClicked(int column);

    bool CanExport() const override;
    void Export() override;

    const zev::SalesDataModel& Model() const { return *m_model; }
    CZevListCtrl* List() const { return m_list; }
    // A label by its layout name ("LBL_AMOUNTMTD", "LBL_TOPTEN", ...).
    QLabel* Label(const QString& name) const;

protected:
    void OnInitialUpdate() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fill();
    void ShowRows();
    void FitListToWindow();

    zev::ReportsViewContext m_context;
    std::unique_ptr<zev::SalesDataModel> m_model;
    CZevListCtrl* m_list;
    QLabel* m_topTen;
    std::array<QLabel*, zev::SalesDataModel::kPeriods> m_amounts{};
    std::array<QLabel*, zev::SalesDataModel::kPeriods> m_quotas{};
    std::array<QLabel*, zev::SalesDataModel::kPeriods> m_percents{};
};

// The frame's factory for screen 10.
CZevBaseView* CreateSalesDataView(zev::IScreenHost& host, zev::ReportsViewContext context);
