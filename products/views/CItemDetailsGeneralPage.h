#pragma once

#include <QWidget>

namespace zev {

// The general page of the item details window: what describes the item
// (number, size, bar codes, vintage, producer, origin, category, rating),
// each only when the item has it. An item that cannot be read leaves the
// page empty.
class CItemDetailsGeneralPage : public QWidget {
public:
    explicit CItemDetailsGeneralPage(int itemId, QWidget* parent = nullptr);
};

} // namespace zev
