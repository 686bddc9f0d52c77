#pragma once

#include "app/ui/ZevControlSet.h"

#include <QDialog>
#include <QWidget>

class QDialogButtonBox;
class QTabWidget;

// One page of a property sheet, laid out like a screen from its own section.
class CZevPropertyPage : public QWidget {
    Q_OBJECT
public:
    CZevPropertyPage(const QString& caption, const char* layoutSection, QWidget* parent = nullptr);

    void AddControl(int id, const QString& name, QWidget* control) { m_controls.AddControl(id, name, control); }
    void AddControl(const QString& name, QWidget* control) { m_controls.AddControl(name, control); }
    int LayOut(const std::string& section, const std::string& path) const { return m_controls.LayOut(section, path); }
    QWidget* Control(const QString& name) const { return m_controls.Control(name); }

    const QString& Caption() const { return m_caption; }
    const std::string& LayoutSection() const { return m_section; }

    // The sheet asks before closing with OK; false keeps the sheet open.
    virtual bool CanClose() { return true; }

private:
    QString m_caption;
    std::string m_section;
    zev::ZevControlSet m_controls;
};

// A dialog of tabbed pages with OK and Cancel; placed by the "SCREEN" record
// of its first page's section.
class CZevPropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit CZevPropertySheet(const QString& title, QWidget* parent = nullptr);

    void AddPage(CZevPropertyPage* page);
    void SetActivePage(CZevPropertyPage* page);
    CZevPropertyPage* ActivePage() const;
    // Lays out every page and places the sheet.
    void LayOut(const std::string& path);

    void accept() override;

protected:
    // Names the fields the pages left unnamed the first time the sheet shows.
    void showEvent(QShowEvent* event) override;

private:
    QTabWidget* m_tabs;
    QDialogButtonBox* m_buttons;
    std::vector<CZevPropertyPage*> m_pages;
    bool m_named = false;
};
