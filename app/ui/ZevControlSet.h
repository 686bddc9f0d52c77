#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

namespace zev {

// The controls a screen, dialog or page registers by their layout names, and
// the rule that lets a distributor's layout section move, size, show, hide and
// relabel each of them. Screens are built with Qt layouts so they look right
// without any record; a control that has a record leaves its Qt layout and is
// placed absolutely on its window.
class ZevControlSet {
public:
    explicit ZevControlSet(QWidget* owner);

    void AddControl(int id, const QString& name, QWidget* control);
    void AddControl(const QString& name, QWidget* control) { AddControl(0, name, control); }

    // Applies the section's records, in order of registration. Returns how many
    // controls a record moved.
    int LayOut(const std::string& section, const std::string& path) const;

    QWidget* Control(const QString& name) const;
    int Id(const QString& name) const;
    const std::vector<QString>& Names() const { return m_names; }

private:
    // Makes each registered caption the buddy of the field of the same name.
    void PairCaptions() const;

    QWidget* m_owner;
    std::vector<QString> m_names;
    std::vector<int> m_ids;
    std::vector<QPointer<QWidget>> m_controls;
};

// Sets the visible text of a label, button, group box or edit box; a new
// caption renames the control (or its buddy) for assistive technology too.
void SetControlText(QWidget* control, const QString& text);

} // namespace zev
