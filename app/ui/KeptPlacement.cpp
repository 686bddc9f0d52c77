#include "app/ui/KeptPlacement.h"

#include "app/core/Profile.h"
#include "app/core/WindowPlacement.h"

#include <QEvent>
#include <QWidget>

KeptPlacement::KeptPlacement(QWidget* window, zev::Profile& profile, std::string name)
    : QObject(window), m_window(window), m_profile(profile), m_name(std::move(name))
{
    if (const auto stored = zev::WindowPlacement::Parse(m_profile.GetText(m_name))) {
        m_window->setGeometry(stored->left, stored->top, stored->Width(), stored->Height());
        m_restored = true;
    }
    m_window->installEventFilter(this);
}

bool KeptPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Hide)
        Save();
    return QObject::eventFilter(watched, event);
}

void KeptPlacement::Save()
{
    if (m_window->isMinimized() || m_window->isMaximized())
        return;
    const QRect g = m_window->geometry();
    const zev::WindowPlacement placement{g.top(), g.left(), g.top() + g.height(), g.left() + g.width()};
    // Losing it only costs the user a window move; never worth a message.
    (void)m_profile.SetText(m_name, placement.Text());
}
