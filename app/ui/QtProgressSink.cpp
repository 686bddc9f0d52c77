#include "app/ui/QtProgressSink.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QThread>

QtProgressSink::QtProgressSink(QLabel* status, QProgressBar* bar) : m_status(status), m_bar(bar) {}

void QtProgressSink::Report(int percent, const std::string& text)
{
    const QString qtext = QString::fromStdString(text);
    if (QThread::currentThread() == qApp->thread()) {
        Apply(percent, qtext);
        // Paint now: the caller holds the event loop until its step ends, and
        // running the loop here could deliver a screen switch mid-handler.
        if (m_bar)
            m_bar->repaint();
        if (m_status)
            m_status->repaint();
        return;
    }
    QPointer<QLabel> status = m_status;
    QPointer<QProgressBar> bar = m_bar;
    QMetaObject::invokeMethod(
        qApp,
        [status, bar, percent, qtext] {
            if (bar)
                bar->setValue(std::clamp(percent, 0, 100));
            if (status && !qtext.isEmpty())
                status->setText(qtext);
        },
        Qt::QueuedConnection);
}

void QtProgressSink::Apply(int percent, const QString& text)
{
    if (m_bar)
        m_bar->setValue(std::clamp(percent, 0, 100));
    if (m_status && !text.isEmpty())
        m_status->setText(text);
}
