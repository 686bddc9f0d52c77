#include "products/views/CProductTable.h"

#include "app/ui/CZevListModel.h"

#include <QHeaderView>

namespace zev {

CProductTable::CProductTable(const char* name, const QString& accessibleName, const std::vector<Column>& columns,
                             QWidget* parent)
    : QTableView(parent), m_model(new CZevListModel(this))
{
    setObjectName(QString::fromLatin1(name));
    setAccessibleName(accessibleName);
    QStringList headings;
    std::vector<int> formats;
    for (const Column& c : columns) {
        headings << c.caption;
        formats.push_back(c.format);
    }
    m_model->SetColumns(headings, formats);
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    for (std::size_t i = 0; i < columns.size(); ++i)
        setColumnWidth(static_cast<int>(i), columns[i].width);
    horizontalHeader()->setStretchLastSection(true);
}

int CProductTable::CurrentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() && selectionModel()->isRowSelected(index.row(), {}) ? index.row() : -1;
}

void CProductTable::SelectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(m_model->index(row, 0));
}

} // namespace zev
