#include "accounts/views/CAccountsView.h"

#include "accounts/AccountCreator.h"
#include "accounts/AccountListColumns.h"
#include "accounts/ItineraryReport.h"
#include "accounts/views/CCallPlanDlg.h"
#include "accounts/views/CNoOrderDlg.h"
#include "accounts/views/CreateAccountDlg.h"
#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/DocumentState.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "base/Clock.h"
#include "reports/AccountDocuments.h"
#include "reports/DocumentHeading.h"
#include "reports/views/CDocumentPrinter.h"
#include "tables/DayButtons.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
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
#include <QStyle>
#include <QVBoxLayout>

#include <charconv>
#include <ctime>

namespace {

constexpr int kIconCount = 17;
// Profile entry ("Application" section) of the folder printouts were last saved to.
constexpr const char* kPrintFolderEntry = "PrintFolder";
constexpr int kMargin = 8;

// Small round badges stand for the 17 status icons: the call outcomes get a
// tick (order taken) and a cross (no order), the account states a colour.
QIcon StatusIcon(int number)
{
    static std::vector<QIcon> icons;
    if (icons.empty()) {
        static const QColor kColours[kIconCount] = {Qt::transparent,      QColor(70, 130, 180),  QColor(218, 165, 32),
                                                    QColor(178, 34, 34),  QColor(128, 0, 128),   QColor(0, 128, 128),
                                                    QColor(255, 140, 0),  QColor(105, 105, 105), QColor(46, 139, 87),
                                                    QColor(199, 21, 133), QColor(34, 139, 34),   QColor(200, 30, 30),
                                                    QColor(65, 105, 225), QColor(160, 82, 45),   QColor(112, 128, 144),
                                                    QColor(0, 0, 139),    QColor(85, 107, 47)};
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

CAccountsView::~CAccountsView() { CancelEditor(); }

bool CAccountsView::CanLeave(zev::Screen target)
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
    static const char* const kDayCaptions[8] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "&All"};
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
    // Access keys avoid the menu bar's F(ile), J(umpTo) and H(elp).
    static const ButtonDef kButtons[] = {
        {kDetails, "BTN_DETAILS", "&Details"}, {kOrderGuide, "BTN_ORDERGUIDE", "Order &Guide"},
        {kHistory, "BTN_HISTORY", "Hi&story"}, {kCallPlan, "BTN_CALLPLAN", "&Call Plan"},
        {kNoOrder, "BTN_NOORDER", "&No Sale"}, {kPrint, "BTN_PRINT", "&Print"},
        {kCreate, "BTN_CREATE", "Cr&eate.."},  {kBackorders, "BTN_BACKORDERS", "&Backorders"}};
    auto* buttonRow = new QHBoxLayout;
    for (const ButtonDef& def : kButtons) {
        auto* button = new QPushButton(tr(def.caption), this);
        m_buttons[def.id] = button;
        buttonRow->addWidget(button);
    }
    buttonRow->addStretch();
    auto* findLabel = new QLabel(tr("F&ind:"), this);
    findLabel->setBuddy(m_find);
    m_find->setMinimumWidth(180);
    m_find->setClearButtonEnabled(false);
    buttonRow->addWidget(findLabel);
    buttonRow->addWidget(m_find);

    // Before the first complete update the list is empty: say what to do.
    m_noData = new QWidget(this);
    auto* noDataRow = new QHBoxLayout(m_noData);
    noDataRow->setContentsMargins(0, 0, 0, 0);
    auto* noDataText = new QLabel(tr("There are no accounts on this computer yet. Download your data with the "
                                     "Complete Update of the Maintenance screen (Ctrl+M)."),
                                  m_noData);
    noDataText->setWordWrap(true);
    auto* toMaintenance = new QPushButton(tr("Open &Maintenance"), m_noData);
    noDataRow->addWidget(noDataText, 1);
    noDataRow->addWidget(toMaintenance);
    m_noData->hide();
    connect(toMaintenance, &QPushButton::clicked, this, [this] {
        if (Host().HasScreen(kScreenMaintenance))
            Host().PostSwitchScreen(kScreenMaintenance);
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addLayout(dayRow);
    layout->addWidget(m_noData);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttonRow);

    AddControl(kList, QStringLiteral("LST_ACCOUNTS"), m_list);
    for (const ButtonDef& def : kButtons)
        AddControl(def.id, QString::fromLatin1(def.name), m_buttons[def.id]);
    AddControl(kFind, QStringLiteral("EDT_FIND"), m_find);
    AddControl(1101, QStringLiteral("LBL_FIND"), findLabel);
    noDataText->setAccessibleName(tr("No accounts yet"));
    toMaintenance->setAccessibleName(tr("Open Maintenance"));
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

    connect(m_buttons[kDetails], &QPushButton::clicked, this, [this] { OnNavigate(kScreenDetails); });
    connect(m_buttons[kOrderGuide], &QPushButton::clicked, this, [this] { OnNavigate(kScreenOrderGuide); });
    connect(m_buttons[kHistory], &QPushButton::clicked, this, [this] { OnNavigate(kScreenHistory); });
    connect(m_buttons[kCallPlan], &QPushButton::clicked, this, &CAccountsView::OnCallPlan);
    connect(m_buttons[kNoOrder], &QPushButton::clicked, this, &CAccountsView::OnNoOrder);
    connect(m_buttons[kPrint], &QPushButton::clicked, this, &CAccountsView::OnPrint);
    connect(m_buttons[kCreate], &QPushButton::clicked, this, &CAccountsView::OnCreate);
    connect(m_buttons[kBackorders], &QPushButton::clicked, this, &CAccountsView::OnBackorders);
    connect(m_find, &QLineEdit::textChanged, this, &CAccountsView::OnFindChanged);
    m_find->installEventFilter(this);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
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
    m_hasAccounts = m_model->RowCount() > 0 || m_model->HasAccounts();
    if (m_noData)
        m_noData->setVisible(!m_hasAccounts);
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
    ShowSortIndicator();
    FitNumberColumn();
    if (selectRow >= 0) {
        SelectRow(selectRow);
    } else {
        m_list->clearSelection();
        UpdateButtons();
    }
}

void CAccountsView::ShowSortIndicator()
{
    QHeaderView* header = m_list->horizontalHeader();
    const int column = m_model->SortedColumn();
    header->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        header->setSortIndicator(column, m_model->SortDirection() > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

// An account number cut short is of no use: its column widens to the widest
// number shown (never narrows, and a column the user hid stays hidden).
void CAccountsView::FitNumberColumn()
{
    constexpr int column = zev::AccountListColumns::kAccountNumber;
    QHeaderView* header = m_list->horizontalHeader();
    if (column >= header->count() || header->isSectionHidden(column) || header->sectionSize(column) == 0)
        return;
    const QFontMetrics metrics(m_list->font());
    int widest = 0;
    for (int r = 0; r < m_list->Model()->rowCount(); ++r)
        widest = std::max(widest, metrics.horizontalAdvance(m_list->Model()->Cell(r, column)));
    const int needed = widest + 2 * m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 8;
    if (header->sectionSize(column) < needed)
        header->resizeSection(column, needed);
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
    m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
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
    const zev::IScreenHost& host = Host();
    set(kDetails, selected && states.details && host.HasScreen(kScreenDetails));
    set(kOrderGuide, selected && states.orderGuide && host.HasScreen(kScreenOrderGuide));
    set(kHistory, selected && states.history && host.HasScreen(kScreenHistory));
    set(kNoOrder, selected && states.noOrder);
    set(kBackorders, selected && states.backorders && static_cast<bool>(m_context.backorders));
    // Nothing to plan, print or find before the first download; a new
    // account would be lost by the complete update that must come first.
    set(kCallPlan, m_hasAccounts);
    set(kPrint, m_hasAccounts);
    set(kCreate, m_hasAccounts);
    m_find->setEnabled(m_hasAccounts);
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

void CAccountsView::OnNavigate(zev::Screen screen)
{
    if (m_list->CurrentRow() < 0 || !Host().HasScreen(screen))
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
    if (!m_hasAccounts)
        return;
    {
        CCallPlanDlg dialog(TodayIndex(*m_clock), Host().Messages(), this);
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
    if (!m_hasAccounts)
        return;
    CreateAccountDlg dialog(Host().State().settingsFilePath, Host().Messages(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const zev::NewAccountRecord record = dialog.Record(RepId());
    int created = 0;
    {
        zev::WaitCursor wait;
        zev::AccountCreator::CasePrice price = m_context.casePrice;
        if (!price)
            price = [](int, int) { return 0.0; };
        zev::AccountCreator creator(Host().Messages(), std::move(price));
        created = creator.Create(record);
    }
    if (created == 0) {
        OnDayButton(m_model->DayButton());
        return;
    }
    // A new account has no call days yet: it is found under All.
    OnDayButton(zev::DayButtons::kAll);
    SelectRow(m_model->RowOfAccount(created));
    const std::string name = m_model->QuickInfoTitle(m_model->RowOfAccount(created));
    Host().Messages().ShowText("The account " + (name.empty() ? std::string("was") : "\"" + name + "\" was") +
                                   " created. It is listed under All until you give it call days with Call Plan.",
                               zev::ids::kCaptionInformation, zev::MbButtons::Ok, zev::MbIcon::Information);
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
    if (!m_hasAccounts)
        return;
    CPrintChoiceDlg choice(this);
    choice.LayOut("PrintDlg", Host().State().settingsFilePath);
    if (choice.exec() != QDialog::Accepted)
        return;
    const zev::PrintDocument report = BuildReport(choice.Chosen());
    if (!zev::ItineraryReport::CheckPrintable(!report.HasLines(), Host().Messages()))
        return;
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(choice.Chosen(), printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (CDocumentPrinter::Print(report, printer, Host().Messages()))
        RememberPrintFolder(printer);
}

void CAccountsView::PreparePrinter(CPrintChoiceDlg::Choice choice, QPrinter& printer) const
{
    const QString title = QString::fromStdString(zev::ItineraryReport::FileTitle(
        choice == CPrintChoiceDlg::Itinerary, m_model->DayButton() - zev::DayButtons::kSunday, m_clock->Now()));
    // The dialog proposes "<document name>.pdf" when printing to a file.
    printer.setDocName(title);
    const QString folder = QString::fromStdString(Host().UserProfile().GetText(kPrintFolderEntry));
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        printer.setOutputFileName(QDir(folder).filePath(title + QStringLiteral(".pdf")));
}

void CAccountsView::RememberPrintFolder(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty())
        return;
    const std::string folder = QFileInfo(printer.outputFileName()).absolutePath().toStdString();
    if (!Host().UserProfile().SetText(kPrintFolderEntry, folder))
        qWarning("ZevSatchel: the print folder %s could not be remembered", folder.c_str());
}

zev::PrintDocument CAccountsView::BuildReport(CPrintChoiceDlg::Choice choice) const
{
    zev::WaitCursor wait;
    const zev::ItineraryReport report;
    zev::PrintDocument document =
        choice == CPrintChoiceDlg::Itinerary
            ? zev::AccountDocuments::Itinerary(report.BuildItinerary(m_model->DayButton()))
            : zev::AccountDocuments::Accomplishments(report.BuildAccomplishments(m_clock->Now()), m_clock->Now());
    zev::DocumentHeading::Fill(document, Host().UserProfile().UserID());
    return document;
}

bool CAccountsView::PrintReport(CPrintChoiceDlg::Choice choice, QPrinter& printer)
{
    return CDocumentPrinter::Print(BuildReport(choice), printer, Host().Messages());
}

int CAccountsView::EditorKind(int column) const
{
    const std::vector<std::uint8_t>& flags = m_list->ColumnFlags();
    return column >= 0 && static_cast<std::size_t>(column) < flags.size() ? flags[static_cast<std::size_t>(column)] : 0;
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

bool CAccountsView::EditorKeepsFocus() const
{
    if (!m_editor)
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(m_editor.data()); combo && combo->view()->isVisible())
        return true;
    const QWidget* focus = QApplication::focusWidget();
    if (!focus)
        // Focus gone from the application (another program): keep editing.
        return QApplication::activeWindow() == nullptr;
    if (focus == m_editor || m_editor->isAncestorOf(focus))
        return true;
    auto* combo = qobject_cast<QComboBox*>(m_editor.data());
    return combo && (focus == combo->view() || combo->view()->isAncestorOf(focus));
}

bool CAccountsView::EditCurrentCell()
{
    const QModelIndex current = m_list->currentIndex();
    const int row = m_list->CurrentRow();
    if (row < 0)
        return false;
    // The current column when it edits, otherwise the first that does, in
    // the order the user sees the columns.
    if (current.isValid() && EditorKind(current.column()) != 0)
        return EditCell(row, current.column());
    QHeaderView* header = m_list->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column) && header->sectionSize(column) > 0 && EditorKind(column) != 0)
            return EditCell(row, column);
    }
    return false;
}

bool CAccountsView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_find && event->type() == QEvent::FocusOut) {
        const QSignalBlocker block(m_find);
        m_find->clear();
    } else if ((watched == m_list || watched == m_list->viewport()) && event->type() == QEvent::ContextMenu &&
               static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
        // The menu key and Shift+F10 open the menu of the selected row.
        const int row = m_list->CurrentRow();
        if (row >= 0) {
            const QModelIndex index = m_list->Model()->index(row, 0);
            m_list->scrollTo(index);
            ShowContextMenu(QPoint(2, m_list->visualRect(index).center().y()));
        }
        return true;
    } else if (watched == m_list && event->type() == QEvent::KeyPress && !m_editor) {
        // F2 and Enter open the editor of the current cell (or the row's
        // first editable column), as a double-click does.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (EditCurrentCell())
                return true;
        }
    } else if (m_editor && watched == m_editor) {
        if (event->type() == QEvent::FocusOut) {
            // Saved once the focus has settled somewhere else, and only if this
            // editor is still the open one. The drop-down's list takes the
            // focus while it is open; that is not leaving the editor.
            const QPointer<QWidget> editor = m_editor;
            QMetaObject::invokeMethod(
                this,
                [this, editor] {
                    if (editor && editor == m_editor && !EditorKeepsFocus())
                        CommitEditor();
                },
                Qt::QueuedConnection);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {
                CancelEditor();
                m_list->setFocus();
                return true;
            }
            // Enter saves; taken here so it never reaches the list and
            // opens the editor again.
            auto* combo = qobject_cast<QComboBox*>(m_editor.data());
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(combo && combo->view()->isVisible())) {
                CommitEditor();
                m_list->setFocus();
                return true;
            }
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
    const auto has = [this](zev::Screen screen) { return Host().HasScreen(screen); };
    add(
        tr("History..."), kCmdHistory, [this] { OnNavigate(kScreenHistory); }, has(kScreenHistory));
    if (m_settings.editMenu)
        add(
            tr("Edit..."), kCmdEdit, [this] { OnEditAccount(); }, static_cast<bool>(m_context.editAccount));
    if (m_settings.detailsMenu)
        add(
            tr("Details..."), kCmdDetails, [this] { OnNavigate(kScreenDetails); }, has(kScreenDetails));
    if (m_settings.noOrderButton)
        add(tr("No Visit/No Sale..."), kCmdNoOrder, [this] { OnNoOrder(); });
    if (m_settings.openOrdersMenu)
        add(
            tr("Open Orders..."), kCmdOpenOrders, [this] { OnNavigate(kScreenOpenOrders); }, has(kScreenOpenOrders));
    if (m_settings.callTracking) {
        add(
            tr("Clear Call (This account)"), kCmdClearThis, [this] { OnClearCallThisAccount(); }, weekday);
        add(tr("Clear Call (All Accounts)"), kCmdClearAll, [this] { OnClearCallAllAccounts(); });
    }
    if (m_settings.surveyMenu)
        add(
            tr("Survey..."), kCmdSurvey, [this] { OnNavigate(kScreenSurvey); }, has(kScreenSurvey));
    if (m_settings.createButton)
        add(tr("Create..."), kCmdCreate, [this] { OnCreate(); });
    if (m_settings.backordersButton)
        add(
            tr("Backorders..."), kCmdBackorders, [this] { OnBackorders(); },
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
