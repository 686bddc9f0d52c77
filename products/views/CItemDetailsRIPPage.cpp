#include "products/views/CItemDetailsRIPPage.h"

#include "app/ui/CZevListModel.h"
#include "products/ItemDetailsData.h"
#include "products/views/CProductTable.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QVBoxLayout>

namespace zev {

CItemDetailsRIPPage::CItemDetailsRIPPage(int itemId, QWidget* parent)
    : QWidget(parent), m_itemId(itemId),
      m_programs(new CProductTable("LST_RIP", tr("Incentive programs"),
                                   {{tr("Program"), 0, 90}, {tr("Description"), 0, 300}}, this)),
      m_items(new CProductTable("LST_Items", tr("Items of the program"),
                                {{tr("Item #"), 0, 50}, {tr("Description"), 0, 300}}, this)),
      m_tiers(new CProductTable("LST_Breaks", tr("Tiers"),
                                {{tr("Qty"), 0, 73}, {tr("Amount"), 1, 52}, {tr("Case & Bottle"), 0, 150}}, this))
{
    auto* layout = new QVBoxLayout(this);
    const std::pair<QString, CProductTable*> parts[] = {
        {tr("&Programs:"), m_programs}, {tr("&Tiers:"), m_tiers}, {tr("&Items:"), m_items}};
    for (const auto& [caption, list] : parts) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(list);
        layout->addWidget(label);
        layout->addWidget(list, list == m_items ? 2 : 1);
    }
    std::vector<QStringList> rows;
    std::vector<QVariant> ids;
    for (const auto& p : ItemDetailsData::ProgramsOfItem(itemId)) {
        rows.push_back({QString::fromStdString(p.number), QString::fromStdString(p.description)});
        ids.emplace_back(p.ripId);
    }
    m_programs->Model()->SetRows(std::move(rows), std::move(ids));
    connect(m_programs->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { ShowProgram(index.row()); });
    connect(m_items->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { ShowTiers(); });
    m_programs->SelectRow(0);
}

void CItemDetailsRIPPage::ShowProgram(int row)
{
    const QVariant id = m_programs->Model()->RowData(row);
    std::vector<QStringList> rows;
    std::vector<QVariant> perCase;
    int shown = -1;
    if (id.isValid()) {
        for (const auto& item : ItemDetailsData::ItemsOfProgram(id.toInt())) {
            if (item.itemId == m_itemId)
                shown = static_cast<int>(rows.size());
            rows.push_back({QString::fromStdString(item.sku), QString::fromStdString(item.text)});
            perCase.emplace_back(item.qtyPerCase);
        }
    }
    m_items->Model()->SetRows(std::move(rows), std::move(perCase));
    m_items->SelectRow(shown);
    ShowTiers();
}

void CItemDetailsRIPPage::ShowTiers()
{
    const QVariant id = m_programs->Model()->RowData(m_programs->CurrentRow());
    const int item = m_items->CurrentRow();
    const int bottles = item >= 0 ? m_items->Model()->RowData(item).toInt() : 1;
    std::vector<QStringList> rows;
    if (id.isValid())
        for (const auto& tier : ItemDetailsData::TiersOfProgram(id.toInt(), bottles))
            rows.push_back({QString::fromStdString(tier.qty), QString::fromStdString(tier.amount),
                            QString::fromStdString(tier.caseAndBottle)});
    m_tiers->Model()->SetRows(std::move(rows));
}

} // namespace zev
