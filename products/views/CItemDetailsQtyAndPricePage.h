#pragma once

#include "products/views/ProductsViewContext.h"

#include <QWidget>

namespace zev {

// The quantities-and-prices page: case size, stock on hand, on order and
// committed, the next receipt, the price of one case and one unit in the
// current account's catalogue and the tier texts of the deal codes.
class CItemDetailsQtyAndPricePage : public QWidget {
public:
    CItemDetailsQtyAndPricePage(int itemId, const ProductsViewContext& context, QWidget* parent = nullptr);
};

} // namespace zev
