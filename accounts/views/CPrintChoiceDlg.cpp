#include "accounts/views/CPrintChoiceDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CPrintChoiceDlg::CPrintChoiceDlg(QWidget* parent)
    : CZevDialog(parent), m_itinerary(new QRadioButton(tr("&Itinerary"), this)),
      m_accomplishments(new QRadioButton(tr("&Accomplishments"), this))
{
    setWindowTitle(tr("Print"));
    auto* prompt = new QLabel(tr("&What would you like to print?"), this);
    prompt->setBuddy(m_itinerary);
    m_itinerary->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_itinerary);
    layout->addWidget(m_accomplishments);
    layout->addWidget(buttons);

    AddControl(1503, QStringLiteral("BTN_ITINERARY"), m_itinerary);
    AddControl(1504, QStringLiteral("BTN_ACCOMPLISHMENTS"), m_accomplishments);
}

CPrintChoiceDlg::Choice CPrintChoiceDlg::Chosen() const
{
    return m_accomplishments->isChecked() ? Accomplishments : Itinerary;
}
