#include "tests/app/ui/AccessibleEventLog.h"

#ifdef ZEV_HAVE_QPA_ACCESSIBILITY
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#endif

namespace {
QList<AccessibleEventLog::Entry>& Entries()
{
    static QList<AccessibleEventLog::Entry> entries;
    return entries;
}

// Widgets send their events only while the platform's accessibility is
// active, as it is when a screen reader listens.
void SetPlatformActive(bool active)
{
#ifdef ZEV_HAVE_QPA_ACCESSIBILITY
    if (QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration())
        if (QPlatformAccessibility* accessibility = platform->accessibility())
            accessibility->setActive(active);
#else
    QAccessible::setActive(active);
#endif
}
} // namespace

bool AccessibleEventLog::Available()
{
#ifdef ZEV_HAVE_QPA_ACCESSIBILITY
    return true;
#else
    return false;
#endif
}

AccessibleEventLog::AccessibleEventLog()
    : m_previous(QAccessible::installUpdateHandler(&AccessibleEventLog::Record)), m_wasActive(QAccessible::isActive())
{
    Entries().clear();
    SetPlatformActive(true);
}

AccessibleEventLog::~AccessibleEventLog()
{
    QAccessible::installUpdateHandler(m_previous);
    SetPlatformActive(m_wasActive);
    Entries().clear();
}

void AccessibleEventLog::Record(QAccessibleEvent* event)
{
    Entry entry{event->object(), event->type(), {}};
    if (event->type() == QAccessible::ValueChanged)
        entry.value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    Entries().append(entry);
}

int AccessibleEventLog::Count(const QObject* object, QAccessible::Event type) const
{
    int n = 0;
    for (const Entry& e : Entries())
        if (e.object == object && e.type == type)
            ++n;
    return n;
}

QVariant AccessibleEventLog::LastValue(const QObject* object) const
{
    QVariant value;
    for (const Entry& e : Entries())
        if (e.object == object && e.type == QAccessible::ValueChanged)
            value = e.value;
    return value;
}

void AccessibleEventLog::Clear() { Entries().clear(); }

QString AccessibleEventLog::Dump() const
{
    QString text;
    for (const Entry& e : Entries())
        text += QStringLiteral("%1 0x%2 %3\n")
                    .arg(e.object ? QString::fromLatin1(e.object->metaObject()->className()) : QStringLiteral("-"))
                    .arg(static_cast<int>(e.type), 0, 16)
                    .arg(e.value.toString());
    return text;
}
