#pragma once

#include <QAccessible>
#include <QList>
#include <QPointer>
#include <QVariant>

// Records the accessibility events the program sends while it lives, as a
// screen reader would receive them: the update handler replaces the
// platform's bridge, and accessibility is switched on for the time. One at a
// time per process.
class AccessibleEventLog {
public:
    struct Entry {
        QPointer<QObject> object;
        QAccessible::Event type;
        QVariant value; // the new value of a value change
    };

    AccessibleEventLog();
    ~AccessibleEventLog();
    AccessibleEventLog(const AccessibleEventLog&) = delete;
    AccessibleEventLog& operator=(const AccessibleEventLog&) = delete;

    // How many events of `type` were sent for `object`.
    int Count(const QObject* object, QAccessible::Event type) const;
    // The last value a value change announced for `object` (invalid if none).
    QVariant LastValue(const QObject* object) const;
    void Clear();

private:
    static void Record(QAccessibleEvent* event);

    QAccessible::UpdateHandler m_previous;
    bool m_wasActive;
};
