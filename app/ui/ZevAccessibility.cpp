#include "app/ui/ZevAccessibility.h"

#include "app/ui/CZevListCtrl.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTextEdit>

namespace zev {

namespace {

// Controls a person types into or picks from, whose name comes from a caption
// beside them (buttons and check boxes carry their own text).
bool IsField(const QWidget* w)
{
    const QWidget* parent = w->parentWidget();
    if (qobject_cast<const QComboBox*>(parent) || qobject_cast<const QAbstractSpinBox*>(parent))
        return false; // the editor inside a box goes with the box
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractItemView*>(w);
}

// A label that reads as a caption: some text, short, not yet another field's.
QLabel* Caption(QWidget* w)
{
    auto* label = qobject_cast<QLabel*>(w);
    if (!label || label->buddy())
        return nullptr;
    const QString name = ZevAccessibility::PlainName(label->text());
    return name.isEmpty() || name.size() > 60 ? nullptr : label;
}

bool FindInLayout(QLayout* layout, const QWidget* control, QLayout*& owner, int& index)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == control) {
            owner = layout;
            index = i;
            return true;
        }
        if (item->layout() && FindInLayout(item->layout(), control, owner, index))
            return true;
    }
    return false;
}

// The caption `field` stands beside in the Qt layout that places it.
QLabel* CaptionInLayout(QWidget* field)
{
    QWidget* parent = field->parentWidget();
    QLayout* owner = nullptr;
    int index = -1;
    if (!parent || !parent->layout() || !FindInLayout(parent->layout(), field, owner, index))
        return nullptr;
    if (auto* form = qobject_cast<QFormLayout*>(owner))
        return Caption(form->labelForField(field));
    if (auto* grid = qobject_cast<QGridLayout*>(owner)) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        QLayoutItem* left = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr;
        return left ? Caption(left->widget()) : nullptr;
    }
    if (qobject_cast<QBoxLayout*>(owner)) {
        for (int i = index - 1; i >= 0; --i) {
            QLayoutItem* item = owner->itemAt(i);
            if (item->spacerItem())
                continue;
            return Caption(item->widget());
        }
    }
    return nullptr;
}

// "ReadyOrderItems" -> "Ready order items", "ARDeposit" -> "AR deposit".
QString Humanize(const std::string& name)
{
    const QString text = QString::fromStdString(name);
    QStringList words;
    QString word;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool startsWord =
            c.isUpper() && !word.isEmpty() && (word.back().isLower() || (i + 1 < text.size() && text[i + 1].isLower()));
        if (startsWord) {
            words << word;
            word.clear();
        }
        word += c;
    }
    if (!word.isEmpty())
        words << word;
    for (int i = 0; i < words.size(); ++i)
        if (i > 0 && words[i].size() > 1 && words[i][1].isLower())
            words[i] = words[i].toLower();
    return words.join(QLatin1Char(' '));
}

} // namespace

QString ZevAccessibility::PlainName(const QString& text)
{
    QString plain;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i; // "&&" stands for one ampersand, "&x" marks an access key
        plain += text[i];
    }
    plain = plain.trimmed();
    for (const QString& tail : {QStringLiteral("..."), QStringLiteral("\u2026"), QStringLiteral(":")})
        if (plain.endsWith(tail))
            plain = plain.left(plain.size() - tail.size()).trimmed();
    return plain;
}

QLabel* ZevAccessibility::BuddyLabelOf(const QWidget* control)
{
    for (QLabel* label : control->window()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}

int ZevAccessibility::NameFields(QWidget* root)
{
    int named = 0;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!IsField(w) || !w->accessibleName().isEmpty() || BuddyLabelOf(w))
            continue;
        if (QLabel* caption = CaptionInLayout(w)) {
            caption->setBuddy(w);
            ++named;
        }
    }
    // The platform names a field after a buddy label among its siblings
    // only; lists never. Those get the caption as their own name.
    for (QLabel* label : root->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (!buddy || !buddy->accessibleName().isEmpty())
            continue;
        if (qobject_cast<QAbstractItemView*>(buddy) || buddy->parentWidget() != label->parentWidget()) {
            const QString name = PlainName(label->text());
            if (!name.isEmpty()) {
                buddy->setAccessibleName(name);
                ++named;
            }
        }
    }
    // A label's text is what a screen reader reads of it only while the
    // label has no name of its own: a total or a status named for what it
    // shows would hide the amount. The name becomes its description.
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->accessibleName().isEmpty() || label->buddy() || !label->pixmap().isNull())
            continue;
        if (label->accessibleDescription().isEmpty())
            label->setAccessibleDescription(label->accessibleName());
        label->setAccessibleName(QString());
        ++named;
    }
    // On Linux a combo box is announced by its value and its buddy label; a
    // name given without a label reaches the screen reader as description.
    for (QComboBox* combo : root->findChildren<QComboBox*>()) {
        if (!combo->accessibleName().isEmpty() && combo->accessibleDescription().isEmpty() && !BuddyLabelOf(combo))
            combo->setAccessibleDescription(combo->accessibleName());
    }
    for (CZevListCtrl* list : root->findChildren<CZevListCtrl*>()) {
        if (list->accessibleName().isEmpty() && !list->ListName().empty()) {
            list->setAccessibleName(Humanize(list->ListName()));
            ++named;
        }
    }
    return named;
}

void ZevAccessibility::FollowCaption(QWidget* control, const QString& oldText, const QString& newText)
{
    const QString name = PlainName(newText);
    if (name.isEmpty() || oldText == newText)
        return;
    // The caption a sighted user reads is the name; an explicit name that
    // kept the old caption would now contradict the screen.
    if (!control->accessibleName().isEmpty())
        control->setAccessibleName(name);
    if (auto* label = qobject_cast<QLabel*>(control);
        label && label->buddy() && !label->buddy()->accessibleName().isEmpty())
        label->buddy()->setAccessibleName(name);
}

void ZevAccessibility::DescribeCellEditor(QWidget* editor, const QAbstractItemView* view, const QModelIndex& index)
{
    const QAbstractItemModel* model = index.model();
    if (!editor || !model)
        return;
    const QString column = PlainName(model->headerData(index.column(), Qt::Horizontal).toString());
    if (!column.isEmpty())
        editor->setAccessibleName(column);
    // The row is told by the first two shown cells beside the edited one.
    const auto* table = qobject_cast<const QTableView*>(view);
    const QHeaderView* header = table ? table->horizontalHeader() : nullptr;
    QStringList row;
    for (int v = 0; v < model->columnCount() && row.size() < 2; ++v) {
        const int c = header ? header->logicalIndex(v) : v;
        if (c == index.column() || (header && (header->isSectionHidden(c) || header->sectionSize(c) == 0)))
            continue;
        const QString text = model->index(index.row(), c).data().toString().trimmed();
        if (!text.isEmpty())
            row << text;
    }
    QString description = QCoreApplication::translate("ZevAccessibility", "%1, row %2 of %3")
                              .arg(column.isEmpty() ? QString::number(index.column() + 1) : column)
                              .arg(index.row() + 1)
                              .arg(model->rowCount());
    if (!row.isEmpty())
        description += QStringLiteral(": ") + row.join(QLatin1Char(' '));
    editor->setAccessibleDescription(description);
}

} // namespace zev
