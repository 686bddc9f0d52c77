#include "app/CZevSatchelView.h"

#include "app/core/Profile.h"
#include "app/ui/ScreenHost.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

CZevSatchelView::CZevSatchelView(zev::IScreenHost& host, QWidget* parent)
    : CZevBaseView(host, "", parent), m_title(new QLabel(tr("ZevSatchel"), this)),
      m_logo(new QLabel(tr("Field sales, orders and\nsynchronisation"), this)), m_icon(new QLabel(this)),
      m_hint(new QLabel(tr("Starting... click anywhere to continue."), this)), m_timer(new QTimer(this))
{
    QFont big = m_title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    m_title->setFont(big);
    for (QLabel* label : {m_title, m_logo, m_icon, m_hint}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    }
    m_icon->setPixmap(QIcon(QStringLiteral(":/icons/satchel.png")).pixmap(32, 32));
    m_timer->setSingleShot(true);
    m_timer->setInterval(kDelayMs);
    connect(m_timer, &QTimer::timeout, this, &CZevSatchelView::Continue);
}

void CZevSatchelView::OnInitialUpdate()
{
    Centre();
    m_timer->start();
}

bool CZevSatchelView::TimerActive() const { return m_timer->isActive(); }

void CZevSatchelView::Continue()
{
    m_timer->stop();
    if (m_done)
        return;
    m_done = true;
    Host().PostSwitchScreen(Host().UserProfile().UserID().empty() ? zev::Screen::InitialSetup : zev::Screen::Login);
}

void CZevSatchelView::mousePressEvent(QMouseEvent* event)
{
    CZevBaseView::mousePressEvent(event);
    Continue();
}

void CZevSatchelView::resizeEvent(QResizeEvent* event)
{
    CZevBaseView::resizeEvent(event);
    Centre();
}

void CZevSatchelView::Centre()
{
    const int x = width() / 2;
    const int y = height() / 2;
    m_title->setGeometry(x - 75, y - 99, 150, 30);
    m_logo->setGeometry(x - 75, y - 70, 150, 55);
    m_icon->setGeometry(x - 19, y - 20, 32, 32);
    m_hint->setGeometry(x - 120, y + 10, 240, 64);
}
