#pragma once

#include <QObject>

#include <string>

class QWidget;

namespace zev {
class Profile;
}

// Keeps a top-level window's size and place in the profile under `name`,
// as the main window keeps its own: put back when made, written each time
// the window is hidden (closed, accepted or rejected). Owned by the window.
class KeptPlacement : public QObject {
    Q_OBJECT
public:
    KeptPlacement(QWidget* window, zev::Profile& profile, std::string name);

    // True when a stored placement was put back.
    bool Restored() const { return m_restored; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Save();

    QWidget* m_window;
    zev::Profile& m_profile;
    std::string m_name;
    bool m_restored = false;
};
