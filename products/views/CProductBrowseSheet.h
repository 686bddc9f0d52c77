#pragma once

#include "products/ProductPriceWorker.h"
#include "products/views/ProductsViewContext.h"

#include <QDialog>

#include <map>
#include <memory>

class QPushButton;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;

namespace zev {

class IMessageBox;
class Items;
class ZevConfig;

// The "Products" window: the search page and the category page (each when
// the distributor's settings have it) and the product list page that shows
// the result either produces. The list's case prices are filled in the
// background; the list adds the chosen item to the current account's guide
// and opens its details.
class CProductBrowseSheet : public QDialog {
public:
    // Product > Search starts at 0; Browse at the page after the search page.
    static int BrowseStart(const ZevConfig& config);

    CProductBrowseSheet(const ZevConfig& config, IMessageBox& messages, ProductsViewContext context, int startPage,
                        QWidget* parent = nullptr);
    ~CProductBrowseSheet() override;

    // The current product result (none until a page produced one).
    std::shared_ptr<Items> Result() const { return m_result; }
    QTabWidget* Pages() const { return m_tabs; }
    QTableWidget* List() const { return m_list; }

    // How many items this window added to the guide.
    int AddedCount() const { return m_added; }
    // The item of the selected row, -1 when none.
    int CurrentItem() const;
    void OnAddToGuide();
    void OnDetails();

private:
    void ShowResult(std::shared_ptr<Items> items);
    void ApplyPrices(const std::vector<ProductPriceWorker::Price>& prices);
    void UpdateButtons();

    IMessageBox& m_messages;
    ProductsViewContext m_ctx;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_listPage = nullptr;
    QTableWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_details = nullptr;
    std::shared_ptr<Items> m_result;
    int m_added = 0;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    // The price cell of each listed item; cells move with sorting, not die.
    std::map<int, QTableWidgetItem*> m_priceCells;
    ProductPriceWorker m_prices;
};

} // namespace zev
