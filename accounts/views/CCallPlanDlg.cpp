#include "accounts/views/CCallPlanDlg.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/ui/WaitCursor.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kFirstDayId = 1029;
constexpr int kIdRole = Qt::UserRole + 1;
} // namespace

CCallPlanDlg::CCallPlanDlg(int dayIndex, zev::IMessageBox& messages, QWidget* parent)
    : CZevDialog(parent), m_model(dayIndex < 0 || dayIndex > 6 ? 0 : dayIndex), m_messages(messages), m_days{},
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
    auto* clearWeek = new QPushButton(tr("Clear &Week"), this);
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

    auto* scheduledLabel = new QLabel(tr("Accounts to &call"), this);
    scheduledLabel->setBuddy(m_scheduled);
    auto* othersLabel = new QLabel(tr("All Acc&ounts"), this);
    othersLabel->setBuddy(m_others);
    auto* grid = new QGridLayout;
    grid->addWidget(scheduledLabel, 0, 0);
    grid->addWidget(othersLabel, 0, 2);
    grid->addWidget(m_scheduled, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(m_others, 1, 2);
    // All Accounts has five columns to show, the other list one.
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 3);

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
    FitColumns();
}

// Every column of All Accounts shows its values whole at the opening size:
// the short columns fit the widest value of any account (on any day either
// list may hold it), Account takes the rest, and the dialog opens wide enough
// (within the screen) for that.
void CCallPlanDlg::FitColumns()
{
    QHeaderView* header = m_others->header();
    header->setStretchLastSection(false);
    const QFontMetrics metrics(m_others->font());
    const int padding = 2 * m_others->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_others) + 14;
    int fixed = 0;
    for (int c = 1; c < m_others->columnCount(); ++c) {
        int width = header->sectionSizeHint(c);
        for (const auto* rows : {&m_model.Scheduled(), &m_model.Others()})
            for (const zev::CallPlanModel::Row& row : *rows) {
                const std::string& text = c == 1 ? row.city : c == 2 ? row.state : c == 3 ? row.zip : row.accountNumber;
                width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(text)) + padding);
            }
        header->resizeSection(c, width);
        header->setSectionResizeMode(c, QHeaderView::Interactive);
        fixed += width;
    }
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    // Accounts to call shows "Company (City, ST) Number" whole, up to a limit.
    int scheduledText = 0;
    for (const auto* rows : {&m_model.Scheduled(), &m_model.Others()})
        for (const zev::CallPlanModel::Row& row : *rows)
            scheduledText = std::max(scheduledText,
                                     metrics.horizontalAdvance(QString::fromStdString(row.ScheduledText())) + padding);
    constexpr int kScheduledLimit = 320;
    m_scheduled->setMinimumWidth(std::min(scheduledText, kScheduledLimit) + 2 * m_scheduled->frameWidth() +
                                 m_scheduled->verticalScrollBar()->sizeHint().width());
    constexpr int kAccountColumn = 180;
    const int frame = 2 * m_others->frameWidth() + m_others->verticalScrollBar()->sizeHint().width() + 2;
    m_others->setMinimumWidth(fixed + kAccountColumn + frame);
    layout()->activate();
    QSize opening = size().expandedTo(minimumSizeHint()).expandedTo(minimumSize());
    if (const QScreen* screen = this->screen())
        opening = opening.boundedTo(screen->availableGeometry().size());
    setMinimumWidth(std::min(opening.width(), std::max(minimumWidth(), minimumSizeHint().width())));
    resize(opening);
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
        auto* item = new QTreeWidgetItem(QStringList{
            QString::fromStdString(row.company), QString::fromStdString(row.city), QString::fromStdString(row.state),
            QString::fromStdString(row.zip), QString::fromStdString(row.accountNumber)});
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

bool CCallPlanDlg::OnClearWeek()
{
    if (m_messages.AskText("This removes every account from the call plan of every day of the week.\n\nDo you "
                           "wish to clear the whole week?",
                           zev::ids::kCaptionQuestion, zev::MbButtons::YesNo, zev::MbIcon::Question,
                           zev::MbResult::No) != zev::MbResult::Yes)
        return false;
    zev::WaitCursor wait;
    m_model.ClearWeek();
    FillLists();
    return true;
}
