#pragma once

#include "products/CategoryTree.h"

#include <QWidget>

#include <functional>
#include <memory>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zev {

class IMessageBox;
class Items;

// The category page of the "Products" window: the category tree, each level
// read when expanded; "List" (or a double click on a category without
// sub-categories) lists its items and hands them to `onResult`.
class CProductBrowsePage : public QWidget {
public:
    explicit CProductBrowsePage(IMessageBox& messages, QWidget* parent = nullptr);

    std::function<void(std::shared_ptr<Items>)> onResult;

    // Lists the selected category; true when a result was handed on.
    bool ListSelected();

private:
    void AddChildren(QTreeWidgetItem* parent, const std::vector<std::unique_ptr<CategoryNode>>& nodes);
    CategoryNode* NodeOf(QTreeWidgetItem* item);

    IMessageBox& m_messages;
    CategoryTree m_tree;
    QTreeWidget* m_view = nullptr;
    QPushButton* m_list = nullptr;
};

} // namespace zev
