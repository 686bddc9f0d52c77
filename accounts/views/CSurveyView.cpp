#include "accounts/views/CSurveyView.h"

#include "accounts/views/CSurveyDlg.h"
#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/ScreenHost.h"
#include "base/Clock.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CSurveyView::CSurveyView(zev::IScreenHost& host, zev::AccountsViewContext context, QWidget* parent)
    : CZevBaseView(host, "SurveyView", parent), m_context(std::move(context)), m_surveys(new CZevListCtrl(this)),
      m_done(new CZevListCtrl(this)), m_run(new QPushButton(tr("&Run..."), this))
{
}

CSurveyView::~CSurveyView() = default;

void CSurveyView::OnInitialUpdate()
{
    auto* surveyLabel = new QLabel(tr("&Available Surveys:"), this);
    surveyLabel->setBuddy(m_surveys);
    auto* doneLabel = new QLabel(tr("&Completed Surveys:"), this);
    doneLabel->setBuddy(m_done);
    m_surveys->Model()->SetColumns({tr("Name"), tr("Description")}, {0, 0});
    m_surveys->setColumnWidth(0, 160);
    m_surveys->horizontalHeader()->setStretchLastSection(true);
    m_done->Model()->SetColumns({tr("Account"), tr("Survey")}, {0, 0});
    m_done->setColumnWidth(0, 220);
    m_done->horizontalHeader()->setStretchLastSection(true);
    AddControl(kSurveyList, QStringLiteral("LST_Survey"), m_surveys);
    AddControl(kDoneList, QStringLiteral("LST_Done"), m_done);
    AddControl(1547, QStringLiteral("LBL_Survey"), surveyLabel);
    AddControl(1548, QStringLiteral("LBL_Done"), doneLabel);
    AddControl(kRun, QStringLiteral("BTN_RunSurvey"), m_run);

    auto* runRow = new QHBoxLayout;
    runRow->addWidget(m_run);
    runRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->addWidget(surveyLabel);
    layout->addWidget(m_surveys, 1);
    layout->addLayout(runRow);
    layout->addWidget(doneLabel);
    layout->addWidget(m_done, 1);
    LayOut();

    std::vector<QStringList> rows;
    std::vector<QVariant> keys;
    for (const zev::SurveyEntry& s : zev::SurveyList::Available(m_context.current.accountId >= 0)) {
        rows.push_back({QString::fromStdString(s.name), QString::fromStdString(s.description)});
        keys.emplace_back(s.surveyId);
    }
    m_surveys->Model()->SetRows(std::move(rows), std::move(keys));
    FillDone();

    m_run->setEnabled(false);
    connect(m_surveys->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_run->setEnabled(m_surveys->selectionModel()->hasSelection()); });
    connect(m_run, &QPushButton::clicked, this, &CSurveyView::OnRunSurvey);
    connect(m_surveys, &QAbstractItemView::activated, this, [this] { OnRunSurvey(); });
    Host().SetScreenTitle(kTitle);
    m_surveys->setFocus();
}

void CSurveyView::FillDone()
{
    std::vector<QStringList> rows;
    std::vector<QVariant> keys;
    for (const zev::DoneSurveyEntry& d : zev::SurveyList::Completed()) {
        rows.push_back({QString::fromStdString(d.accountName), QString::fromStdString(d.surveyName)});
        keys.emplace_back(d.doneId);
    }
    m_done->Model()->SetRows(std::move(rows), std::move(keys));
}

void CSurveyView::OnRunSurvey()
{
    const QModelIndexList selected = m_surveys->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const int surveyId = m_surveys->Model()->RowData(selected.first().row()).toInt();
    zev::SystemClock system;
    const zev::IClock& clock = m_context.clock ? *m_context.clock : static_cast<const zev::IClock&>(system);
    CSurveyDlg dialog(Host().Messages(), clock, this);
    if (!dialog.Open(surveyId, std::max(m_context.current.accountId, 0)))
        return;
    dialog.LayOut("SurveyDlg", Host().State().settingsFilePath);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Host().Messages().ShowText("Survey Complete", zev::ids::kCaptionAppTitle, zev::MbButtons::Ok,
                               zev::MbIcon::Information);
    FillDone();
}

CZevBaseView* CreateSurveyView(zev::IScreenHost& host, zev::AccountsViewContext context)
{
    return new CSurveyView(host, std::move(context));
}
