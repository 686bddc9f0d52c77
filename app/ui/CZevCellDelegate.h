#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;

// The editor a list opens in a cell says what it edits: its name is the
// column's heading and its description the row ("Answer, row 2 of 9: ...").
class CZevCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CZevCellDelegate(QAbstractItemView* view);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QAbstractItemView* m_view;
};
