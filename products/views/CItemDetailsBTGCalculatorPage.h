#pragma once

#include "products/BtgCalculator.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace zev {

// The by-the-glass page of the item details window: bottle price, bottle and
// serving size and margin give the price per serving; typing a price per
// serving gives the margin back.
class CItemDetailsBTGCalculatorPage : public QWidget {
public:
    // `bottlePrice` is supplied before the page shows; `itemVolume` picks the
    // bottle size.
    CItemDetailsBTGCalculatorPage(double bottlePrice, const std::string& itemVolume, QWidget* parent = nullptr);

    const BtgCalculator& Calculator() const { return m_calc; }

private:
    QLineEdit* Edit(const char* name, const QString& accessible);
    void Show();

    BtgCalculator m_calc;
    QLineEdit* m_price = nullptr;
    QComboBox* m_bottle = nullptr;
    QComboBox* m_serving = nullptr;
    QLineEdit* m_margin = nullptr;
    QLineEdit* m_perServing = nullptr;
    QLabel* m_servings = nullptr;
    QLabel* m_marginPerBottle = nullptr;
};

} // namespace zev
