#include "accounts/views/CCheckListCtrl.h"

#include "app/core/ZevConfig.h"

#include <QKeyEvent>

CCheckListCtrl::CCheckListCtrl(QWidget* parent) : CZevListCtrl(parent)
{
    Model()->SetCellHook([this](int row, int column, int role) -> QVariant {
        if (column == 0 && role == Qt::CheckStateRole && row >= 0 && row < static_cast<int>(m_checks.size()))
            return m_checks[static_cast<std::size_t>(row)] ? Qt::Checked : Qt::Unchecked;
        return {};
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == 0)
            SetChecked(index.row(), !IsChecked(index.row()));
    });
}

void CCheckListCtrl::SetupOr(int number, const zev::ZevConfig& config, zev::Profile* profile,
                             const QStringList& fallback)
{
    if (Setup(number, config, profile))
        return;
    zev::ListDefinition list;
    list.number = number;
    for (const QString& heading : fallback) {
        list.headings.push_back(heading.toStdString());
        list.widths.push_back(90);
        list.formats.push_back(0);
        list.order.push_back(static_cast<std::uint8_t>(list.headings.size()));
    }
    Setup(list, nullptr);
}

void CCheckListCtrl::SetRows(std::vector<QStringList> rows, std::vector<bool> checked)
{
    checked.resize(rows.size(), false);
    m_checks = std::move(checked);
    Model()->SetRows(std::move(rows));
}

bool CCheckListCtrl::IsChecked(int row) const
{
    return row >= 0 && row < static_cast<int>(m_checks.size()) && m_checks[static_cast<std::size_t>(row)];
}

void CCheckListCtrl::SetChecked(int row, bool checked)
{
    if (row < 0 || row >= static_cast<int>(m_checks.size()) || m_checks[static_cast<std::size_t>(row)] == checked)
        return;
    m_checks[static_cast<std::size_t>(row)] = checked;
    const QModelIndex cell = Model()->index(row, 0);
    emit Model()->dataChanged(cell, cell, {Qt::CheckStateRole});
    emit CheckChanged(row, checked);
}

void CCheckListCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && CurrentRow() >= 0) {
        SetChecked(CurrentRow(), !IsChecked(CurrentRow()));
        return;
    }
    CZevListCtrl::keyPressEvent(event);
}
