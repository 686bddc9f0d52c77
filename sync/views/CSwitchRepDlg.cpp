#include "sync/views/CSwitchRepDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

CSwitchRepDlg::CSwitchRepDlg(std::vector<Rep> reps, const std::string& settingsPath, QWidget* parent)
    : CZevDialog(parent), m_reps(std::move(reps)), m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("Switch Representative"));
    m_list->setRootIsDecorated(false);
    m_list->setAccessibleName(tr("Representatives"));
    m_list->setHeaderLabels({tr("Rep ID"), tr("Name")});
    m_list->header()->resizeSection(0, 55);
    m_list->header()->resizeSection(1, 150);
    m_list->setAllColumnsShowFocus(true);
    for (std::size_t i = 0; i < m_reps.size(); ++i) {
        auto* item =
            new QTreeWidgetItem(m_list, {QString::fromStdString(m_reps[i].id), QString::fromStdString(m_reps[i].name)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(300, 320);
    AddControl(1000, QStringLiteral("LST_REPS"), m_list);
    LayOut("SwitchReps", settingsPath);
}

const CSwitchRepDlg::Rep* CSwitchRepDlg::Chosen() const
{
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item)
        return nullptr;
    const int index = item->data(0, Qt::UserRole).toInt();
    return index >= 0 && static_cast<std::size_t>(index) < m_reps.size() ? &m_reps[static_cast<std::size_t>(index)]
                                                                         : nullptr;
}
