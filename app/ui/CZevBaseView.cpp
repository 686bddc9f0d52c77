#include "app/ui/CZevBaseView.h"

#include "app/core/CZevSettings.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "app/ui/ZevAccessibility.h"

CZevBaseView::CZevBaseView(zev::IScreenHost& host, const char* layoutSection, QWidget* parent)
    : QWidget(parent), m_host(host), m_section(layoutSection ? layoutSection : ""), m_controls(this)
{
    setAutoFillBackground(true);
}

CZevBaseView::~CZevBaseView() = default;

bool CZevBaseView::CanLeave(zev::Screen) { return true; }

void CZevBaseView::InitialUpdate()
{
    zev::WaitCursor wait;
    OnInitialUpdate();
}

int CZevBaseView::LayOut() const { return m_controls.LayOut(m_section, m_host.State().settingsFilePath); }

void CZevBaseView::showEvent(QShowEvent* event)
{
    if (!m_named) {
        m_named = true;
        zev::ZevAccessibility::NameFields(this);
    }
    QWidget::showEvent(event);
}
