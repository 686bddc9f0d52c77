#include "accounts/views/CFormsDlg.h"

#include "accounts/views/FormAnswersModel.h"
#include "app/ui/CZevCellDelegate.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

CFormsDlg::CFormsDlg(int accountId, zev::IMessageBox& messages, QWidget* parent)
    : CZevDialog(parent), m_filler(messages, accountId), m_entries(zev::FormFiller::Forms()),
      m_forms(new QComboBox(this)), m_list(new QTableView(this)), m_model(new FormAnswersModel(m_filler, this)),
      m_save(new QPushButton(tr("&Save"), this))
{
    setWindowTitle(tr("Forms"));
    auto* formLabel = new QLabel(tr("&Form:"), this);
    formLabel->setBuddy(m_forms);
    for (const zev::FormEntry& e : m_entries)
        m_forms->addItem(QString::fromStdString(e.name), e.formId);
    AddControl(QStringLiteral("LBL_FORM"), formLabel);
    AddControl(QStringLiteral("LST_FORMS"), m_forms);

    m_list->setModel(m_model);
    // The answer editor says which question it answers.
    m_list->setItemDelegate(new CZevCellDelegate(m_list));
    m_list->setAccessibleName(tr("Questions and answers"));
    m_list->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_list->verticalHeader()->hide();
    m_list->setColumnWidth(0, 280);
    m_list->horizontalHeader()->setStretchLastSection(true);
    AddControl(QStringLiteral("LST_QUESTIONS"), m_list);

    auto* close = new QPushButton(tr("&Close"), this);
    AddControl(1, QStringLiteral("BTN_SAVE"), m_save);
    AddControl(2, QStringLiteral("BTN_CLOSE"), close);

    auto* top = new QHBoxLayout;
    top->addWidget(formLabel);
    top->addWidget(m_forms, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(520, 380);

    connect(m_forms, &QComboBox::activated, this, [this](int index) { ChooseForm(index); });
    connect(m_save, &QPushButton::clicked, this, &CFormsDlg::OnSave);
    connect(close, &QPushButton::clicked, this, &CFormsDlg::reject);
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] { m_save->setEnabled(m_filler.Changed()); });
    if (!m_entries.empty())
        ChooseForm(0);
    m_save->setEnabled(false);
}

CFormsDlg::~CFormsDlg() = default;

bool CFormsDlg::ChooseForm(int index)
{
    if (index < 0 || index >= static_cast<int>(m_entries.size()))
        return false;
    if (index == m_shown)
        return true;
    if (!m_filler.ConfirmLeave()) {
        m_forms->setCurrentIndex(m_shown);
        return false;
    }
    m_filler.Select(m_entries[static_cast<std::size_t>(index)].formId);
    m_model->Reload();
    m_shown = index;
    m_forms->setCurrentIndex(index);
    m_save->setEnabled(false);
    return true;
}

void CFormsDlg::OnSave()
{
    if (m_filler.Save())
        m_model->Reload();
    m_save->setEnabled(m_filler.Changed());
}

void CFormsDlg::reject()
{
    if (m_shown >= 0 && !m_filler.ConfirmLeave())
        return;
    CZevDialog::reject();
}
