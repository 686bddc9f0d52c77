#include "app/ui/CZevPropertyPage.h"

#include "app/ui/CZevDialog.h"
#include "app/ui/ZevAccessibility.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

CZevPropertyPage::CZevPropertyPage(const QString& caption, const char* layoutSection, QWidget* parent)
    : QWidget(parent), m_caption(caption), m_section(layoutSection ? layoutSection : ""), m_controls(this)
{
}

CZevPropertySheet::CZevPropertySheet(const QString& title, QWidget* parent)
    : QDialog(parent), m_tabs(new QTabWidget(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(title);
    m_tabs->setAccessibleName(zev::ZevAccessibility::PlainName(title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CZevPropertySheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CZevPropertySheet::reject);
}

void CZevPropertySheet::AddPage(CZevPropertyPage* page)
{
    m_pages.push_back(page);
    m_tabs->addTab(page, page->Caption());
}

void CZevPropertySheet::SetActivePage(CZevPropertyPage* page) { m_tabs->setCurrentWidget(page); }

CZevPropertyPage* CZevPropertySheet::ActivePage() const
{
    return qobject_cast<CZevPropertyPage*>(m_tabs->currentWidget());
}

void CZevPropertySheet::LayOut(const std::string& path)
{
    if (!m_pages.empty())
        zev::ApplyScreenRecord(this, m_pages.front()->LayoutSection(), path);
    for (CZevPropertyPage* page : m_pages)
        page->LayOut(page->LayoutSection(), path);
}

void CZevPropertySheet::accept()
{
    for (CZevPropertyPage* page : m_pages)
        if (!page->CanClose())
            return;
    QDialog::accept();
}

void CZevPropertySheet::showEvent(QShowEvent* event)
{
    if (!m_named) {
        m_named = true;
        zev::ZevAccessibility::NameFields(this);
    }
    QDialog::showEvent(event);
}
