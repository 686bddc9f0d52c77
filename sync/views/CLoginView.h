#pragma once

#include "app/ui/CZevBaseView.h"
#include "sync/views/SyncViewContext.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The sign-in screen: three tries at the password, then the recovery of a
// broken update, the database check and the screen the day starts on.
class CLoginView : public CZevBaseView {
    Q_OBJECT
public:
    static constexpr int kMaxAttempts = 3;

    CLoginView(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent = nullptr);

    void OnLogin();
    void OnReset();
    void OnClose();

    int Attempts() const { return m_attempts; }

protected:
    void OnInitialUpdate() override;

private:
    zev::Screen TargetScreen(zev::Screen wanted) const;

    zev::SyncViewContext m_sync;
    QLineEdit* m_userId;
    QLineEdit* m_password;
    QLabel* m_renew;
    QPushButton* m_login;
    int m_attempts = 0;
};
