#include "tests/app/ui/AccessibleEventLog.h"

namespace {
QList<AccessibleEventLog::Entry>& Entries()
{
    static QList<AccessibleEventLog::Entry> entries;
    return entries;
}
} // namespace

AccessibleEventLog::AccessibleEventLog()
    : m_previous(QAccessible::installUpdateHandler(&AccessibleEventLog::Record)), m_wasActive(QAccessible::isActive())
{
    Entries().clear();
    QAccessible::setActive(true);
}

AccessibleEventLog::~AccessibleEventLog()
{
    QAccessible::installUpdateHandler(m_previous);
    QAccessible::setActive(m_wasActive);
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
