#pragma once

#include "app/ui/CZevBaseView.h"
#include "reports/ReportModel.h"
#include "reports/views/ReportsViewContext.h"

#include <memory>

class CZevListCtrl;
class QComboBox;
class QPrinter;
class QPushButton;

// Screen 22: runs the tabular reports of Report.ini. The report logic
// decides; this class shows the names, the parameter box and the rows and
// passes the user's actions on.
class CReportView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::Reports;
    static constexpr int kMargin = 7;

    // Control ids.
    static constexpr int kReports = 1001;
    static constexpr int kData = 1002;
    static constexpr int kExecute = 1003;
    static constexpr int kList = 1004;
    static constexpr int kPrint = 1005;

    CReportView(zev::IScreenHost& host, zev::ReportsViewContext context, QWidget* parent = nullptr);
    ~CReportView() override;

    // Commands (public so tests drive them as the user would).
    void OnReportChosen(int index);
    void OnExecute();
    void OnHeaderClicked(int column);
    void OnRowDoubleClicked(int row);
    void OnDataTyped(const QString& text);
    void OnPrint();
    // Prints the rows shown on a printer the caller set up.
    bool PrintReport(QPrinter& printer);

    bool CanExport() const override;
    void Export() override;

    zev::ReportModel& Model() { return *m_model; }
    QComboBox* ReportBox() const { return m_reports; }
    QComboBox* DataBox() const { return m_data; }
    QPushButton* ExecuteButton() const { return m_execute; }
    QPushButton* PrintButton() const { return m_print; }
    CZevListCtrl* List() const { return m_list; }

protected:
    void OnInitialUpdate() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowDefinition();
    void ShowRows();
    void FitToWindow();

    zev::ReportsViewContext m_context;
    std::unique_ptr<zev::ReportModel> m_model;
    QComboBox* m_reports;
    QComboBox* m_data;
    QPushButton* m_execute;
    QPushButton* m_print;
    CZevListCtrl* m_list;
    bool m_filling = false;
};

// The frame's factory for screen 22.
CZevBaseView* CreateReportView(zev::IScreenHost& host, zev::ReportsViewContext context);
