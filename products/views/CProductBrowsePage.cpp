#include "products/views/CProductBrowsePage.h"

#include "app/core/MessageBox.h"
#include "tables/Items.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zev {

CProductBrowsePage::CProductBrowsePage(IMessageBox& messages, QWidget* parent) : QWidget(parent), m_messages(messages)
{
    auto* layout = new QVBoxLayout(this);
    m_view = new QTreeWidget(this);
    m_view->setObjectName("LST_CATEGORYTREE");
    m_view->setAccessibleName(tr("Categories"));
    m_view->setHeaderHidden(true);
    m_list = new QPushButton(tr("&List"), this);
    m_list->setObjectName("BTN_LIST");
    m_list->setAccessibleName(tr("List items"));
    layout->addWidget(m_view);
    layout->addWidget(m_list);

    m_tree.LoadTopLevel();
    AddChildren(nullptr, m_tree.Roots());
    m_list->setEnabled(false);

    connect(m_view, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        CategoryNode* node = NodeOf(item);
        if (!node || node->childrenLoaded)
            return;
        m_tree.LoadChildren(*node);
        AddChildren(item, node->children);
        if (node->children.empty())
            item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
        m_view->scrollToItem(item, QAbstractItemView::PositionAtTop);
    });
    connect(m_view, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        CategoryNode* node = NodeOf(item);
        m_list->setEnabled(node && CategoryTree::CanList(*node));
    });
    connect(m_view, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        CategoryNode* node = NodeOf(item);
        if (node && CategoryTree::CanList(*node))
            ListSelected();
    });
    connect(m_list, &QPushButton::clicked, this, [this] { ListSelected(); });
    if (m_view->topLevelItemCount() > 0)
        m_view->topLevelItem(0)->setExpanded(true);
}

void CProductBrowsePage::AddChildren(QTreeWidgetItem* parent, const std::vector<std::unique_ptr<CategoryNode>>& nodes)
{
    for (const auto& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_view);
        item->setText(0, QString::fromStdString(node->name));
        item->setData(0, Qt::UserRole, node->categoryId);
        item->setChildIndicatorPolicy(node->hasChildren ? QTreeWidgetItem::ShowIndicator
                                                        : QTreeWidgetItem::DontShowIndicator);
    }
}

CategoryNode* CProductBrowsePage::NodeOf(QTreeWidgetItem* item)
{
    return item ? m_tree.Find(item->data(0, Qt::UserRole).toInt()) : nullptr;
}

bool CProductBrowsePage::ListSelected()
{
    CategoryNode* node = NodeOf(m_view->currentItem());
    if (!node || !CategoryTree::CanList(*node))
        return false;
    auto items = std::make_shared<Items>();
    if (!CategoryTree::ListCategory(*items, node->categoryId)) {
        m_messages.Show(65037, zev::Caption::Warning, MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    if (onResult)
        onResult(std::move(items));
    return true;
}

} // namespace zev
