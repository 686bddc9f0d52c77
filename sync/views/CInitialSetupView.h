#pragma once

#include "app/ui/CZevBaseView.h"
#include "sync/views/SyncViewContext.h"

class QLineEdit;

// First-time setup: records who the representative is (and, for a manager,
// the manager ID) before the first sign-in.
class CInitialSetupView : public CZevBaseView {
    Q_OBJECT
public:
    CInitialSetupView(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent = nullptr);

    void OnOk();
    void OnCancel();

protected:
    void OnInitialUpdate() override;

private:
    bool ManagerMode() const;

    zev::SyncViewContext m_sync;
    QLineEdit* m_userId;
    QLineEdit* m_password;
    QLineEdit* m_confirmation;
    QLineEdit* m_managerId;
};
