#include "accounts/views/CCustomPosDlg.h"

#include "accounts/SurveyList.h"
#include "accounts/views/CSurveyDlg.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/ui/CZevListCtrl.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CCustomPosDlg::CCustomPosDlg(int accountId, zev::IMessageBox& messages, const zev::IClock& clock, QWidget* parent)
    : CZevDialog(parent), m_accountId(accountId), m_messages(messages), m_clock(clock), m_items(new CZevListCtrl(this)),
      m_built(new CZevListCtrl(this)), m_build(new QPushButton(tr("&Build"), this)),
      m_modify(new QPushButton(tr("&Modify"), this)), m_remove(new QPushButton(tr("&Remove"), this))
{
    setWindowTitle(tr("Custom POS Builder"));
    auto* itemsLabel = new QLabel(tr("&Custom items:"), this);
    itemsLabel->setBuddy(m_items);
    auto* builtLabel = new QLabel(tr("Custom items &already built:"), this);
    builtLabel->setBuddy(m_built);
    m_items->Model()->SetColumns({tr("ID"), tr("Name")}, {1, 0});
    m_items->setColumnWidth(0, 70);
    m_items->horizontalHeader()->setStretchLastSection(true);
    m_built->Model()->SetColumns({tr("Name")}, {0});
    m_built->horizontalHeader()->setStretchLastSection(true);
    auto* done = new QPushButton(tr("&Done"), this);
    AddControl(QStringLiteral("LST_ITEMS"), m_items);
    AddControl(QStringLiteral("LST_BUILT"), m_built);
    AddControl(QStringLiteral("BTN_BUILD"), m_build);
    AddControl(QStringLiteral("BTN_MODIFY"), m_modify);
    AddControl(QStringLiteral("BTN_REMOVE"), m_remove);
    AddControl(1, QStringLiteral("BTN_DONE"), done);

    auto* grid = new QGridLayout(this);
    grid->addWidget(itemsLabel, 0, 0);
    grid->addWidget(m_items, 1, 0);
    grid->addWidget(m_build, 1, 1, Qt::AlignTop);
    grid->addWidget(builtLabel, 2, 0);
    grid->addWidget(m_built, 3, 0);
    auto* builtButtons = new QVBoxLayout;
    builtButtons->addWidget(m_modify);
    builtButtons->addWidget(m_remove);
    builtButtons->addStretch();
    builtButtons->addWidget(done);
    grid->addLayout(builtButtons, 3, 1);
    resize(520, 420);

    std::vector<QStringList> rows;
    std::vector<QVariant> keys;
    for (const zev::SurveyEntry& item : zev::SurveyList::CustomItems()) {
        rows.push_back({QString::number(item.surveyId), QString::fromStdString(item.name)});
        keys.emplace_back(item.surveyId);
    }
    m_items->Model()->SetRows(std::move(rows), std::move(keys));
    FillBuilt();

    connect(m_build, &QPushButton::clicked, this, &CCustomPosDlg::OnBuild);
    connect(m_modify, &QPushButton::clicked, this, &CCustomPosDlg::OnModify);
    connect(m_remove, &QPushButton::clicked, this, &CCustomPosDlg::OnRemove);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_items->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateButtons(); });
    connect(m_built->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();
}

int CCustomPosDlg::Selected(CZevListCtrl* list) const
{
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : list->Model()->RowData(rows.first().row()).toInt();
}

void CCustomPosDlg::UpdateButtons()
{
    m_build->setEnabled(Selected(m_items) >= 0);
    m_modify->setEnabled(Selected(m_built) >= 0);
    m_remove->setEnabled(Selected(m_built) >= 0);
}

void CCustomPosDlg::FillBuilt()
{
    std::vector<QStringList> rows;
    std::vector<QVariant> keys;
    for (const zev::DoneSurveyEntry& built : zev::SurveyList::BuiltItems(m_accountId)) {
        rows.push_back({QString::fromStdString(built.surveyName)});
        keys.emplace_back(QVariantList{built.doneId, built.surveyId});
    }
    m_built->Model()->SetRows(std::move(rows), std::move(keys));
    UpdateButtons();
}

void CCustomPosDlg::OnBuild()
{
    const int surveyId = Selected(m_items);
    if (surveyId < 0)
        return;
    CSurveyDlg dialog(m_messages, m_clock, this);
    if (!dialog.Open(surveyId, m_accountId) || dialog.exec() != QDialog::Accepted)
        return;
    m_messages.ShowText("Build Complete", zev::ids::kCaptionAppTitle, zev::MbButtons::Ok, zev::MbIcon::Information);
    FillBuilt();
}

void CCustomPosDlg::OnModify()
{
    const QModelIndexList rows = m_built->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const QVariantList key = m_built->Model()->RowData(rows.first().row()).toList();
    CSurveyDlg dialog(m_messages, m_clock, this);
    if (key.size() == 2 && dialog.Open(key[1].toInt(), m_accountId, key[0].toInt()) &&
        dialog.exec() == QDialog::Accepted)
        FillBuilt();
}

void CCustomPosDlg::OnRemove()
{
    const QModelIndexList rows = m_built->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const QVariantList key = m_built->Model()->RowData(rows.first().row()).toList();
    if (!key.isEmpty() && zev::SurveyList::Remove(key[0].toInt()))
        FillBuilt();
}
