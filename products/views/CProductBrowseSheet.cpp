#include "products/views/CProductBrowseSheet.h"

#include "app/core/ZevConfig.h"
#include "products/ProductWindowPages.h"
#include "products/views/CProductBrowsePage.h"
#include "products/views/CProductSearchPage.h"
#include "tables/Items.h"

#include <QHeaderView>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zev {

namespace {

// Columns of the Items table at the start of every result row.
constexpr int kColSku = 6;
constexpr int kColDescription = 1;
constexpr int kColVolume = 7;
constexpr int kColOnHand = 12;
constexpr int kColRating = 20;

QTableWidgetItem* Cell(const QString& text) { return new QTableWidgetItem(text); }

QTableWidgetItem* NumberCell(int value) {
    auto* cell = new QTableWidgetItem;
    cell->setData(Qt::DisplayRole, value);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return cell;
}

} // namespace

int CProductBrowseSheet::BrowseStart(const ZevConfig& config) { return ProductWindowPages::BrowseStart(config.Byte(22)); }

CProductBrowseSheet::CProductBrowseSheet(const ZevConfig& config, IMessageBox& messages,
                                         std::function<std::optional<int>()> catalog, int startPage, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Products"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("ProductPages");
    layout->addWidget(m_tabs);
    auto handOn = [this](std::shared_ptr<Items> items) { ShowResult(std::move(items)); };
    for (auto page : ProductWindowPages::Pages(config.Byte(22), config.Byte(19))) {
        switch (page) {
        case ProductWindowPages::Page::Search: {
            ProductSearchSwitches switches;
            switches.unitPriceOnly = config.IsOn(31);
            switches.divisionsHidden = config.IsOn(180);
            switches.ratingsShown = config.IsOn(181);
            switches.sortColumn = config.Byte(17703);
            auto* search = new CProductSearchPage(switches, messages, catalog, m_tabs);
            search->onResult = handOn;
            m_tabs->addTab(search, tr("&Search"));
            break;
        }
        case ProductWindowPages::Page::Categories: {
            auto* browse = new CProductBrowsePage(messages, m_tabs);
            browse->onResult = handOn;
            m_tabs->addTab(browse, tr("&Categories"));
            break;
        }
        case ProductWindowPages::Page::ProductList:
            m_list = new QTableWidget(0, 5, m_tabs);
            m_list->setObjectName("LST_Products");
            m_list->setAccessibleName(tr("Products found"));
            m_list->setHorizontalHeaderLabels({tr("Number"), tr("Description"), tr("Size"), tr("Stock"), tr("Rating")});
            m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
            m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
            m_list->horizontalHeader()->setStretchLastSection(true);
            m_tabs->addTab(m_list, tr("&Products"));
            break;
        }
    }
    if (startPage >= 0 && startPage < m_tabs->count())
        m_tabs->setCurrentIndex(startPage);
}

CProductBrowseSheet::~CProductBrowseSheet() = default;

void CProductBrowseSheet::ShowResult(std::shared_ptr<Items> items) {
    m_result = std::move(items);
    m_list->setSortingEnabled(false);
    m_list->setRowCount(0);
    for (m_result->MoveFirst(); !m_result->IsEOF(); m_result->MoveNext()) {
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        auto* sku = Cell(QString::fromStdString(m_result->GetFieldValueString(kColSku)));
        sku->setData(Qt::UserRole, m_result->GetFieldValueInt(0));
        m_list->setItem(row, 0, sku);
        m_list->setItem(row, 1, Cell(QString::fromStdString(m_result->GetFieldValueString(kColDescription))));
        m_list->setItem(row, 2, Cell(QString::fromStdString(m_result->GetFieldValueString(kColVolume))));
        m_list->setItem(row, 3, NumberCell(m_result->GetFieldValueInt(kColOnHand)));
        m_list->setItem(row, 4, NumberCell(m_result->GetFieldValueInt(kColRating)));
    }
    m_list->setSortingEnabled(true);
    m_tabs->setCurrentWidget(m_list);
}

} // namespace zev
