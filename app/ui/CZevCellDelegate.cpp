#include "app/ui/CZevCellDelegate.h"

#include "app/ui/ZevAccessibility.h"

#include <QAbstractItemView>

CZevCellDelegate::CZevCellDelegate(QAbstractItemView* view) : QStyledItemDelegate(view), m_view(view) {}

QWidget* CZevCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    zev::ZevAccessibility::DescribeCellEditor(editor, m_view, index);
    return editor;
}
