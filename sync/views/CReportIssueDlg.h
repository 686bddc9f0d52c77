#pragma once

#include "app/ui/CZevDialog.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
namespace zev {
class IMessageBox;
namespace sync {
class ISyncDb;
}
} // namespace zev

// "Report Issue": a short description, details and whether the office should
// call back; stored locally and uploaded with the next synchronisation.
class CReportIssueDlg : public CZevDialog {
    Q_OBJECT
public:
    CReportIssueDlg(zev::sync::ISyncDb& db, std::string userId, zev::IMessageBox& messages,
                    const std::string& settingsPath, QWidget* parent = nullptr);

    void accept() override;

    QLineEdit* ShortDescription() const { return m_short; }
    QPlainTextEdit* Details() const { return m_details; }
    QCheckBox* ContactMe() const { return m_contact; }

private:
    zev::sync::ISyncDb& m_db;
    std::string m_userId;
    zev::IMessageBox& m_messages;
    QLineEdit* m_short;
    QPlainTextEdit* m_details;
    QCheckBox* m_contact;
};
