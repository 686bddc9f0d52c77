#pragma once

#include <QWidget>

#include <optional>

namespace zev {

class CProductTable;

// The invoices page: the invoiced lines of the item, newest first, with what
// was ordered and shipped and the prices, for the current account (every
// account's without one).
class CItemDetailsInvoicesPage : public QWidget {
public:
    CItemDetailsInvoicesPage(int itemId, std::optional<int> accountId, QWidget* parent = nullptr);

    CProductTable* List() const { return m_list; }

private:
    CProductTable* m_list;
};

} // namespace zev
