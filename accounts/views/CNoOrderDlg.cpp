#include "accounts/views/CNoOrderDlg.h"

#include "app/ui/ZevControlSet.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

CNoOrderDlg::CNoOrderDlg(const std::string& noSaleCaption, const std::string& noCallCaption, int noteMaxLength,
                         QWidget* parent)
    : CZevDialog(parent), m_noSale(new QRadioButton(tr("&Customer did not make a purchase."), this)),
      m_noCall(new QRadioButton(tr("&Did not visit customer."), this)), m_note(new QPlainTextEdit(this)), m_ok(nullptr),
      m_maxLength(noteMaxLength > 0 ? noteMaxLength : 255)
{
    setWindowTitle(tr("No Sale / No Call"));

    auto* prompt = new QLabel(tr("Please choose the reason for not having an order for this customer"), this);
    prompt->setWordWrap(true);
    auto* noteLabel = new QLabel(tr("If &needed you may enter more detailed notes below"), this);
    noteLabel->setBuddy(m_note);
    m_note->setTabChangesFocus(true);

    // Neither choice is made at first: the OK button waits for one.
    auto* group = new QButtonGroup(this);
    group->addButton(m_noSale);
    group->addButton(m_noCall);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);

    // The distributor's captions replace the texts but keep an access key
    // each (one the dialog does not use already).
    if (!noSaleCaption.empty())
        zev::SetControlText(m_noSale, QString::fromStdString(noSaleCaption));
    if (!noCallCaption.empty())
        zev::SetControlText(m_noCall, QString::fromStdString(noCallCaption));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_noSale);
    layout->addWidget(m_noCall);
    layout->addWidget(noteLabel);
    layout->addWidget(m_note);
    layout->addWidget(buttons);
    resize(420, 300);

    AddControl(1500, QStringLiteral("LBL_PROMPT"), prompt);
    AddControl(1502, QStringLiteral("BTN_NOSALE"), m_noSale);
    AddControl(1506, QStringLiteral("BTN_NOCALL"), m_noCall);
    AddControl(1507, QStringLiteral("LBL_NOTES"), noteLabel);
    AddControl(1058, QStringLiteral("EDT_NOTES"), m_note);

    connect(group, &QButtonGroup::buttonClicked, this, [this] { m_ok->setEnabled(true); });
    connect(m_note, &QPlainTextEdit::textChanged, this, &CNoOrderDlg::LimitNote);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

zev::CallPlanner::NoOrderReason CNoOrderDlg::Reason() const
{
    return m_noCall->isChecked() ? zev::CallPlanner::NoOrderReason::NoCall : zev::CallPlanner::NoOrderReason::NoSale;
}

std::string CNoOrderDlg::Note() const { return m_note->toPlainText().toStdString(); }

// The note box has no length limit of its own: cut what was typed or pasted.
void CNoOrderDlg::LimitNote()
{
    const QString text = m_note->toPlainText();
    if (text.toUtf8().size() <= m_maxLength)
        return;
    QString cut = text;
    while (!cut.isEmpty() && cut.toUtf8().size() > m_maxLength)
        cut.chop(1);
    const QSignalBlocker block(m_note);
    m_note->setPlainText(cut);
    m_note->moveCursor(QTextCursor::End);
}
