#pragma once

#include "base/ProgressSink.h"

#include <QPointer>

class QLabel;
class QProgressBar;

// Drives a screen's status text and progress bar. From the user-interface
// thread each report repaints the two controls at once; from a worker thread the report is posted to the window.
class QtProgressSink final : public zev::IProgressSink {
public:
    QtProgressSink(QLabel* status, QProgressBar* bar);

    void Report(int percent, const std::string& text) override;

private:
    void Apply(int percent, const QString& text);

    QPointer<QLabel> m_status;
    QPointer<QProgressBar> m_bar;
};
