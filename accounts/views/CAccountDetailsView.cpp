#include "accounts/views/CAccountDetailsView.h"

#include "accounts/views/CEditAccountInfo.h"
#include "accounts/views/CFormsDlg.h"
#include "app/core/CZevSettings.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/ScreenHost.h"
#include "base/Clock.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

CAccountDetailsView::CAccountDetailsView(zev::IScreenHost& host, zev::AccountsViewContext context, QWidget* parent)
    : CZevBaseView(host, "AcctDetailView", parent), m_context(std::move(context)),
      m_details(std::make_unique<zev::AccountDetails>(
          zev::AccountDetails::Switches::FromConfig(host.State().settings.config), host.Messages())),
      m_noteEdit(new QLineEdit(this)), m_notes(new CZevListCtrl(this)), m_attributesLabel(new QLabel(this)),
      m_attributes(new QListView(this)), m_attributeRows(new QStringListModel(this))
{
}

CAccountDetailsView::~CAccountDetailsView() = default;

QLabel* CAccountDetailsView::Label(int id) const
{
    auto it = m_labels.find(id);
    return it == m_labels.end() ? nullptr : it->second;
}

QPushButton* CAccountDetailsView::Button(int id) const
{
    auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

void CAccountDetailsView::OnInitialUpdate()
{
    auto label = [this](int id, const char* name, const QString& accessible) {
        auto* l = new QLabel(this);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        l->setAccessibleName(accessible);
        m_labels[id] = l;
        AddControl(id, QString::fromLatin1(name), l);
        return l;
    };
    auto* addressGroup = new QGroupBox(tr("Address"), this);
    AddControl(1050, QStringLiteral("LBL_ADDRESSGROUP"), addressGroup);
    auto* addressLayout = new QVBoxLayout(addressGroup);
    for (QLabel* l :
         {label(kCompanyName, "LBL_COMPANYNAME", tr("Company name")), label(kAddress1, "LBL_ADDRESS1", tr("Address")),
          label(kCityLine, "LBL_CITYSTATEZIP", tr("City, state and zip")), label(kPhone, "LBL_PHONE", tr("Phone")),
          label(kFax, "LBL_FAX", tr("Fax"))})
        addressLayout->addWidget(l);
    m_labels[kCompanyName]->setStyleSheet(QStringLiteral("font-weight: bold"));
    auto* contactGroup = new QGroupBox(tr("Contacts"), this);
    AddControl(1051, QStringLiteral("LBL_CONTACTGROUP"), contactGroup);
    auto* contactLayout = new QVBoxLayout(contactGroup);
    contactLayout->addWidget(label(kContact1, "LBL_CONTACT1", tr("Contact")));
    contactLayout->addWidget(label(kContact2, "LBL_CONTACT2", tr("Alternate contact")));
    contactLayout->addWidget(label(kComment1, "LBL_MISTTEXT1", tr("Comment")));
    contactLayout->addWidget(label(kComment2, "LBL_MISCTEXT2", tr("Second comment")));
    contactLayout->addStretch();

    auto button = [this](int id, const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        m_buttons[id] = b;
        AddControl(id, QString::fromLatin1(name), b);
        return b;
    };
    auto* commands = new QHBoxLayout;
    commands->addWidget(button(kOrderGuide, "BTN_ORDERGUIDE", tr("Order &Guide")));
    commands->addWidget(button(kOrderHistory, "BTN_ORDERHISTORY", tr("Order Hi&story")));
    commands->addWidget(button(kEditAccount, "BTN_EDITACCOUNT", tr("&Edit Account...")));
    commands->addWidget(button(kForms, "BTN_FORMS", tr("F&orms...")));
    commands->addStretch();

    auto* noteLabel = new QLabel(tr("&New note:"), this);
    noteLabel->setBuddy(m_noteEdit);
    m_noteEdit->setMaxLength(zev::AccountDetails::kNoteMaxLength);
    AddControl(kNoteEdit, QStringLiteral("EDT_NOTE"), m_noteEdit);
    auto* noteRow = new QHBoxLayout;
    noteRow->addWidget(noteLabel);
    noteRow->addWidget(m_noteEdit, 1);
    noteRow->addWidget(button(kNoteSave, "BTN_NOTESAVE", tr("Sa&ve Note")));
    noteRow->addWidget(button(kNoteDelete, "BTN_NOTEDELETE", tr("&Delete Note")));

    m_notes->Model()->SetColumns({tr("Date"), tr("Note")}, {0, 0});
    m_notes->setColumnWidth(0, 110);
    m_notes->setColumnWidth(1, 400);
    m_notes->horizontalHeader()->setStretchLastSection(true);
    m_notes->setAccessibleName(tr("Notes"));
    AddControl(kNotes, QStringLiteral("LST_NOTES"), m_notes);

    m_attributesLabel->setText(tr("&Attributes:"));
    m_attributesLabel->setBuddy(m_attributes);
    m_attributes->setModel(m_attributeRows);
    m_attributes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AddControl(1542, QStringLiteral("LBL_AATTRIBUTES"), m_attributesLabel);
    AddControl(kAttributes, QStringLiteral("LST_AATTRIBUTES"), m_attributes);

    auto* top = new QGridLayout;
    top->addWidget(addressGroup, 0, 0);
    top->addWidget(contactGroup, 0, 1);
    auto* attributeColumn = new QVBoxLayout;
    attributeColumn->addWidget(m_attributesLabel);
    attributeColumn->addWidget(m_attributes);
    top->addLayout(attributeColumn, 0, 2);
    top->setColumnStretch(0, 2);
    top->setColumnStretch(1, 2);
    top->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->addLayout(top);
    layout->addLayout(commands);
    layout->addLayout(noteRow);
    layout->addWidget(m_notes, 1);
    LayOut();

    connect(m_noteEdit, &QLineEdit::textChanged, this, [this] { UpdateNoteButtons(); });
    connect(m_noteEdit, &QLineEdit::returnPressed, this, &CAccountDetailsView::OnSaveNote);
    connect(m_buttons[kNoteSave], &QPushButton::clicked, this, &CAccountDetailsView::OnSaveNote);
    connect(m_buttons[kNoteDelete], &QPushButton::clicked, this, &CAccountDetailsView::OnDeleteNote);
    connect(m_buttons[kEditAccount], &QPushButton::clicked, this, &CAccountDetailsView::OnEditAccount);
    connect(m_buttons[kForms], &QPushButton::clicked, this, &CAccountDetailsView::OnForms);
    connect(m_buttons[kOrderGuide], &QPushButton::clicked, this,
            [this] { Host().PostSwitchScreen(kScreenOrderGuide); });
    connect(m_buttons[kOrderHistory], &QPushButton::clicked, this,
            [this] { Host().PostSwitchScreen(kScreenOrderHistory); });
    connect(m_notes->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateNoteButtons(); });

    Host().SetScreenTitle(kTitle);
    ShowAccount();
    ShowNotes();
    m_noteEdit->setFocus();
}

void CAccountDetailsView::ShowAccount()
{
    m_details->Load(m_context.current.accountId);
    const zev::AccountDetails::Labels& t = m_details->Texts();
    auto set = [this](int id, const std::string& text) { m_labels[id]->setText(QString::fromStdString(text)); };
    set(kCompanyName, t.companyName);
    set(kAddress1, t.address1);
    set(kCityLine, m_details->Found() ? t.cityLine : std::string());
    set(kContact1, t.contact1);
    set(kContact2, t.contact2);
    set(kPhone, t.phone);
    set(kFax, t.fax);
    set(kComment1, t.comment1);
    set(kComment2, t.comment2);
    m_labels[kComment1]->setVisible(!t.comment1.empty());
    m_labels[kComment2]->setVisible(!t.comment2.empty());

    const zev::AccountDetails::Switches& s = m_details->Settings();
    m_labels[kFax]->setVisible(s.faxShown);
    m_buttons[kOrderHistory]->setVisible(s.orderHistory);
    m_buttons[kOrderHistory]->setEnabled(Host().HasScreen(kScreenOrderHistory));
    m_buttons[kOrderGuide]->setEnabled(Host().HasScreen(kScreenOrderGuide) && m_details->Found());
    m_buttons[kEditAccount]->setVisible(s.editAccount);
    m_buttons[kEditAccount]->setEnabled(m_details->Found());
    m_buttons[kForms]->setVisible(s.forms);
    m_buttons[kForms]->setEnabled(m_details->Found());
    m_attributesLabel->setVisible(s.attributes);
    m_attributes->setVisible(s.attributes);
    QStringList lines;
    for (const std::string& line : m_details->Attributes())
        lines << QString::fromStdString(line);
    m_attributeRows->setStringList(lines);
}

void CAccountDetailsView::ShowNotes()
{
    std::vector<QStringList> rows;
    std::vector<QVariant> keys;
    for (const zev::AccountNote& note : m_details->Notes()) {
        rows.push_back(
            {QString::fromStdString(m_details->NoteDateText(note.entered)), QString::fromStdString(note.comment)});
        keys.emplace_back(static_cast<qlonglong>(note.entered));
    }
    m_notes->Model()->SetRows(std::move(rows), std::move(keys));
    UpdateNoteButtons();
}

void CAccountDetailsView::UpdateNoteButtons()
{
    m_buttons[kNoteSave]->setEnabled(m_details->Found() &&
                                     zev::AccountDetails::CanSaveNote(m_noteEdit->text().toStdString()));
    m_buttons[kNoteDelete]->setEnabled(m_notes->selectionModel()->hasSelection());
}

void CAccountDetailsView::OnSaveNote()
{
    if (!m_buttons[kNoteSave]->isEnabled())
        return;
    zev::SystemClock system;
    const zev::IClock& clock = m_context.clock ? *m_context.clock : static_cast<const zev::IClock&>(system);
    if (m_details->SaveNote(m_noteEdit->text().toStdString(), clock.Now()) != zev::AccountDetails::NoteResult::Saved)
        return;
    m_noteEdit->clear();
    ShowNotes();
}

void CAccountDetailsView::OnDeleteNote()
{
    const QModelIndexList selected = m_notes->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const auto entered = static_cast<std::time_t>(m_notes->Model()->RowData(selected.first().row()).toLongLong());
    if (m_details->DeleteNote(entered))
        ShowNotes();
}

void CAccountDetailsView::OnEditAccount()
{
    if (!m_details->Found() || !m_details->Settings().editAccount)
        return;
    if (CEditAccountInfo::EditAccount(this, m_details->AccountId(), Host().State().settings.config, Host().Messages(),
                                      Host().State().settingsFilePath))
        ShowAccount();
}

void CAccountDetailsView::OnForms()
{
    if (!m_details->Found() || !m_details->Settings().forms)
        return;
    CFormsDlg dialog(m_details->AccountId(), Host().Messages(), this);
    dialog.LayOut("FormsDlg", Host().State().settingsFilePath);
    dialog.exec();
}

CZevBaseView* CreateAccountDetailsView(zev::IScreenHost& host, zev::AccountsViewContext context)
{
    return new CAccountDetailsView(host, std::move(context));
}
