#include "products/views/CItemDetailsInvoicesPage.h"

#include "app/ui/CZevListModel.h"
#include "products/ItemDetailsData.h"
#include "products/views/CProductTable.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zev {

CItemDetailsInvoicesPage::CItemDetailsInvoicesPage(int itemId, std::optional<int> accountId, QWidget* parent)
    : QWidget(parent), m_list(new CProductTable("LST_INVOICES", tr("Invoices"),
                                                {{tr("Invoice"), 0, 90},
                                                 {tr("Date"), 0, 90},
                                                 {tr("Ordered"), 1, 70},
                                                 {tr("Shipped"), 1, 70},
                                                 {tr("Case price"), 1, 80},
                                                 {tr("Unit price"), 1, 80},
                                                 {tr("Amount"), 1, 90}},
                                                this))
{
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("&Invoiced lines:"), this);
    label->setBuddy(m_list);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    std::vector<QStringList> rows;
    for (const auto& l : ItemDetailsData::Invoices(itemId, accountId))
        rows.push_back({QString::fromStdString(l.invoice), QString::fromStdString(l.date),
                        QString::asprintf("%d / %d", l.cases, l.singles),
                        QString::asprintf("%d / %d", l.casesShipped, l.singlesShipped),
                        QString::asprintf("%.2f", l.casePrice), QString::asprintf("%.2f", l.singlePrice),
                        QString::asprintf("%.2f", l.extended)});
    if (rows.empty())
        rows.push_back({tr("No invoices")});
    m_list->Model()->SetRows(std::move(rows));
}

} // namespace zev
