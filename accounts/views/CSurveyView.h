#pragma once

#include "accounts/SurveyList.h"
#include "accounts/views/AccountsViewContext.h"
#include "app/ui/CZevBaseView.h"

#include <vector>

class CZevListCtrl;
class QLabel;
class QPushButton;

// The surveys the representative may take (for the current account, when one
// is chosen) and those already taken; "Run..." takes the selected one.
class CSurveyView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr zev::Screen kScreen = zev::Screen::Survey;
    static constexpr int kTitle = 46;
    static constexpr int kSurveyList = 1545;
    static constexpr int kDoneList = 1546;
    static constexpr int kRun = 1555;

    CSurveyView(zev::IScreenHost& host, zev::AccountsViewContext context, QWidget* parent = nullptr);
    ~CSurveyView() override;

    void OnRunSurvey();

    CZevListCtrl* Surveys() const { return m_surveys; }
    CZevListCtrl* Done() const { return m_done; }
    QPushButton* RunButton() const { return m_run; }

protected:
    void OnInitialUpdate() override;

private:
    void FillDone();

    zev::AccountsViewContext m_context;
    CZevListCtrl* m_surveys;
    CZevListCtrl* m_done;
    QPushButton* m_run;
};

CZevBaseView* CreateSurveyView(zev::IScreenHost& host, zev::AccountsViewContext context);
