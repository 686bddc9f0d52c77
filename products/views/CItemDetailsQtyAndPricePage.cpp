#include "products/views/CItemDetailsQtyAndPricePage.h"

#include "products/ItemDetailsData.h"

#include <QFormLayout>
#include <QLabel>
#include <QListWidget>

namespace zev {

CItemDetailsQtyAndPricePage::CItemDetailsQtyAndPricePage(int itemId, const ProductsViewContext& context,
                                                         QWidget* parent)
    : QWidget(parent)
{
    auto* form = new QFormLayout(this);
    auto add = [this, form](const char* name, const QString& caption, const QString& text) {
        auto* value = new QLabel(text, this);
        value->setObjectName(QString::fromLatin1(name));
        value->setAccessibleName(QString(caption).remove(QLatin1Char(':')));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        auto* label = new QLabel(caption, this);
        label->setBuddy(value);
        form->addRow(label, value);
    };
    const auto stock = ItemDetailsData::Quantities(itemId);
    if (!stock.found)
        return;
    add("LBL_DESCRIPTION", tr("Item:"),
        QString::fromStdString(stock.sku + "  " + stock.description + "  " + stock.size).trimmed());
    add("LBL_QPC", tr("Per case:"), QString::number(stock.qtyPerCase));
    add("LBL_ONHAND", tr("On hand:"), QString::number(stock.onHand));
    add("LBL_ONORDER", tr("On order:"), QString::number(stock.onOrder));
    add("LBL_COMMITTED", tr("Committed:"), QString::number(stock.committed));
    if (stock.nextReceiptQty > 0)
        add("LBL_NEXTRECEIPT", tr("Next receipt:"),
            tr("%1 on %2").arg(stock.nextReceiptQty).arg(QString::fromStdString(stock.nextReceiptDate)));

    const auto prices =
        ItemDetailsData::PricesOf(itemId, context.Catalog(), context.HasAccount() ? context.current->pricingTier : 0,
                                  context.dealCodeMin, context.dealCodeMax, context.price);
    const QString none = tr("not available");
    add("LBL_CASEPRICE", tr("Case price:"), prices.priced ? QString::asprintf("$%.2f", prices.casePrice) : none);
    add("LBL_UNITPRICE", tr("Unit price:"), prices.priced ? QString::asprintf("$%.2f", prices.singlePrice) : none);
    auto* tiers = new QListWidget(this);
    tiers->setObjectName("LST_TIERS");
    tiers->setAccessibleName(tr("Price tiers"));
    for (const auto& text : prices.tiers)
        tiers->addItem(QString::fromStdString(text));
    auto* label = new QLabel(tr("&Tiers:"), this);
    label->setBuddy(tiers);
    form->addRow(label, tiers);
}

} // namespace zev
