#include "products/views/CItemDetailsSheet.h"

#include "app/core/ZevConfig.h"
#include "app/ui/CZevDialog.h"
#include "app/ui/ZevAccessibility.h"
#include "products/ItemDetailsData.h"
#include "products/views/CItemDetailsBTGCalculatorPage.h"
#include "products/views/CItemDetailsGeneralPage.h"
#include "products/views/CItemDetailsHistoryPage.h"
#include "products/views/CItemDetailsInvoicesPage.h"
#include "products/views/CItemDetailsProductNotesPage.h"
#include "products/views/CItemDetailsQtyAndPricePage.h"
#include "products/views/CItemDetailsRIPPage.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zev {

namespace {

constexpr int kFirstNoteTitle = 36;

} // namespace

CItemDetailsSheet::CItemDetailsSheet(const ZevConfig& config, const ProductsViewContext& context, int itemId,
                                     const std::string& settingsPath, QWidget* parent)
    : QDialog(parent), m_itemId(itemId), m_settingsPath(settingsPath), m_tabs(new QTabWidget(this))
{
    const auto stock = ItemDetailsData::Quantities(itemId);
    setWindowTitle(stock.found ? tr("Item Details - %1").arg(QString::fromStdString(stock.description))
                               : tr("Item Details"));
    m_tabs->setObjectName("ItemPages");
    m_tabs->setAccessibleName(windowTitle());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buttons);

    using Page = ItemDetailsData::Page;
    const auto pages =
        ItemDetailsData::Pages(config.Byte(ItemDetailsData::kHistorySwitch), config.Byte(ItemDetailsData::kNotesSwitch),
                               config.Byte(ItemDetailsData::kBtgSwitch), config.Byte(ItemDetailsData::kProgramsSwitch),
                               config.Byte(ItemDetailsData::kInvoicesSwitch));
    for (Page page : pages) {
        switch (page) {
        case Page::General:
            m_tabs->addTab(new CItemDetailsGeneralPage(itemId, m_tabs), tr("&General"));
            break;
        case Page::QtyAndPrice:
            m_tabs->addTab(new CItemDetailsQtyAndPricePage(itemId, context, m_tabs), tr("&Quantities && Prices"));
            break;
        case Page::History:
            m_tabs->addTab(new CItemDetailsHistoryPage(itemId, context.Account(), m_tabs), tr("&History"));
            break;
        case Page::ProductNotes: {
            std::array<std::string, 3> captions;
            for (int i = 0; i < 3; ++i)
                captions[static_cast<std::size_t>(i)] = config.Title(kFirstNoteTitle + i);
            m_tabs->addTab(new CItemDetailsProductNotesPage(itemId, captions, m_tabs), tr("&Notes"));
            break;
        }
        case Page::BtgCalculator: {
            // The bottle price is the unit price of the account's catalogue.
            float casePrice = 0, unitPrice = 0;
            if (!context.price || !context.price(itemId, casePrice, unitPrice, 0, context.Catalog(), 0))
                unitPrice = 0;
            m_tabs->addTab(new CItemDetailsBTGCalculatorPage(unitPrice, stock.size, m_tabs), tr("By the G&lass"));
            break;
        }
        case Page::RIP:
            m_tabs->addTab(new CItemDetailsRIPPage(itemId, m_tabs), tr("P&rograms"));
            break;
        case Page::Invoices:
            m_tabs->addTab(new CItemDetailsInvoicesPage(itemId, context.Account(), m_tabs), tr("In&voices"));
            break;
        }
    }
    m_tabs->setCurrentIndex(1);
    resize(640, 480);
}

void CItemDetailsSheet::showEvent(QShowEvent* event)
{
    if (!m_placed && !m_settingsPath.empty())
        ApplyScreenRecord(this, "ItemGeneralPage", m_settingsPath);
    // The pages' value labels are read by their values, named by their captions.
    if (!m_placed)
        ZevAccessibility::NameFields(this);
    m_placed = true;
    QDialog::showEvent(event);
}

} // namespace zev
