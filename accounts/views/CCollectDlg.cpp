#include "accounts/views/CCollectDlg.h"

#include "accounts/Receivables.h"
#include "accounts/views/CCheckNumberDlg.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "tables/SqlText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kNotMoreThanBillable = 65040;
constexpr int kCheckNumberRequired = 65144;

QString AmountText(std::int64_t cents, const char* format)
{
    return QString::asprintf(format, static_cast<double>(cents) / 100.0);
}

} // namespace

CCollectDlg::CCollectDlg(std::int64_t limitCents, int paymentType, std::string checkNumber, zev::IMessageBox& messages,
                         QWidget* parent)
    : QDialog(parent), m_limit(limitCents), m_checkNumber(std::move(checkNumber)), m_messages(messages),
      m_amount(new QLineEdit(AmountText(limitCents, "%5.2lf").trimmed(), this)), m_payment(new QComboBox(this))
{
    setWindowTitle(tr("Collect"));
    m_checkSource = [](QWidget* owner, const std::string& current) -> std::optional<std::string> {
        CCheckNumberDlg dialog(QString::fromStdString(current), owner);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Number().toStdString();
    };

    auto* amountLabel = new QLabel(tr("&Amount:"), this);
    amountLabel->setBuddy(m_amount);
    m_amount->setAccessibleName(tr("Amount"));
    auto* paymentLabel = new QLabel(tr("&Payment Method:"), this);
    paymentLabel->setBuddy(m_payment);
    m_payment->setAccessibleName(tr("Payment method"));
    for (int i = 0; i < 4; ++i)
        m_payment->addItem(QString::fromStdString(zev::Receivables::PaymentName(i)));
    m_payment->setCurrentIndex(paymentType >= 0 && paymentType < 4 ? paymentType : zev::Receivables::kPaymentCheck);

    // The keypad types into the amount field as the keyboard would.
    auto* pad = new QGridLayout;
    const std::pair<int, const char*> keys[] = {{1294, "7"}, {1295, "8"}, {1296, "9"}, {1291, "4"},
                                                {1292, "5"}, {1293, "6"}, {1288, "1"}, {1012, "2"},
                                                {1290, "3"}, {1297, "0"}, {1334, "."}};
    int index = 0;
    for (const auto& [id, text] : keys) {
        auto* key = new QPushButton(QString::fromLatin1(text), this);
        key->setAutoDefault(false);
        key->setFocusPolicy(Qt::NoFocus);
        key->setAccessibleName(id == 1334 ? tr("Decimal point") : tr("Digit %1").arg(QString::fromLatin1(text)));
        key->setMinimumSize(44, 36);
        connect(key, &QPushButton::clicked, this, [this, t = QString::fromLatin1(text)] { m_amount->insert(t); });
        pad->addWidget(key, index / 3, index % 3);
        m_keys[id] = key;
        ++index;
    }
    auto* clear = new QPushButton(tr("C&lear"), this);
    clear->setAutoDefault(false);
    clear->setAccessibleName(tr("Clear"));
    connect(clear, &QPushButton::clicked, this, [this] {
        m_amount->clear();
        m_amount->setFocus();
    });
    pad->addWidget(clear, 3, 2);
    m_keys[kClear] = clear;

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCollectDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QGridLayout;
    form->addWidget(amountLabel, 0, 0);
    form->addWidget(m_amount, 0, 1);
    form->addWidget(paymentLabel, 1, 0);
    form->addWidget(m_payment, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(pad);
    layout->addWidget(buttons);
    m_amount->selectAll();
    m_amount->setFocus();
}

QPushButton* CCollectDlg::Key(int id) const
{
    const auto it = m_keys.find(id);
    return it == m_keys.end() ? nullptr : it->second;
}

int CCollectDlg::PaymentType() const { return m_payment->currentIndex(); }

void CCollectDlg::accept()
{
    const std::optional<std::int64_t> amount = zev::Receivables::ParseCents(m_amount->text().toStdString());
    if (!amount || !zev::Receivables::WithinLimit(m_limit, *amount)) {
        m_messages.Show(kNotMoreThanBillable, zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                        zev::MbIcon::Information);
        m_amount->setText(AmountText(m_limit, "%.2f"));
        return;
    }
    if (PaymentType() == zev::Receivables::kPaymentCheck) {
        const std::optional<std::string> number = m_checkSource(this, m_checkNumber);
        if (!number)
            return;
        if (zev::SqlText::Trim(*number).empty()) {
            m_messages.Show(kCheckNumberRequired, zev::ids::kCaptionWarning, zev::MbButtons::Ok, zev::MbIcon::Warning);
            return;
        }
        m_checkNumber = zev::SqlText::Trim(*number);
    } else {
        m_checkNumber.clear();
    }
    m_amountCents = *amount;
    QDialog::accept();
}
