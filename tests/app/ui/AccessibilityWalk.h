#pragma once

#include <QStringList>

class QAccessibleInterface;
class QDialog;
class QWidget;

// What a screen-reader or keyboard user would trip over in one shown
// top-level window, read through Qt's own accessibility interfaces (the same
// tree the desktop's accessibility bus exports). Each check returns one line
// per fault, naming the control by class, position and enclosing group, so
// an empty list means the window passes.
class AccessibilityWalk {
public:
    explicit AccessibilityWalk(QWidget* window, int tolerance = 8);

    // A focusable control or a button without a name, two inputs (edit, spin,
    // combo, date and check boxes) of the window with the same name, a list
    // column without a heading. Hidden controls are not judged.
    QStringList NameFaults() const;

    // The inputs in the order Tab visits them must read top to bottom and,
    // on one line, left to right; a step up is allowed only into a column to
    // the right of the input left (a form in two columns).
    QStringList FocusOrderFaults() const;

    // A dialog must have a default button among its visible push buttons.
    static QStringList DefaultButtonFaults(const QDialog* dialog);

    // The names of the window's visible inputs in focus-chain order, for
    // messages and for tests that look a field up by what a person hears.
    QStringList InputNames() const;

    // "QLineEdit at 12,40 in "Sign in"": enough to find a control in the code.
    static QString Describe(const QWidget* widget, const QWidget* window);

private:
    void Visit(QAccessibleInterface* iface, QStringList& faults, QList<QPair<QString, QString>>& inputs) const;
    QList<QWidget*> FocusChainInputs() const;

    QWidget* m_window;
    int m_tolerance;
};
