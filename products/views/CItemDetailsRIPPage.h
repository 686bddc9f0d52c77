#pragma once

#include <QWidget>

namespace zev {

class CProductTable;

// The incentive program page: the programs the item belongs to, the items
// of the chosen program (the shown item selected) and its tiers, priced per
// case and per bottle of the selected item.
class CItemDetailsRIPPage : public QWidget {
public:
    explicit CItemDetailsRIPPage(int itemId, QWidget* parent = nullptr);

    CProductTable* Programs() const { return m_programs; }
    CProductTable* Items() const { return m_items; }
    CProductTable* Tiers() const { return m_tiers; }

private:
    void ShowProgram(int row);
    void ShowTiers();

    int m_itemId;
    CProductTable* m_programs;
    CProductTable* m_items;
    CProductTable* m_tiers;
};

} // namespace zev
