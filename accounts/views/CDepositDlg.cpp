#include "accounts/views/CDepositDlg.h"

#include "accounts/views/CCheckListCtrl.h"
#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/ui/CZevDialog.h"
#include "app/ui/DocumentState.h"
#include "app/ui/KeptPlacement.h"
#include "app/ui/ScreenHost.h"
#include "tables/SqlText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr std::size_t kDetail1Shown = 191;
constexpr std::size_t kDetail2Shown = 192;
constexpr std::size_t kKeepsPlace = 35;
constexpr int kDepositList = 12;
constexpr const char* kPlacementName = "DepositWindow";

} // namespace

CDepositDlg::CDepositDlg(zev::IScreenHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_list(new CCheckListCtrl(this)),
      m_caption1(new QLabel(tr("Deposit &Slip #:"), this)), m_caption2(new QLabel(tr("&Bank:"), this)),
      m_detail1(new QLineEdit(this)), m_detail2(new QLineEdit(this)),
      m_total(new QLineEdit(QStringLiteral("0.00"), this))
{
    setWindowTitle(tr("Deposit"));
    const zev::ZevConfig& config = host.State().settings.config;
    m_list->SetupOr(kDepositList, config, &host.UserProfile(),
                    {tr("Account"), tr("Invoice #"), tr("Type"), tr("Check #"), tr("Amount")});
    m_list->setAccessibleName(tr("Collections to deposit"));
    m_caption1->setBuddy(m_detail1);
    m_caption2->setBuddy(m_detail2);
    m_detail1->setAccessibleName(tr("Deposit slip number"));
    m_detail2->setAccessibleName(tr("Bank"));
    m_detail1->setMaxLength(50);
    m_detail2->setMaxLength(50);
    auto* totalLabel = new QLabel(tr("Selected &Total:"), this);
    totalLabel->setBuddy(m_total);
    m_total->setReadOnly(true);
    m_total->setAccessibleName(tr("Selected total"));
    m_total->setAlignment(Qt::AlignRight);

    auto* buttons = new QDialogButtonBox(this);
    auto* send = buttons->addButton(tr("&Send"), QDialogButtonBox::ActionRole);
    send->setAccessibleName(tr("Send"));
    auto* close = buttons->addButton(tr("&Close"), QDialogButtonBox::RejectRole);
    close->setAccessibleName(tr("Close"));
    connect(send, &QPushButton::clicked, this, &CDepositDlg::OnSend);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &CCheckListCtrl::CheckChanged, this, [this] { ShowTotal(); });

    auto* form = new QGridLayout;
    form->addWidget(m_caption1, 0, 0);
    form->addWidget(m_detail1, 0, 1);
    form->addWidget(m_caption2, 1, 0);
    form->addWidget(m_detail2, 1, 1);
    form->addWidget(totalLabel, 2, 0);
    form->addWidget(m_total, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const bool show1 = config.IsOn(kDetail1Shown);
    const bool show2 = config.IsOn(kDetail2Shown);
    m_caption1->setVisible(show1);
    m_detail1->setVisible(show1);
    m_caption2->setVisible(show2);
    m_detail2->setVisible(show2);
    resize(620, 420);
    // The layout's place first; where the user last left the window wins.
    if (config.IsOn(kKeepsPlace)) {
        zev::ApplyScreenRecord(this, kPlacementName, host.State().settingsFilePath);
        new KeptPlacement(this, host.UserProfile(), kPlacementName);
    }
    Fill();
}

void CDepositDlg::Fill()
{
    if (!m_receivables.LoadDepositRows(m_rows))
        m_rows.clear();
    std::vector<QStringList> rows;
    for (const zev::DepositRow& r : m_rows)
        rows.push_back(
            {QString::fromStdString(r.companyName + " (" + r.accountNumber + ")"), QString::fromStdString(r.invoiceNo),
             QString::fromStdString(zev::Receivables::PaymentName(r.paymentType)),
             QString::fromStdString(r.checkNumber), QString::fromStdString(zev::Receivables::Money(r.todayCents))});
    m_list->SetRows(std::move(rows), {});
    ShowTotal();
}

// The selected total is the sum of the checked collections.
void CDepositDlg::ShowTotal()
{
    std::int64_t cents = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_list->IsChecked(static_cast<int>(i)))
            cents += m_rows[i].todayCents;
    m_total->setText(QString::fromStdString(zev::Receivables::Money(cents)));
}

void CDepositDlg::OnSend()
{
    if (m_rows.empty())
        return;
    const std::pair<QLabel*, QLineEdit*> details[] = {{m_caption1, m_detail1}, {m_caption2, m_detail2}};
    for (const auto& [caption, field] : details) {
        if (!field->isHidden() && zev::SqlText::Trim(field->text().toStdString()).empty()) {
            const std::string name = caption->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).toStdString();
            m_host.Messages().ShowText(
                zev::SqlText::Format("You must fill in the %s field before proceeding.", name.c_str()),
                zev::ids::kCaptionWarning, zev::MbButtons::Ok, zev::MbIcon::Warning);
            field->setFocus();
            return;
        }
    }
    std::vector<zev::DepositRow> checked;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_list->IsChecked(static_cast<int>(i)))
            checked.push_back(m_rows[i]);
    const std::string d1 = m_detail1->isHidden() ? std::string() : m_detail1->text().toStdString();
    const std::string d2 = m_detail2->isHidden() ? std::string() : m_detail2->text().toStdString();
    if (!m_receivables.Deposit(checked, d1, d2)) {
        m_host.Messages().ShowText("The deposit could not be saved; nothing was marked deposited.",
                                   zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return;
    }
    m_host.Messages().ShowText("Deposit information saved", zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                               zev::MbIcon::Information);
    Fill();
}
