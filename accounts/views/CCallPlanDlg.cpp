#include "accounts/views/CCallPlanDlg.h"

#include "app/ui/WaitCursor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kFirstDayId = 1029;
constexpr int kIdRole = Qt::UserRole + 1;
} // namespace

CCallPlanDlg::CCallPlanDlg(int dayIndex, QWidget* parent)
    : CZevDialog(parent), m_model(dayIndex < 0 || dayIndex > 6 ? 0 : dayIndex), m_days{},
      m_scheduled(new QListWidget(this)), m_others(new QTreeWidget(this))
{
    setWindowTitle(tr("Call Plan"));
    setMinimumSize(632, 375);
    setSizeGripEnabled(true);

    static const char* const kDayNames[7] = {"&Sunday",   "&Monday", "&Tuesday", "&Wednesday",
                                             "&Thursday", "&Friday", "&Saturday"};
    auto* dayBox = new QGroupBox(this);
    auto* dayRow = new QHBoxLayout(dayBox);
    for (int d = 0; d < 7; ++d) {
        m_days[d] = new QRadioButton(tr(kDayNames[d]), dayBox);
        dayRow->addWidget(m_days[d]);
        AddControl(kFirstDayId + d, QStringLiteral("BTN_DAY%1").arg(d), m_days[d]);
        connect(m_days[d], &QRadioButton::clicked, this, [this, d] { ChooseDay(d); });
    }

    m_scheduled->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_others->setColumnCount(5);
    m_others->setHeaderLabels({tr("Account"), tr("City"), tr("State"), tr("Zip"), tr("Account #")});
    const int widths[5] = {130, 70, 40, 40, 60};
    for (int c = 0; c < 5; ++c)
        m_others->setColumnWidth(c, widths[c]);
    m_others->headerItem()->setTextAlignment(2, Qt::AlignCenter);
    m_others->headerItem()->setTextAlignment(3, Qt::AlignCenter);
    m_others->setRootIsDecorated(false);
    m_others->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_others->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_others->setSortingEnabled(true);
    m_others->sortByColumn(0, Qt::AscendingOrder);

    auto* add = new QPushButton(tr("<< &Add"), this);
    auto* remove = new QPushButton(tr("&Remove >>"), this);
    auto* removeAll = new QPushButton(tr("Remove All >>"), this);
    auto* clearWeek = new QPushButton(tr("&Clear Week"), this);
    auto* done = new QPushButton(tr("Done"), this);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add);
    middle->addWidget(remove);
    middle->addWidget(removeAll);
    middle->addSpacing(16);
    middle->addWidget(clearWeek);
    middle->addStretch();
    middle->addWidget(done);

    auto* scheduledLabel = new QLabel(tr("Accounts to call"), this);
    auto* othersLabel = new QLabel(tr("All Accounts"), this);
    auto* grid = new QGridLayout;
    grid->addWidget(scheduledLabel, 0, 0);
    grid->addWidget(othersLabel, 0, 2);
    grid->addWidget(m_scheduled, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_others, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dayBox);
    layout->addLayout(grid, 1);
    resize(720, 440);

    AddControl(1218, QStringLiteral("LST_SCHEDULED"), m_scheduled);
    AddControl(1221, QStringLiteral("LST_ACCOUNTS"), m_others);
    AddControl(1290, QStringLiteral("BTN_ADD"), add);
    AddControl(1219, QStringLiteral("BTN_REMOVE"), remove);
    AddControl(1226, QStringLiteral("BTN_REMOVEALL"), removeAll);
    AddControl(1224, QStringLiteral("BTN_CLEARWEEK"), clearWeek);
    AddControl(1, QStringLiteral("BTN_DONE"), done);

    connect(add, &QPushButton::clicked, this, &CCallPlanDlg::OnAdd);
    connect(remove, &QPushButton::clicked, this, &CCallPlanDlg::OnRemove);
    connect(removeAll, &QPushButton::clicked, this, &CCallPlanDlg::OnRemoveAll);
    connect(clearWeek, &QPushButton::clicked, this, &CCallPlanDlg::OnClearWeek);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_others, &QTreeWidget::itemDoubleClicked, this, [this] { OnAdd(); });
    connect(m_scheduled, &QListWidget::itemDoubleClicked, this, [this] { OnRemove(); });

    ChooseDay(m_model.DayIndex());
}

void CCallPlanDlg::ChooseDay(int dayIndex)
{
    if (dayIndex < 0 || dayIndex > 6)
        return;
    m_days[dayIndex]->setChecked(true);
    zev::WaitCursor wait;
    m_model.SetDay(dayIndex);
    FillLists();
}

void CCallPlanDlg::FillLists()
{
    m_scheduled->clear();
    for (const auto& row : m_model.Scheduled()) {
        auto* item = new QListWidgetItem(QString::fromStdString(row.ScheduledText()), m_scheduled);
        item->setData(kIdRole, row.accountId);
    }
    m_others->setSortingEnabled(false);
    m_others->clear();
    QList<QTreeWidgetItem*> items;
    for (const auto& row : m_model.Others()) {
        auto* item = new QTreeWidgetItem(
            QStringList{QString::fromStdString(row.company), QString::fromStdString(row.city),
                        QString::fromStdString(row.state), QString::fromStdString(row.zip),
                        QString::fromStdString(row.accountNumber)});
        item->setTextAlignment(2, Qt::AlignCenter);
        item->setTextAlignment(3, Qt::AlignCenter);
        item->setData(0, kIdRole, row.accountId);
        items.push_back(item);
    }
    m_others->addTopLevelItems(items);
    m_others->setSortingEnabled(true);
}

std::vector<int> CCallPlanDlg::SelectedScheduled() const
{
    std::vector<int> ids;
    for (const QListWidgetItem* item : m_scheduled->selectedItems())
        ids.push_back(item->data(kIdRole).toInt());
    return ids;
}

std::vector<int> CCallPlanDlg::SelectedOthers() const
{
    std::vector<int> ids;
    for (const QTreeWidgetItem* item : m_others->selectedItems())
        ids.push_back(item->data(0, kIdRole).toInt());
    return ids;
}

void CCallPlanDlg::OnAdd()
{
    const std::vector<int> ids = SelectedOthers();
    if (ids.empty())
        return;
    zev::WaitCursor wait;
    m_model.Add(ids);
    FillLists();
}

void CCallPlanDlg::OnRemove()
{
    const std::vector<int> ids = SelectedScheduled();
    if (ids.empty())
        return;
    zev::WaitCursor wait;
    m_model.Remove(ids);
    FillLists();
}

void CCallPlanDlg::OnRemoveAll()
{
    zev::WaitCursor wait;
    m_model.RemoveAll();
    FillLists();
}

void CCallPlanDlg::OnClearWeek()
{
    zev::WaitCursor wait;
    m_model.ClearWeek();
    FillLists();
}
