#pragma once

#include "app/ui/CZevPropertyPage.h"
#include "sync/views/SyncViewContext.h"

class QLineEdit;
namespace zev {
class IScreenHost;
}

// Database page: delete the local database, restore the backup, leave.
class CMaintAppDBPage : public CZevPropertyPage {
    Q_OBJECT
public:
    CMaintAppDBPage(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent = nullptr);

    void OnDelete();
    void OnRestore();
    void OnExit();

signals:
    void CloseSheet();

private:
    zev::IScreenHost& m_host;
    zev::SyncViewContext m_sync;
};

// Local page: the user ID and password kept on this computer.
class CMaintAppLocalPage : public CZevPropertyPage {
    Q_OBJECT
public:
    CMaintAppLocalPage(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent = nullptr);

    // True when the entries were stored or nothing changed.
    bool OnSave();
    bool Modified() const;
    bool CanClose() override;

    QLineEdit* UserId() const { return m_userId; }
    QLineEdit* Password() const { return m_password; }
    QLineEdit* Confirmation() const { return m_confirmation; }

signals:
    void ShowMe();

private:
    zev::IScreenHost& m_host;
    zev::SyncViewContext m_sync;
    QLineEdit* m_userId;
    QLineEdit* m_password;
    QLineEdit* m_confirmation;
    QString m_storedUserId;
};

// "Application Maintenance".
class CMaintAppSheet : public CZevPropertySheet {
    Q_OBJECT
public:
    CMaintAppSheet(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent = nullptr);

    CMaintAppDBPage* DatabasePage() const { return m_db; }
    CMaintAppLocalPage* LocalPage() const { return m_local; }

private:
    CMaintAppDBPage* m_db;
    CMaintAppLocalPage* m_local;
};
