#include "accounts/views/CAccountsView.h"

#include "accounts/AccountCreator.h"
#include "accounts/ItineraryReport.h"
#include "accounts/views/CCallPlanDlg.h"
#include "accounts/views/CItineraryPrinter.h"
#include "accounts/views/CNoOrderDlg.h"
#include "accounts/views/CreateAccountDlg.h"
#include "app/core/CZevSettings.h"
#include "app/core/Clock.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/DocumentState.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "tables/DayButtons.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <charconv>
#include <ctime>

namespace {

constexpr int kIconCount = 17;
constexpr int kMargin = 8;

// Small round badges stand for the 17 status icons: the call outcomes get a
// tick (order taken) and a cross (no order), the account states a colour.
QIcon StatusIcon(int number)
{
    static std::vector<QIcon> icons;
    if (icons.empty()) {
        static const QColor kColours[kIconCount] = {
            Qt::transparent,      QColor(70, 130, 180), QColor(218, 165, 32), QColor(178, 34, 34),
            QColor(128, 0, 128),  QColor(0, 128, 128),  QColor(255, 140, 0),  QColor(105, 105, 105),
            QColor(46, 139, 87),  QColor(199, 21, 133), QColor(34, 139, 34),  QColor(200, 30, 30),
            QColor(65, 105, 225), QColor(160, 82, 45),  QColor(112, 128, 144), QColor(0, 0, 139),
            QColor(85, 107, 47)};
        for (int i = 0; i < kIconCount; ++i) {
            QPixmap pixmap(16, 16);
            pixmap.fill(Qt::transparent);
            if (i != 0) {
                QPainter p(&pixmap);
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(Qt::NoPen);
                p.setBrush(kColours[i]);
                p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
                p.setPen(QPen(Qt::white, 2));
                if (i == 10) {
                    p.drawLine(QPointF(4.5, 8.5), QPointF(7, 11));
                    p.drawLine(QPointF(7, 11), QPointF(11.5, 5));
                } else if (i == 11) {
                    p.drawLine(QPointF(5, 5), QPointF(11, 11));
                    p.drawLine(QPointF(11, 5), QPointF(5, 11));
                }
            }
            icons.emplace_back(pixmap);
        }
    }
    return number >= 0 && number < kIconCount ? icons[static_cast<std::size_t>(number)] : QIcon();
}

bool InLayout(QLayout* layout, QWidget* widget)
{
    if (!layout)
        return false;
    if (layout->indexOf(widget) >= 0)
        return true;
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout* inner = layout->itemAt(i)->layout(); inner && InLayout(inner, widget))
            return true;
    return false;
}

int TodayIndex(const zev::IClock& clock)
{
    const std::time_t now = clock.Now();
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_wday;
}

} // namespace

CAccountsView::CAccountsView(zev::IScreenHost& host, zev::AccountsViewContext context, QWidget* parent)
    : CZevBaseView(host, "AcctView", parent), m_context(std::move(context)),
      m_ownClock(m_context.clock ? nullptr : std::make_unique<zev::SystemClock>()),
      m_clock(m_context.clock ? m_context.clock : m_ownClock.get()),
      m_settings(zev::AccountListSettings::FromConfig(host.State().settings.config)),
      m_model(std::make_unique<zev::AccountListModel>(m_settings, m_context.current, *m_clock, host.Messages())),
      m_list(new CZevListCtrl(this)), m_find(new QLineEdit(this))
{
}

CAccountsView::~CAccountsView()
{
    CancelEditor();
}

bool CAccountsView::CanLeave(int target)
{
    CommitEditor();
    return CZevBaseView::CanLeave(target);
}

QPushButton* CAccountsView::Button(int id) const
{
    const auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

void CAccountsView::OnInitialUpdate()
{
    static const char* const kDayCaptions[8] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "All"};
    static const char* const kDayNames[8] = {"BTN_SUNDAY",   "BTN_MONDAY", "BTN_TUESDAY",  "BTN_WEDNESDAY",
                                             "BTN_THURSDAY", "BTN_FRIDAY", "BTN_SATURDAY", "BTN_ALL"};
    auto* dayRow = new QHBoxLayout;
    auto* dayGroup = new QButtonGroup(this);
    for (int i = 0; i < 8; ++i) {
        const int id = zev::DayButtons::kSunday + i;
        auto* button = new QPushButton(tr(kDayCaptions[i]), this);
        button->setCheckable(true);
        button->setMinimumWidth(56);
        dayGroup->addButton(button, id);
        m_buttons[id] = button;
        dayRow->addWidget(button);
        AddControl(id, QString::fromLatin1(kDayNames[i]), button);
        connect(button, &QPushButton::clicked, this, [this, id] { OnDayButton(id); });
    }
    dayRow->addStretch();

    m_list->Setup(2, Host().State().settings.config, &Host().UserProfile());
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setIconSize(QSize(16, 16));
    m_list->horizontalHeader()->setSectionsClickable(true);
    m_list->Model()->SetCellHook([this](int row, int column, int role) -> QVariant {
        if (column != 0 || role != Qt::DecorationRole || row < 0 || row >= m_model->RowCount())
            return {};
        return StatusIcon(m_model->Rows()[static_cast<std::size_t>(row)].statusIcon);
    });

    struct ButtonDef {
        int id;
        const char* name;
        const char* caption;
    };
    static const ButtonDef kButtons[] = {
        {kDetails, "BTN_DETAILS", "Details"},      {kOrderGuide, "BTN_ORDERGUIDE", "Order Guide"},
        {kHistory, "BTN_HISTORY", "History"},      {kCallPlan, "BTN_CALLPLAN", "Call Plan"},
        {kNoOrder, "BTN_NOORDER", "No Sale"},      {kPrint, "BTN_PRINT", "Print"},
        {kCreate, "BTN_CREATE", "Create.."},       {kBackorders, "BTN_BACKORDERS", "Backorders"}};
    auto* buttonRow = new QHBoxLayout;
    for (const ButtonDef& def : kButtons) {
        auto* button = new QPushButton(tr(def.caption), this);
        m_buttons[def.id] = button;
        buttonRow->addWidget(button);
    }
    buttonRow->addStretch();
    auto* findLabel = new QLabel(tr("Find:"), this);
    findLabel->setBuddy(m_find);
    m_find->setMinimumWidth(180);
    m_find->setClearButtonEnabled(false);
    buttonRow->addWidget(findLabel);
    buttonRow->addWidget(m_find);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addLayout(dayRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttonRow);

    AddControl(kList, QStringLiteral("LST_ACCOUNTS"), m_list);
    for (const ButtonDef& def : kButtons)
        AddControl(def.id, QString::fromLatin1(def.name), m_buttons[def.id]);
    AddControl(kFind, QStringLiteral("EDT_FIND"), m_find);
    AddControl(1101, QStringLiteral("LBL_FIND"), findLabel);
    LayOut();

    // The distributor's switches decide which optional controls exist at all.
    const std::pair<int, bool> optional[] = {{kCallPlan, m_settings.callPlanButton},
                                             {kNoOrder, m_settings.noOrderButton},
                                             {kPrint, m_settings.printButton},
                                             {kCreate, m_settings.createButton},
                                             {kBackorders, m_settings.backordersButton}};
    for (const auto& [id, shown] : optional)
        if (!shown)
            m_buttons[id]->hide();
    if (!m_settings.findBox) {
        m_find->hide();
        findLabel->hide();
    }
    UpdateButtons();

    connect(m_buttons[kDetails], &QPushButton::clicked, this, [this] { OnNavigate(6); });
    connect(m_buttons[kOrderGuide], &QPushButton::clicked, this, [this] { OnNavigate(5); });
    connect(m_buttons[kHistory], &QPushButton::clicked, this, [this] { OnNavigate(17); });
    connect(m_buttons[kCallPlan], &QPushButton::clicked, this, &CAccountsView::OnCallPlan);
    connect(m_buttons[kNoOrder], &QPushButton::clicked, this, &CAccountsView::OnNoOrder);
    connect(m_buttons[kPrint], &QPushButton::clicked, this, &CAccountsView::OnPrint);
    connect(m_buttons[kCreate], &QPushButton::clicked, this, &CAccountsView::OnCreate);
    connect(m_buttons[kBackorders], &QPushButton::clicked, this, &CAccountsView::OnBackorders);
    connect(m_find, &QLineEdit::textChanged, this, &CAccountsView::OnFindChanged);
    m_find->installEventFilter(this);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CAccountsView::OnHeaderClicked);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_filling)
                    OnRowSelected(current.isValid() ? current.row() : -1);
            });
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { EditCell(index.row(), index.column()); });
    connect(m_list, &QWidget::customContextMenuRequested, this, &CAccountsView::ShowContextMenu);
    // Scrolling would leave an open editor over the wrong cell.
    connect(m_list, &CZevListCtrl::ScrollCommand, this, [this](int) { CommitEditor(); });

    OnDayButton(m_model->InitialDayButton());
    FitListToWindow();

    // Told once the screen is up, not over the previous one.
    QMetaObject::invokeMethod(
        this, [this] { m_model->CheckNewMessages(Host().UserProfile().UserID()); }, Qt::QueuedConnection);
}

void CAccountsView::OnDayButton(int button)
{
    if (button < zev::DayButtons::kSunday || button > zev::DayButtons::kAll)
        return;
    CancelEditor();
    zev::WaitCursor wait;
    const int row = m_model->Fill(button);
    StyleDayButtons();
    ShowRows(row);
}

void CAccountsView::StyleDayButtons()
{
    for (int id = zev::DayButtons::kSunday; id <= zev::DayButtons::kAll; ++id) {
        QPushButton* button = Button(id);
        if (!button)
            continue;
        const bool chosen = id == m_model->DayButton();
        button->setChecked(chosen);
        button->setDefault(chosen);
    }
}

void CAccountsView::ShowRows(int selectRow)
{
    m_filling = true;
    const int columns = m_list->Model()->columnCount();
    std::vector<QStringList> rows;
    std::vector<QVariant> data;
    rows.reserve(static_cast<std::size_t>(m_model->RowCount()));
    for (int r = 0; r < m_model->RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells.append(c == 0 ? QString() : QString::fromStdString(m_model->Text(r, c)));
        rows.push_back(std::move(cells));
        data.emplace_back(m_model->Rows()[static_cast<std::size_t>(r)].accountId);
    }
    m_list->Model()->SetRows(std::move(rows), std::move(data));
    m_filling = false;
    if (selectRow >= 0) {
        SelectRow(selectRow);
    } else {
        m_list->clearSelection();
        UpdateButtons();
    }
}

void CAccountsView::SelectRow(int row)
{
    if (row < 0 || row >= m_list->Model()->rowCount()) {
        m_filling = true;
        m_list->selectionModel()->clearCurrentIndex();
        m_list->clearSelection();
        m_filling = false;
        UpdateButtons();
        return;
    }
    const QModelIndex index = m_list->Model()->index(row, 0);
    m_filling = true;
    m_list->selectionModel()->setCurrentIndex(index,
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_filling = false;
    m_list->scrollTo(index);
    if (!m_find->hasFocus())
        m_list->setFocus();
    OnRowSelected(row);
}

void CAccountsView::OnRowSelected(int row)
{
    if (row < 0) {
        UpdateButtons();
        return;
    }
    m_model->Select(row);
    zev::DocumentState& document = Host().Document();
    document.accountNumber = m_context.current.accountNumber;
    document.accountName = m_context.current.companyName;
    Host().State().accountCurrent = m_context.current.accountId >= 0;
    Host().SetScreenTitle(kTitle);
    UpdateButtons();
}

void CAccountsView::UpdateButtons()
{
    const bool selected = m_list->CurrentRow() >= 0;
    const zev::AccountListModel::Buttons& states = m_model->ButtonStates();
    auto set = [this](int id, bool on) {
        if (QPushButton* button = Button(id))
            button->setEnabled(on);
    };
    set(kDetails, selected && states.details);
    set(kOrderGuide, selected && states.orderGuide);
    set(kHistory, selected && states.history);
    set(kNoOrder, selected && states.noOrder);
    set(kBackorders, selected && states.backorders);
}

void CAccountsView::OnHeaderClicked(int column)
{
    CommitEditor();
    const int row = m_model->HeaderClicked(column);
    ShowRows(row);
}

void CAccountsView::OnFindChanged(const QString& text)
{
    if (text.isEmpty())
        return;
    const int row = m_model->Find(text.toStdString(), m_list->CurrentRow());
    if (row >= 0)
        SelectRow(row);
}

void CAccountsView::OnNavigate(int screen)
{
    if (m_list->CurrentRow() < 0)
        return;
    CommitEditor();
    Host().PostSwitchScreen(screen);
}

void CAccountsView::OnNoOrder()
{
    const int row = m_list->CurrentRow();
    if (row < 0 || !m_settings.noOrderButton)
        return;
    CNoOrderDlg dialog(m_settings.noSaleCaption, m_settings.noCallCaption, m_settings.noteMaxLength, this);
    dialog.LayOut("NoOrderDlg", Host().State().settingsFilePath);
    if (dialog.exec() != QDialog::Accepted)
        return;
    zev::WaitCursor wait;
    m_model->RecordNoOrder(row, dialog.Reason(), dialog.Note());
    ShowRows(m_model->SelectedRow());
}

void CAccountsView::OnClearCallThisAccount()
{
    const int row = m_list->CurrentRow();
    if (row < 0)
        return;
    m_model->ClearCallThisAccount(row);
    ShowRows(m_model->SelectedRow());
}

void CAccountsView::OnClearCallAllAccounts()
{
    if (m_list->CurrentRow() < 0)
        return;
    m_model->ClearCallAllAccounts();
    ShowRows(m_model->SelectedRow());
}

void CAccountsView::OnCallPlan()
{
    CommitEditor();
    {
        CCallPlanDlg dialog(TodayIndex(*m_clock), this);
        dialog.LayOut("CallPlanDlg", Host().State().settingsFilePath);
        dialog.exec();
    }
    OnDayButton(m_model->DayButton());
}

int CAccountsView::RepId() const
{
    const std::string text = Host().UserProfile().UserID();
    int id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    return error == std::errc() ? id : 0;
}

void CAccountsView::OnCreate()
{
    CommitEditor();
    CreateAccountDlg dialog(Host().State().settingsFilePath, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const zev::NewAccountRecord record = dialog.Record(RepId());
    if (QString::fromStdString(record.companyName).trimmed().isEmpty())
        return;
    zev::WaitCursor wait;
    zev::AccountCreator::CasePrice price = m_context.casePrice;
    if (!price)
        price = [](int, int) { return 0.0; };
    zev::AccountCreator creator(Host().Messages(), std::move(price));
    creator.Create(record);
    OnDayButton(m_model->DayButton());
}

void CAccountsView::OnQuickInfo()
{
    const int row = m_list->CurrentRow();
    if (row < 0)
        return;
    QMessageBox::information(this, QString::fromStdString(m_model->QuickInfoTitle(row)),
                             QString::fromStdString(m_model->QuickInfoText(row)));
}

void CAccountsView::OnBackorders()
{
    const int row = m_list->CurrentRow();
    if (row < 0 || !m_model->ButtonStates().backorders || !m_context.backorders)
        return;
    m_context.backorders(this);
    // Cancelled backorders may leave the account without any.
    m_model->Select(row);
    UpdateButtons();
}

void CAccountsView::OnEditAccount()
{
    if (m_list->CurrentRow() < 0 || !m_context.editAccount)
        return;
    CommitEditor();
    if (m_context.editAccount(this))
        OnDayButton(m_model->DayButton());
}

void CAccountsView::OnPrint()
{
    CommitEditor();
    CPrintChoiceDlg choice(this);
    choice.LayOut("PrintDlg", Host().State().settingsFilePath);
    if (choice.exec() != QDialog::Accepted)
        return;
    std::unique_ptr<QTextDocument> report = BuildReport(choice.Chosen());
    if (!zev::ItineraryReport::CheckPrintable(report == nullptr, Host().Messages()))
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CItineraryPrinter::Print(*report, printer, Host().Messages());
}

std::unique_ptr<QTextDocument> CAccountsView::BuildReport(CPrintChoiceDlg::Choice choice) const
{
    zev::WaitCursor wait;
    const zev::ItineraryReport report;
    QString html;
    if (choice == CPrintChoiceDlg::Itinerary) {
        const zev::ItineraryReport::Itinerary itinerary = report.BuildItinerary(m_model->DayButton());
        if (itinerary.rows.empty())
            return nullptr;
        html = CItineraryPrinter::ItineraryHtml(itinerary);
    } else {
        const zev::ItineraryReport::Accomplishments done = report.BuildAccomplishments(m_clock->Now());
        if (done.rows.empty())
            return nullptr;
        html = CItineraryPrinter::AccomplishmentsHtml(done);
    }
    auto document = std::make_unique<QTextDocument>();
    document->setHtml(html);
    return document;
}

bool CAccountsView::PrintReport(CPrintChoiceDlg::Choice choice, QPrinter& printer)
{
    std::unique_ptr<QTextDocument> report = BuildReport(choice);
    if (!zev::ItineraryReport::CheckPrintable(report == nullptr, Host().Messages()))
        return false;
    return CItineraryPrinter::Print(*report, printer, Host().Messages());
}

int CAccountsView::EditorKind(int column) const
{
    const std::vector<std::uint8_t>& flags = m_list->ColumnFlags();
    return column >= 0 && static_cast<std::size_t>(column) < flags.size() ? flags[static_cast<std::size_t>(column)]
                                                                           : 0;
}

bool CAccountsView::EditCell(int row, int column)
{
    CommitEditor();
    const int kind = EditorKind(column);
    if (kind == 0 || row < 0 || row >= m_model->RowCount())
        return false;
    const QModelIndex index = m_list->Model()->index(row, column);
    m_list->scrollTo(index);
    QRect cell = m_list->visualRect(index);
    QWidget* editor = nullptr;
    if (kind == kEditorDropDown) {
        auto* combo = new QComboBox(m_list->viewport());
        for (const std::string& choice : zev::AccountListModel::CallbackDayChoices())
            combo->addItem(QString::fromStdString(choice));
        combo->setCurrentIndex(m_model->CallbackDayPreselect(row));
        cell.setHeight(std::max(cell.height(), combo->sizeHint().height()));
        cell.setWidth(std::max(cell.width(), combo->sizeHint().width()));
        connect(combo, &QComboBox::activated, this, [this] { CommitEditor(); });
        editor = combo;
    } else {
        auto* edit = new QLineEdit(m_list->viewport());
        edit->setText(QString::fromStdString(m_model->EditorText(row, column)));
        edit->selectAll();
        connect(edit, &QLineEdit::returnPressed, this, [this] { CommitEditor(); });
        editor = edit;
    }
    editor->setGeometry(cell);
    editor->installEventFilter(this);
    m_editor = editor;
    m_editRow = row;
    m_editColumn = column;
    editor->show();
    editor->setFocus();
    return true;
}

void CAccountsView::CommitEditor()
{
    if (!m_editor || m_committing)
        return;
    m_committing = true;
    QWidget* editor = m_editor;
    m_editor = nullptr;
    const int row = m_editRow;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        m_model->CommitCallbackDay(row, combo->currentIndex());
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        m_model->CommitText(row, m_editColumn, edit->text().toStdString());
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    for (int c = 1; c < m_list->Model()->columnCount(); ++c)
        m_list->Model()->SetCell(row, c, QString::fromStdString(m_model->Text(row, c)));
    m_committing = false;
}

void CAccountsView::CancelEditor()
{
    if (!m_editor)
        return;
    QWidget* editor = m_editor;
    m_editor = nullptr;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
}

bool CAccountsView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_find && event->type() == QEvent::FocusOut) {
        const QSignalBlocker block(m_find);
        m_find->clear();
    } else if (m_editor && watched == m_editor) {
        if (event->type() == QEvent::FocusOut) {
            // The drop-down's own list takes the focus while it is open.
            // Saved once the focus has settled, and only if this editor is still the open one.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
                const QPointer<QWidget> editor = m_editor;
                QMetaObject::invokeMethod(
                    this,
                    [this, editor] {
                        if (editor && editor == m_editor)
                            CommitEditor();
                    },
                    Qt::QueuedConnection);
            }
        } else if (event->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            CancelEditor();
            m_list->setFocus();
            return true;
        }
    }
    return CZevBaseView::eventFilter(watched, event);
}

QMenu* CAccountsView::BuildContextMenu()
{
    auto* menu = new QMenu(this);
    auto add = [this, menu](const QString& text, int command, auto slot, bool enabled = true) {
        QAction* action = menu->addAction(text);
        action->setData(command);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    const bool weekday = m_model->WeekdayShown();
    add(tr("Quick Info..."), kCmdQuickInfo, [this] { OnQuickInfo(); });
    add(tr("History..."), kCmdHistory, [this] { OnNavigate(17); });
    if (m_settings.editMenu)
        add(tr("Edit..."), kCmdEdit, [this] { OnEditAccount(); }, static_cast<bool>(m_context.editAccount));
    if (m_settings.detailsMenu)
        add(tr("Details..."), kCmdDetails, [this] { OnNavigate(6); });
    if (m_settings.noOrderButton)
        add(tr("No Visit/No Sale..."), kCmdNoOrder, [this] { OnNoOrder(); });
    if (m_settings.openOrdersMenu)
        add(tr("Open Orders..."), kCmdOpenOrders, [this] { OnNavigate(20); });
    if (m_settings.callTracking) {
        add(tr("Clear Call (This account)"), kCmdClearThis, [this] { OnClearCallThisAccount(); }, weekday);
        add(tr("Clear Call (All Accounts)"), kCmdClearAll, [this] { OnClearCallAllAccounts(); });
    }
    if (m_settings.surveyMenu)
        add(tr("Survey..."), kCmdSurvey, [this] { OnNavigate(21); });
    if (m_settings.createButton)
        add(tr("Create..."), kCmdCreate, [this] { OnCreate(); });
    if (m_settings.backordersButton)
        add(tr("Backorders..."), kCmdBackorders, [this] { OnBackorders(); },
            Button(kBackorders) && Button(kBackorders)->isEnabled());
    return menu;
}

void CAccountsView::ShowContextMenu(const QPoint& pos)
{
    const QModelIndex index = m_list->indexAt(pos);
    if (!index.isValid())
        return;
    CommitEditor();
    SelectRow(index.row());
    std::unique_ptr<QMenu> menu(BuildContextMenu());
    menu->exec(m_list->viewport()->mapToGlobal(pos));
}

void CAccountsView::FitListToWindow()
{
    // A list placed by a layout record keeps its size unless the distributor
    // lets it grow with the window.
    if (!m_settings.listGrows || InLayout(layout(), m_list))
        return;
    const QRect g = m_list->geometry();
    m_list->resize(std::max(50, width() - g.x() - kMargin), std::max(50, height() - g.y() - kMargin));
}

void CAccountsView::resizeEvent(QResizeEvent* event)
{
    CZevBaseView::resizeEvent(event);
    CommitEditor();
    FitListToWindow();
}

CZevBaseView* CreateAccountsView(zev::IScreenHost& host, zev::AccountsViewContext context)
{
    return new CAccountsView(host, std::move(context));
}
