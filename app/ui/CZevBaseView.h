#pragma once

#include "app/core/Screen.h"
#include "app/ui/ZevControlSet.h"

#include <QWidget>

namespace zev {
class IScreenHost;
}

// Base of every screen the frame shows. A screen registers its controls by
// layout name, then lays them out from its section of the settings file.
class CZevBaseView : public QWidget {
    Q_OBJECT
public:
    CZevBaseView(zev::IScreenHost& host, const char* layoutSection, QWidget* parent = nullptr);
    ~CZevBaseView() override;

    // Called before the frame replaces this screen by `target` (0 when the
    // program exits); returning false keeps the screen.
    virtual bool CanLeave(zev::Screen target);

    // File > Export: a screen with a table to export says so and writes it.
    virtual bool CanExport() const { return false; }
    virtual void Export() {}

    // Runs once after construction, with the wait cursor shown: screens build
    // their contents here and lay them out.
    void InitialUpdate();

    void AddControl(int id, const QString& name, QWidget* control) { m_controls.AddControl(id, name, control); }
    void AddControl(const QString& name, QWidget* control) { m_controls.AddControl(name, control); }
    int LayOut(const std::string& section, const std::string& path) const { return m_controls.LayOut(section, path); }
    // Lays out from this screen's own section of the program's settings file.
    int LayOut() const;

    QWidget* Control(const QString& name) const { return m_controls.Control(name); }
    const std::string& LayoutSection() const { return m_section; }
    zev::IScreenHost& Host() const { return m_host; }

protected:
    virtual void OnInitialUpdate() {}
    // Names the fields the screen left unnamed the first time it shows.
    void showEvent(QShowEvent* event) override;

private:
    zev::IScreenHost& m_host;
    std::string m_section;
    zev::ZevControlSet m_controls;
    bool m_named = false;
};
