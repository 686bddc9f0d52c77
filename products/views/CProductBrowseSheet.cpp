#include "products/views/CProductBrowseSheet.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "products/ProductOrdering.h"
#include "products/ProductWindowPages.h"
#include "products/views/CProductBrowsePage.h"
#include "products/views/CProductSearchPage.h"
#include "tables/Items.h"

#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
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

// List columns.
enum { kNumber, kDescription, kSize, kCasePrice, kStock, kRating, kColumns };

QTableWidgetItem* Cell(const QString& text) { return new QTableWidgetItem(text); }

QTableWidgetItem* NumberCell(int value)
{
    auto* cell = new QTableWidgetItem;
    cell->setData(Qt::DisplayRole, value);
    cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return cell;
}

// Shows "%.2f" but sorts by the amount; unpriced rows sort first.
class PriceCell final : public QTableWidgetItem {
public:
    PriceCell() { setTextAlignment(Qt::AlignRight | Qt::AlignVCenter); }
    bool operator<(const QTableWidgetItem& other) const override
    {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

} // namespace

int CProductBrowseSheet::BrowseStart(const ZevConfig& config)
{
    return ProductWindowPages::BrowseStart(config.Byte(cfg::kProductSearch));
}

CProductBrowseSheet::CProductBrowseSheet(const ZevConfig& config, IMessageBox& messages, ProductsViewContext context,
                                         int startPage, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_ctx(std::move(context))
{
    setWindowTitle(tr("Products"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("ProductPages");
    m_tabs->setAccessibleName(windowTitle());
    layout->addWidget(m_tabs);
    auto handOn = [this](std::shared_ptr<Items> items) { ShowResult(std::move(items)); };
    const auto catalog = [ctx = m_ctx] { return ctx.AccountCatalog(); };
    for (auto page : ProductWindowPages::Pages(config.Byte(cfg::kProductSearch), config.Byte(cfg::kCategoryPage))) {
        switch (page) {
        case ProductWindowPages::Page::Search: {
            ProductSearchSwitches switches;
            switches.unitPriceOnly = config.IsOn(cfg::kQuantitiesInUnits);
            switches.divisionsHidden = config.IsOn(cfg::kDivisionsHidden);
            switches.ratingsShown = config.IsOn(cfg::kWineRatingsShown);
            switches.sortColumn = config.Byte(cfg::kProductSortColumn);
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
        case ProductWindowPages::Page::ProductList: {
            m_listPage = new QWidget(m_tabs);
            m_list = new QTableWidget(0, kColumns, m_listPage);
            m_list->setObjectName("LST_Products");
            m_list->setAccessibleName(tr("Products found"));
            m_list->setHorizontalHeaderLabels(
                {tr("Number"), tr("Description"), tr("Size"), tr("Case Price"), tr("Stock"), tr("Rating")});
            m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
            m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
            m_list->setSelectionMode(QAbstractItemView::SingleSelection);
            m_list->setTabKeyNavigation(false);
            m_list->verticalHeader()->hide();
            m_list->setColumnWidth(kDescription, 280);
            m_list->horizontalHeader()->setStretchLastSection(true);
            // A header click sorts; rows keep their order while prices arrive.
            m_list->horizontalHeader()->setSectionsClickable(true);
            m_list->horizontalHeader()->setSortIndicatorShown(true);
            m_list->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
            connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
                m_sortOrder = section == m_sortColumn && m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                                           : Qt::AscendingOrder;
                m_sortColumn = section;
                m_list->sortItems(section, m_sortOrder);
            });
            m_add = new QPushButton(tr("&Add to Order Guide"), m_listPage);
            m_add->setObjectName("BTN_ADDTOGUIDE");
            m_add->setAccessibleName(tr("Add to order guide"));
            m_details = new QPushButton(tr("&Details"), m_listPage);
            m_details->setObjectName("BTN_DETAILS");
            m_details->setAccessibleName(tr("Details"));
            auto* buttons = new QHBoxLayout;
            buttons->addWidget(m_add);
            buttons->addWidget(m_details);
            buttons->addStretch();
            auto* pageLayout = new QVBoxLayout(m_listPage);
            pageLayout->addWidget(m_list, 1);
            pageLayout->addLayout(buttons);
            connect(m_add, &QPushButton::clicked, this, &CProductBrowseSheet::OnAddToGuide);
            connect(m_details, &QPushButton::clicked, this, &CProductBrowseSheet::OnDetails);
            connect(m_list, &QTableWidget::itemSelectionChanged, this, &CProductBrowseSheet::UpdateButtons);
            connect(m_list, &QTableWidget::cellDoubleClicked, this, &CProductBrowseSheet::OnDetails);
            m_tabs->addTab(m_listPage, tr("&Products"));
            break;
        }
        }
    }
    UpdateButtons();
    // Enter runs the shown page's own command (Search, List, Add to Order
    // Guide): the button the page made default, else its first.
    QHash<QWidget*, QPointer<QPushButton>> defaults;
    for (int i = 0; i < m_tabs->count(); ++i) {
        QWidget* page = m_tabs->widget(i);
        const QList<QPushButton*> buttons = page->findChildren<QPushButton*>();
        QPushButton* chosen = buttons.isEmpty() ? nullptr : buttons.first();
        for (QPushButton* button : buttons)
            if (button->isDefault())
                chosen = button;
        defaults.insert(page, chosen);
    }
    auto pageDefault = [this, defaults](int index) {
        if (QPushButton* button = defaults.value(m_tabs->widget(index)))
            button->setDefault(true);
    };
    // Queued: a Return that searched, and so turned the page, must not go on
    // to press the next page's default (adding an item nobody chose).
    connect(m_tabs, &QTabWidget::currentChanged, this, pageDefault, Qt::QueuedConnection);
    if (startPage >= 0 && startPage < m_tabs->count())
        m_tabs->setCurrentIndex(startPage);
    pageDefault(m_tabs->currentIndex());
    resize(760, 520);
}

CProductBrowseSheet::~CProductBrowseSheet()
{
    // The worker's batches post to this window; it stops before the window goes.
    m_prices.Stop();
}

void CProductBrowseSheet::ShowResult(std::shared_ptr<Items> items)
{
    m_prices.Stop();
    m_result = std::move(items);
    m_priceCells.clear();
    m_list->setRowCount(0);
    // The result comes in the statement's order until the user sorts.
    m_sortColumn = -1;
    m_list->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    std::vector<int> ids;
    for (m_result->MoveFirst(); !m_result->IsEOF(); m_result->MoveNext()) {
        const int row = m_list->rowCount();
        const int id = m_result->GetFieldValueInt(0);
        m_list->insertRow(row);
        auto* sku = Cell(QString::fromStdString(m_result->GetFieldValueString(kColSku)));
        sku->setData(Qt::UserRole, id);
        m_list->setItem(row, kNumber, sku);
        m_list->setItem(row, kDescription,
                        Cell(QString::fromStdString(m_result->GetFieldValueString(kColDescription))));
        m_list->setItem(row, kSize, Cell(QString::fromStdString(m_result->GetFieldValueString(kColVolume))));
        auto* price = new PriceCell;
        m_list->setItem(row, kCasePrice, price);
        m_priceCells[id] = price;
        m_list->setItem(row, kStock, NumberCell(m_result->GetFieldValueInt(kColOnHand)));
        m_list->setItem(row, kRating, NumberCell(m_result->GetFieldValueInt(kColRating)));
        ids.push_back(id);
    }
    if (m_list->rowCount() > 0)
        m_list->selectRow(0);
    m_tabs->setCurrentWidget(m_listPage);
    m_list->setFocus();
    UpdateButtons();
    QPointer<CProductBrowseSheet> self(this);
    m_prices.Start(std::move(ids), m_ctx.Catalog(), m_ctx.price, [self](std::vector<ProductPriceWorker::Price> batch) {
        // Runs on the worker; the window applies the batch on its own thread.
        QMetaObject::invokeMethod(
            self.data(),
            [self, batch = std::move(batch)] {
                if (self)
                    self->ApplyPrices(batch);
            },
            Qt::QueuedConnection);
    });
}

void CProductBrowseSheet::ApplyPrices(const std::vector<ProductPriceWorker::Price>& prices)
{
    for (const auto& p : prices) {
        const auto it = m_priceCells.find(p.itemId);
        if (it == m_priceCells.end())
            continue;
        it->second->setData(Qt::UserRole, p.priced ? static_cast<double>(p.casePrice) : -1.0);
        it->second->setText(p.priced ? QString::asprintf("%.2f", p.casePrice) : QString());
    }
}

int CProductBrowseSheet::CurrentItem() const
{
    if (!m_list)
        return -1;
    const auto rows = m_list->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return -1;
    const QTableWidgetItem* cell = m_list->item(rows.first().row(), kNumber);
    return cell ? cell->data(Qt::UserRole).toInt() : -1;
}

void CProductBrowseSheet::UpdateButtons()
{
    if (!m_list)
        return;
    const bool any = CurrentItem() >= 0;
    m_add->setEnabled(any && m_ctx.HasAccount());
    m_details->setEnabled(any && static_cast<bool>(m_ctx.itemDetails));
}

void CProductBrowseSheet::OnAddToGuide()
{
    const int item = CurrentItem();
    if (item < 0)
        return;
    const auto rows = m_list->selectionModel()->selectedRows();
    const std::string description = m_list->item(rows.first().row(), kDescription)->text().trimmed().toStdString();
    const auto result = ProductOrdering::AddToGuide(item, m_ctx.AccountId(), m_ctx.Catalog(), m_ctx.price);
    const bool added = result.outcome == ProductOrdering::Outcome::Added;
    if (added)
        ++m_added;
    m_messages.ShowText(ProductOrdering::Message(result, description),
                        added ? ids::kCaptionInformation : ids::kCaptionWarning, MbButtons::Ok,
                        added ? MbIcon::Information : MbIcon::Stop);
}

void CProductBrowseSheet::OnDetails()
{
    const int item = CurrentItem();
    if (item >= 0 && m_ctx.itemDetails)
        m_ctx.itemDetails(item);
}

} // namespace zev
