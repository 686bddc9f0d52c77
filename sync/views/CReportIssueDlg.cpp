#include "sync/views/CReportIssueDlg.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/ui/WaitCursor.h"
#include "sync/IssueReport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
constexpr int kFieldBlank = 65064;
constexpr int kNotSaved = 65065;
using zev::ids::kCaptionError;
using zev::ids::kCaptionWarning;
} // namespace

CReportIssueDlg::CReportIssueDlg(zev::sync::ISyncDb& db, std::string userId, zev::IMessageBox& messages,
                                 const std::string& settingsPath, QWidget* parent)
    : CZevDialog(parent), m_db(db), m_userId(std::move(userId)), m_messages(messages), m_short(new QLineEdit(this)),
      m_details(new QPlainTextEdit(this)), m_contact(new QCheckBox(tr("Please contact me regarding this issue"), this))
{
    setWindowTitle(tr("Report Issue"));
    resize(460, 340);
    auto* shortLabel = new QLabel(tr("Short Description: "), this);
    auto* detailsLabel = new QLabel(tr("Details: "), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(shortLabel);
    layout->addWidget(m_short);
    layout->addWidget(detailsLabel);
    layout->addWidget(m_details, 1);
    layout->addWidget(m_contact);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CReportIssueDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CReportIssueDlg::reject);

    AddControl(1072, QStringLiteral("EDT_SHORTDESC"), m_short);
    AddControl(1285, QStringLiteral("EDT_DETAILS"), m_details);
    AddControl(1108, QStringLiteral("BTN_CONTACT"), m_contact);
    LayOut("ReportIssue", settingsPath);
}

void CReportIssueDlg::accept()
{
    const std::string shortText = m_short->text().trimmed().toStdString();
    const std::string details = m_details->toPlainText().trimmed().toStdString();
    if (shortText.empty()) {
        m_messages.Show(kFieldBlank, kCaptionWarning, zev::MbButtons::Ok, zev::MbIcon::Warning);
        m_short->setFocus();
        return;
    }
    if (details.empty()) {
        m_messages.Show(kFieldBlank, kCaptionWarning, zev::MbButtons::Ok, zev::MbIcon::Warning);
        m_details->setFocus();
        return;
    }
    bool stored;
    {
        zev::WaitCursor wait;
        stored = zev::sync::FileIssue(m_db, shortText, details, m_userId, m_contact->isChecked());
    }
    if (!stored)
        m_messages.Show(kNotSaved, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
    QDialog::accept();
}
