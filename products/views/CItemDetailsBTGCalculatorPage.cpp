#include "products/views/CItemDetailsBTGCalculatorPage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace zev {

CItemDetailsBTGCalculatorPage::CItemDetailsBTGCalculatorPage(double bottlePrice, const std::string& itemVolume,
                                                             QWidget* parent)
    : QWidget(parent)
{
    auto* form = new QFormLayout(this);
    m_price = Edit("LBL_PRICE", tr("Bottle price"));
    m_bottle = new QComboBox(this);
    m_bottle->setObjectName("LBL_BOTSIZE");
    m_bottle->setAccessibleName(tr("Bottle size"));
    for (const auto& size : BtgCalculator::kBottleSizes)
        m_bottle->addItem(size.text, size.value);
    m_serving = new QComboBox(this);
    m_serving->setObjectName("LBL_SERVSIZE");
    m_serving->setAccessibleName(tr("Serving size"));
    for (const auto& size : BtgCalculator::kServingSizes)
        m_serving->addItem(size.text, size.value);
    m_margin = Edit("LBL_MARGIN", tr("Margin"));
    m_perServing = Edit("LBL_PERSERV", tr("Price per serving"));
    m_servings = new QLabel(this);
    m_servings->setObjectName("LBL_SERVPERBOT");
    m_marginPerBottle = new QLabel(this);
    m_marginPerBottle->setObjectName("LBL_MARGINPERBOT");
    form->addRow(tr("Bottle &price:"), m_price);
    form->addRow(tr("&Bottle size:"), m_bottle);
    form->addRow(tr("&Serving size:"), m_serving);
    form->addRow(tr("&Margin %:"), m_margin);
    form->addRow(tr("Price per ser&ving:"), m_perServing);
    form->addRow(tr("Servings per bottle:"), m_servings);
    form->addRow(tr("Margin per bottle:"), m_marginPerBottle);

    m_serving->setCurrentIndex(-1);
    m_bottle->setCurrentIndex(-1);
    if (const auto index = BtgCalculator::PreselectBottle(itemVolume)) {
        m_bottle->setCurrentIndex(*index);
        m_calc.SetBottleSize(BtgCalculator::kBottleSizes[static_cast<std::size_t>(*index)].value);
    }
    m_calc.SetBottlePrice(bottlePrice);
    m_price->setText(QString::asprintf("%.2f", bottlePrice));

    connect(m_price, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_calc.EditBottlePrice(text.toStdString()))
            Show();
    });
    connect(m_margin, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_calc.EditMargin(text.toStdString()))
            Show();
    });
    connect(m_perServing, &QLineEdit::textEdited, this, [this](const QString& text) {
        std::string typed = text.toStdString();
        const bool done = m_calc.EditPricePerServing(typed);
        if (QString::fromStdString(typed) != text)
            m_perServing->setText(QString::fromStdString(typed));
        if (done) {
            m_margin->setText(QString::number(m_calc.Margin()));
            m_servings->setText(QString::fromStdString(m_calc.ServingsText()));
            m_marginPerBottle->setText(QString::fromStdString(m_calc.MarginPerBottleText()));
        }
    });
    connect(m_serving, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_calc.SetServingSize(m_serving->itemData(index).toDouble());
        if (m_calc.RecalculateFromMargin())
            Show();
    });
    connect(m_bottle, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        m_calc.SetBottleSize(m_bottle->itemData(index).toDouble());
        if (m_calc.RecalculateFromMargin())
            Show();
    });
}

QLineEdit* CItemDetailsBTGCalculatorPage::Edit(const char* name, const QString& accessible)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(accessible);
    return edit;
}

void CItemDetailsBTGCalculatorPage::Show()
{
    const QSignalBlocker blockMargin(m_margin);
    const QSignalBlocker blockPrice(m_perServing);
    m_margin->setText(QString::number(m_calc.Margin()));
    m_perServing->setText(QString::fromStdString(m_calc.PricePerServingText()).trimmed());
    m_servings->setText(QString::fromStdString(m_calc.ServingsText()).trimmed());
    m_marginPerBottle->setText(QString::fromStdString(m_calc.MarginPerBottleText()));
}

} // namespace zev
