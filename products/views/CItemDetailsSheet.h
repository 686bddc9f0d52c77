#pragma once

#include "products/views/ProductsViewContext.h"

#include <QDialog>

#include <string>

class QTabWidget;

namespace zev {

class ZevConfig;

// The item details window: general and quantities-and-prices pages always,
// sales history, product notes, by-the-glass calculator, incentive programs
// and invoices as the distributor's settings allow, opened on the
// quantities-and-prices page.
class CItemDetailsSheet : public QDialog {
public:
    // `settingsPath` (the program's settings file) places the window by the
    // "ItemGeneralPage" layout on its first display; empty leaves it where
    // the window system puts it.
    CItemDetailsSheet(const ZevConfig& config, const ProductsViewContext& context, int itemId,
                      const std::string& settingsPath = {}, QWidget* parent = nullptr);

    int ItemId() const { return m_itemId; }
    QTabWidget* Pages() const { return m_tabs; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    int m_itemId;
    std::string m_settingsPath;
    bool m_placed = false;
    QTabWidget* m_tabs;
};

} // namespace zev
