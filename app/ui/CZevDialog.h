#pragma once

#include "app/ui/ZevControlSet.h"

#include <QDialog>

// Base of the program's dialogs: the same control registration and layout as
// the screens, plus the "SCREEN" record that places the dialog itself.
class CZevDialog : public QDialog {
    Q_OBJECT
public:
    explicit CZevDialog(QWidget* parent = nullptr);

    void AddControl(int id, const QString& name, QWidget* control) { m_controls.AddControl(id, name, control); }
    void AddControl(const QString& name, QWidget* control) { m_controls.AddControl(name, control); }
    // Moves the dialog by the section's "SCREEN" record, then lays out the
    // registered controls.
    int LayOut(const std::string& section, const std::string& path);
    QWidget* Control(const QString& name) const { return m_controls.Control(name); }

protected:
    // Names the fields the dialog left unnamed the first time it shows.
    void showEvent(QShowEvent* event) override;

private:
    zev::ZevControlSet m_controls;
    bool m_named = false;
};

namespace zev {
// Places a top-level window by the "SCREEN" record of `section`; false when
// there is none.
bool ApplyScreenRecord(QWidget* window, const std::string& section, const std::string& path);
} // namespace zev
