#include "products/views/CItemDetailsHistoryPage.h"

#include "app/ui/CZevListModel.h"
#include "products/ItemDetailsData.h"
#include "products/views/CProductTable.h"

#include <QLabel>
#include <QVBoxLayout>

namespace zev {

CItemDetailsHistoryPage::CItemDetailsHistoryPage(int itemId, std::optional<int> accountId, QWidget* parent)
    : QWidget(parent),
      m_list(new CProductTable(
          "LST_HISTORY", tr("Sales history"),
          {{tr("Month"), 0, 80}, {tr("Cases"), 1, 60}, {tr("Singles"), 1, 60}, {tr("Amount"), 1, 90}}, this))
{
    auto* layout = new QVBoxLayout(this);
    auto* label =
        new QLabel(accountId ? tr("&Sales history of this account:") : tr("&Sales history, all accounts:"), this);
    label->setBuddy(m_list);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    std::vector<QStringList> rows;
    for (const auto& m : ItemDetailsData::History(itemId, accountId))
        rows.push_back({QString::asprintf("%02d/%d", m.month, m.year), QString::number(m.cases),
                        QString::number(m.singles), QString::asprintf("%.2f", m.amount)});
    if (rows.empty())
        rows.push_back({tr("No sales history")});
    m_list->Model()->SetRows(std::move(rows));
}

} // namespace zev
