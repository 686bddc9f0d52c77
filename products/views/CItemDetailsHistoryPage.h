#pragma once

#include <QWidget>

#include <optional>

namespace zev {

class CProductTable;

// The sales history page: cases, singles and amount of the item by month,
// newest first, for the current account (every account's without one).
class CItemDetailsHistoryPage : public QWidget {
public:
    CItemDetailsHistoryPage(int itemId, std::optional<int> accountId, QWidget* parent = nullptr);

    CProductTable* List() const { return m_list; }

private:
    CProductTable* m_list;
};

} // namespace zev
