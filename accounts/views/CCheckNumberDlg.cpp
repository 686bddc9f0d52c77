#include "accounts/views/CCheckNumberDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CCheckNumberDlg::CCheckNumberDlg(const QString& number, QWidget* parent)
    : QDialog(parent), m_number(new QLineEdit(number, this))
{
    setWindowTitle(tr("Check Number"));
    auto* prompt = new QLabel(tr("Please enter the check number for this collection."), this);
    prompt->setBuddy(m_number);
    m_number->setAccessibleName(tr("Check number"));
    m_number->setMaxLength(20);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_number);
    layout->addWidget(buttons);
}

QString CCheckNumberDlg::Number() const { return m_number->text(); }
