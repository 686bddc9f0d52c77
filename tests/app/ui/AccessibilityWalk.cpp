#include "tests/app/ui/AccessibilityWalk.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

namespace {

bool IsButton(QAccessible::Role role)
{
    return role == QAccessible::Button || role == QAccessible::ButtonMenu || role == QAccessible::ButtonDropDown ||
           role == QAccessible::ButtonDropGrid || role == QAccessible::RadioButton || role == QAccessible::CheckBox;
}

bool IsInput(QAccessible::Role role)
{
    return role == QAccessible::EditableText || role == QAccessible::SpinBox || role == QAccessible::ComboBox ||
           role == QAccessible::CheckBox;
}

// Rows, cells and items are data a list speaks itself; their emptiness is
// not a missing name.
bool IsItem(QAccessible::Role role)
{
    return role == QAccessible::Cell || role == QAccessible::Row || role == QAccessible::ColumnHeader ||
           role == QAccessible::RowHeader || role == QAccessible::ListItem || role == QAccessible::TreeItem;
}

// Controls whose children are their own parts (the popup of a combo box, the
// editor inside a spin box) or their data (the rows of a list).
bool IsLeaf(QAccessible::Role role)
{
    return role == QAccessible::ComboBox || role == QAccessible::SpinBox || role == QAccessible::Table ||
           role == QAccessible::List || role == QAccessible::Tree || role == QAccessible::TreeItem ||
           role == QAccessible::EditableText;
}

// An input a person fills in, judged by the focus order; the editors inside
// combo and spin boxes go with their box.
bool IsInputWidget(const QWidget* w)
{
    if (qobject_cast<const QComboBox*>(w->parentWidget()) || qobject_cast<const QAbstractSpinBox*>(w->parentWidget()))
        return false;
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QCheckBox*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

// On Linux a combo box's Name is its current value, whatever name it was
// given; a screen reader takes its caption from the "labelled by" relation
// (its buddy label). Elsewhere the given name counts.
QString ComboCaption(QAccessibleInterface* iface)
{
    for (const auto& [label, relation] : iface->relations(QAccessible::Label))
        if (label && qobject_cast<QLabel*>(label->object()))
            return label->text(QAccessible::Name).trimmed();
    auto* widget = qobject_cast<QWidget*>(iface->object());
    return widget ? widget->accessibleName().trimmed() : QString();
}

// A selectable value label that shows nothing yet is named by its text once
// it has one; its description says what it will show.
bool BlankDescribedLabel(const QWidget* widget)
{
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label && label->text().trimmed().isEmpty() && !label->accessibleDescription().isEmpty();
}

// What a screen reader says a control is called.
QString SpokenName(QAccessibleInterface* iface)
{
    if (iface->role() == QAccessible::ComboBox)
        return ComboCaption(iface);
    return iface->text(QAccessible::Name).trimmed();
}

QRect RectIn(const QWidget* w, const QWidget* window) { return QRect(w->mapTo(window, QPoint(0, 0)), w->size()); }

} // namespace

AccessibilityWalk::AccessibilityWalk(QWidget* window, int tolerance) : m_window(window), m_tolerance(tolerance) {}

QString AccessibilityWalk::Describe(const QWidget* widget, const QWidget* window)
{
    if (!widget)
        return QStringLiteral("(no widget)");
    QString text = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->objectName().isEmpty())
        text += QStringLiteral(" '%1'").arg(widget->objectName());
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget); button && !button->text().isEmpty())
        text += QStringLiteral(" \"%1\"").arg(button->text());
    const QPoint at = window && widget != window ? widget->mapTo(window, QPoint(0, 0)) : QPoint();
    text += QStringLiteral(" at %1,%2").arg(at.x()).arg(at.y());
    for (const QWidget* p = widget->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (const auto* group = qobject_cast<const QGroupBox*>(p)) {
            text += QStringLiteral(" in \"%1\"").arg(group->title());
            break;
        }
    }
    return text;
}

void AccessibilityWalk::Visit(QAccessibleInterface* iface, QStringList& faults,
                              QList<QPair<QString, QString>>& inputs) const
{
    if (!iface || !iface->isValid())
        return;
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    const QAccessible::Role role = iface->role();
    const QString name = SpokenName(iface);
    auto* widget = qobject_cast<QWidget*>(iface->object());
    const QString where = widget ? Describe(widget, m_window) : QString::number(role, 16);

    if (!IsItem(role) && name.isEmpty()) {
        if (IsButton(role))
            faults << QStringLiteral("button without a name: %1").arg(where);
        else if (state.focusable && !BlankDescribedLabel(widget))
            faults << QStringLiteral("focusable control without a name: %1").arg(where);
    }
    if (auto* label = qobject_cast<QLabel*>(widget);
        label && !label->accessibleName().isEmpty() && !label->text().isEmpty() && !label->buddy()) {
        const QString shown = label->text().remove(QLatin1Char('&')).trimmed();
        if (!name.contains(shown, Qt::CaseInsensitive))
            faults << QStringLiteral("label whose name \"%1\" hides its text \"%2\": %3").arg(name, shown, where);
    }
    if (IsInput(role) && !name.isEmpty())
        inputs.append({name, where});

    if (QAccessibleTableInterface* table = iface->tableInterface()) {
        for (int c = 0; c < table->columnCount(); ++c)
            if (table->columnDescription(c).trimmed().isEmpty())
                faults << QStringLiteral("list column %1 without a heading: %2").arg(c).arg(where);
    }
    if (IsLeaf(role))
        return;
    for (int i = 0; i < iface->childCount(); ++i)
        Visit(iface->child(i), faults, inputs);
}

QStringList AccessibilityWalk::NameFaults() const
{
    QStringList faults;
    QList<QPair<QString, QString>> inputs;
    Visit(QAccessible::queryAccessibleInterface(m_window), faults, inputs);
    QMap<QString, QStringList> byName;
    for (const auto& [name, where] : inputs)
        byName[name.toLower()].append(where);
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        if (it.value().size() > 1)
            faults << QStringLiteral("inputs sharing the name \"%1\": %2")
                          .arg(it.key(), it.value().join(QStringLiteral("; ")));
    return faults;
}

QList<QWidget*> AccessibilityWalk::FocusChainInputs() const
{
    QList<QWidget*> inputs;
    for (QWidget* w = m_window->nextInFocusChain(); w && w != m_window; w = w->nextInFocusChain()) {
        if (w->window() != m_window || !w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (IsInputWidget(w) && !inputs.contains(w))
            inputs.append(w);
        if (inputs.size() > 10000)
            break;
    }
    return inputs;
}

QStringList AccessibilityWalk::FocusOrderFaults() const
{
    QStringList faults;
    const QList<QWidget*> inputs = FocusChainInputs();
    const int tol = m_tolerance;
    for (int i = 1; i < inputs.size(); ++i) {
        const QRect a = RectIn(inputs[i - 1], m_window);
        const QRect b = RectIn(inputs[i], m_window);
        const int overlap = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
        const bool sameLine = overlap >= std::min(a.height(), b.height()) / 2;
        bool wrong = false;
        if (sameLine)
            wrong = b.left() < a.left() - tol;
        else if (b.bottom() < a.top() + tol) // a step up: only into a column to the right
            wrong = b.left() < a.right() - tol;
        if (wrong)
            faults << QStringLiteral("Tab goes from %1 back to %2")
                          .arg(Describe(inputs[i - 1], m_window), Describe(inputs[i], m_window));
    }
    return faults;
}

QStringList AccessibilityWalk::InputNames() const
{
    QStringList names;
    for (QWidget* w : FocusChainInputs())
        if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w))
            names << SpokenName(iface);
    return names;
}

QStringList AccessibilityWalk::DefaultButtonFaults(const QDialog* dialog)
{
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->isDefault() && button->isVisible() && button->window() == dialog)
            return {};
    return {QStringLiteral("dialog \"%1\" has no default button").arg(dialog->windowTitle())};
}
