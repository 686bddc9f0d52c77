#pragma once

#include "app/ui/CZevBaseView.h"

class QLabel;
class QTimer;

// The start screen: the program's name and emblem in the middle of the window
// for three seconds (or until a click), then first-time setup when nobody is
// registered yet, otherwise sign-in.
class CZevSatchelView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 3000;

    explicit CZevSatchelView(zev::IScreenHost& host, QWidget* parent = nullptr);

    // Stops the timer and posts the switch; runs once.
    void Continue();
    bool TimerActive() const;

protected:
    void OnInitialUpdate() override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Centre();

    QLabel* m_title;
    QLabel* m_logo;
    QLabel* m_icon;
    QLabel* m_hint;
    QTimer* m_timer;
    bool m_done = false;
};
