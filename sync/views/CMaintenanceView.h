#pragma once

#include "app/ui/CZevBaseView.h"
#include "sync/views/SyncViewContext.h"

#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QtProgressSink;

// Where the representative starts every exchange with the server and watches
// it run. Exchanges run on a worker thread: the window keeps drawing and the
// busy flag holds every other command until the run ends.
class CMaintenanceView : public CZevBaseView {
    Q_OBJECT
public:
    CMaintenanceView(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent = nullptr);
    ~CMaintenanceView() override;

    bool CanLeave(zev::Screen target) override;

    void OnSendOrders();
    void OnUpdateInventory();
    void OnSync();
    void OnRenew();
    void OnConnect();
    void OnDisconnect();
    void OnChangePassword();
    void OnAppMaintenance();
    void OnReportIssue();
    void OnDefaultColumns();
    void OnSwitchReps();
    void OnExportItems();

    QPushButton* Button(const char* name) const;
    QLabel* Status() const { return m_status; }
    QProgressBar* Progress() const { return m_progress; }

signals:
    // A run (or send) ended and the busy flag is clear again.
    void RunFinished(bool ok);

protected:
    void OnInitialUpdate() override;

private:
    bool Busy() const;
    // Runs `work` in the background with the busy flag set; `after` runs on
    // this thread with its result.
    void Run(std::function<bool()> work, std::function<void(bool)> after);
    void RunKind(int kind);
    void CheckNewMessages();
    void UpdateConnectButtons();
    bool ManagerMode() const;

    zev::SyncViewContext m_sync;
    QGroupBox* m_connGroup = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    std::unique_ptr<QtProgressSink> m_sink;
    bool m_running = false;
};
