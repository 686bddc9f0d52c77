#include "app/ui/CZevListModel.h"

#include <QColor>

Qt::Alignment CZevListModel::AlignmentOf(int format)
{
    switch (format & 3) {
    case 1:
        return Qt::AlignRight | Qt::AlignVCenter;
    case 2:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

const QColor& CZevListModel::EvenRowColor()
{
    static const QColor color(245, 240, 220);
    return color;
}

CZevListModel::CZevListModel(QObject* parent) : QAbstractTableModel(parent) {}

void CZevListModel::SetColumns(const QStringList& headings, const std::vector<int>& formats)
{
    beginResetModel();
    m_headings = headings;
    m_formats = formats;
    m_formats.resize(static_cast<std::size_t>(headings.size()), 0);
    endResetModel();
}

void CZevListModel::Clear()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    m_rowData.clear();
    endResetModel();
}

int CZevListModel::AppendRow(const QStringList& cells, const QVariant& rowData)
{
    const int row = static_cast<int>(m_rows.size());
    beginInsertRows({}, row, row);
    m_rows.push_back(cells);
    m_rowData.push_back(rowData);
    endInsertRows();
    return row;
}

void CZevListModel::SetRows(std::vector<QStringList> rows, std::vector<QVariant> rowData)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_rowData = std::move(rowData);
    m_rowData.resize(m_rows.size());
    endResetModel();
}

void CZevListModel::RemoveRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    m_rowData.erase(m_rowData.begin() + row);
    endRemoveRows();
}

void CZevListModel::SetCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    QStringList& cells = m_rows[static_cast<std::size_t>(row)];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = text;
    const QModelIndex at = index(row, column);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

QString CZevListModel::Cell(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const QStringList& cells = m_rows[static_cast<std::size_t>(row)];
    return column >= 0 && column < cells.size() ? cells[column] : QString();
}

QVariant CZevListModel::RowData(int row) const
{
    return row >= 0 && row < rowCount() ? m_rowData[static_cast<std::size_t>(row)] : QVariant();
}

void CZevListModel::SetRowData(int row, const QVariant& value)
{
    if (row >= 0 && row < rowCount())
        m_rowData[static_cast<std::size_t>(row)] = value;
}

int CZevListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CZevListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant CZevListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (m_hook) {
        QVariant custom = m_hook(index.row(), index.column(), role);
        if (custom.isValid())
            return custom;
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return Cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return static_cast<int>(AlignmentOf(m_formats[static_cast<std::size_t>(index.column())]));
    case Qt::BackgroundRole:
        if (index.row() % 2 == 0)
            return EvenRowColor();
        return {};
    default:
        return {};
    }
}

QVariant CZevListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return m_headings[section];
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(AlignmentOf(m_formats[static_cast<std::size_t>(section)]));
    return {};
}
