#include "products/views/CItemDetailsGeneralPage.h"

#include "products/ItemDetailsData.h"

#include <QFormLayout>
#include <QLabel>

namespace zev {

namespace {

// The value labels keep the names the other screens know them by.
QString ValueName(const std::string& caption)
{
    if (caption == "Item #")
        return QStringLiteral("LBL_SKU");
    QString name;
    for (QChar c : QString::fromStdString(caption))
        if (c.isLetterOrNumber())
            name += c.toUpper();
    return QStringLiteral("LBL_") + name;
}

} // namespace

CItemDetailsGeneralPage::CItemDetailsGeneralPage(int itemId, QWidget* parent) : QWidget(parent)
{
    auto* form = new QFormLayout(this);
    for (const auto& fact : ItemDetailsData::General(itemId)) {
        auto* value = new QLabel(QString::fromStdString(fact.value), this);
        value->setObjectName(ValueName(fact.caption));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        value->setWordWrap(true);
        auto* caption = new QLabel(QString::fromStdString(fact.caption) + QLatin1Char(':'), this);
        caption->setBuddy(value);
        value->setAccessibleName(QString::fromStdString(fact.caption));
        form->addRow(caption, value);
    }
}

} // namespace zev
