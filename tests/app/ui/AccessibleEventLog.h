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

    // False where this build cannot switch the platform's accessibility on
    // (no Qt platform headers): nothing is then recorded.
    static bool Available();

    AccessibleEventLog();
    ~AccessibleEventLog();
    AccessibleEventLog(const AccessibleEventLog&) = delete;
    AccessibleEventLog& operator=(const AccessibleEventLog&) = delete;

    // How many events of `type` were sent for `object`.
    int Count(const QObject* object, QAccessible::Event type) const;
    // The last value a value change announced for `object` (invalid if none).
    QVariant LastValue(const QObject* object) const;
    void Clear();
    // Every event recorded, one per line, for failure messages.
    QString Dump() const;

private:
    static void Record(QAccessibleEvent* event);

    QAccessible::UpdateHandler m_previous;
    bool m_wasActive;
};
