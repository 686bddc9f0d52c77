#include "orders/views/COrderGuideView.h"

#include "app/core/CZevSettings.h"
#include "app/core/IniReader.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/DocumentState.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "app/ui/ZevAccessibility.h"
#include "base/Clock.h"
#include "orders/Amount.h"
#include "orders/BackorderTags.h"
#include "orders/OrderRules.h"
#include "orders/TierList.h"
#include "orders/views/CInventoryImportDlg.h"
#include "orders/views/GuideFiles.h"
#include "reports/DocumentHeading.h"
#include "reports/views/CDocumentPrinter.h"
#include "tables/Filters.h"
#include "tables/SqlText.h"
#include "tabula/Query.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr std::size_t kDuplicateLines = 75;
constexpr std::size_t kOrderUpToPar = 82;
constexpr std::size_t kOrderTotalShown = 102;
constexpr std::size_t kWarnUnplacedOrder = 113;
constexpr std::size_t kGuideMode = 17700;

QString Money(double value) { return QString::asprintf("$%.2f", value); }

QString AmountText(double value)
{
    if (zev::Amount::IsFree(value))
        return QStringLiteral("FREE");
    if (zev::Amount::IsNet(value))
        return QStringLiteral("NET");
    if (zev::Amount::IsZero(value))
        return {};
    return QString::asprintf("%.2f", value);
}

int WorkOrderOf(int accountId)
{
    Query q("", "", 0);
    if (q.Open(zev::SqlText::Format("select WorkOrderID from WorkOrder where AccountID=%d", accountId)) == 0 ||
        q.IsEOF() != 0)
        return -1;
    return q.GetFieldValueInt(0);
}

int FamilyPlanOf(int catalog)
{
    Query q("", "", 0);
    if (q.Open(zev::SqlText::Format("select count(*) from FamilyPlan where CatalogID=%d", catalog)) == 0 ||
        q.IsEOF() != 0)
        return 0;
    return q.GetFieldValueInt(0);
}

} // namespace

COrderGuideView::COrderGuideView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent)
    : CZevBaseView(host, "OrderGuideView", parent), m_ctx(std::move(context)), m_list(new CZevListCtrl(this)),
      m_description(new QLabel(this)), m_cases(new QSpinBox(this)), m_singles(new QSpinBox(this)),
      m_move(new QSpinBox(this)), m_casePrice(new QLabel(this)), m_singlePrice(new QLabel(this)),
      m_addFind(new QLineEdit(this)), m_filter(new QComboBox(this)), m_coop(new QLineEdit(this)),
      m_total(new QLabel(this))
{
    const zev::ZevConfig& config = host.State().settings.config;
    const std::string mode = zev::ReadIniValue("GENERAL", "PRICEOVERRIDEMODE", "0", 8, host.State().settingsFilePath);
    m_guide = std::make_unique<zev::OrderGuide>(m_ctx.current.accountId, WorkOrderOf(m_ctx.current.accountId),
                                                zev::OrderSettings::FromConfig(config, std::atoi(mode.c_str())));
}

COrderGuideView::~COrderGuideView()
{
    m_loader.Stop();
    m_worker.Stop();
    CancelEditor();
}

QPushButton* COrderGuideView::Button(const char* name) const
{
    const auto it = m_buttons.find(name);
    return it == m_buttons.end() ? nullptr : it->second;
}

void COrderGuideView::OnInitialUpdate()
{
    const zev::ZevConfig& config = Host().State().settings.config;
    // Asked for by the screen that led here (open orders); taken now so a
    // guide that never loads does not leave it for a later visit.
    m_openBackorders = std::exchange(Host().Document().backordersRequested, false);
    m_list->Setup(1, config, &Host().UserProfile());
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTabKeyNavigation(false);
    m_list->setAccessibleName(tr("Order guide"));
    const std::vector<std::uint8_t>& flags = m_list->ColumnFlags();
    for (int c = 0; c < m_list->Model()->columnCount(); ++c) {
        m_codes.push_back(static_cast<std::size_t>(c) < flags.size() ? flags[static_cast<std::size_t>(c)] : 0);
        m_headings.push_back(m_list->Model()->headerData(c, Qt::Horizontal).toString().toLower().toStdString());
    }

    m_cases->setRange(0, 99999);
    m_singles->setRange(-1, 99999);
    m_cases->setAccessibleName(tr("Cases"));
    m_singles->setAccessibleName(tr("Singles"));
    m_addFind->setAccessibleName(tr("Item numbers or text to add or find"));
    m_filter->setAccessibleName(tr("Filter"));
    m_coop->setAccessibleName(tr("Co-op quantity"));
    m_coop->setMaxLength(5);
    // The add and find box keeps room for an item number or a word when the
    // row is tight; the co-op box never needs more than its five digits.
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    m_addFind->setMinimumWidth(digit * 14 + 12);
    m_coop->setMaximumWidth(digit * 7 + 12);
    // The label's text ("Total: $12.50") is its name, so a screen reader
    // reads the amount and hears each change.
    m_total->setAccessibleDescription(tr("Order total"));
    m_description->setAccessibleName(tr("Description"));
    // The spinner's resting place is 50: a step up or down moves the row
    // by one and it goes back there.
    m_move->setRange(0, 100);
    m_move->setValue(50);
    m_move->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    // Room for "100" beside the arrows; the row of buttons would squeeze it.
    m_move->setMinimumWidth(m_move->fontMetrics().horizontalAdvance(QStringLiteral("1000")) + 24);
    m_move->setAccessibleName(tr("Move the row up or down"));
    m_move->setMaximumWidth(m_move->sizeHint().height() + 8);
    m_move->setEnabled(m_guide->Settings().guideSortKey == 0);

    auto* casesLabel = new QLabel(tr("&Cases"), this);
    casesLabel->setBuddy(m_cases);
    auto* singlesLabel = new QLabel(tr("&Singles"), this);
    singlesLabel->setBuddy(m_singles);
    auto* coopLabel = new QLabel(tr("Co-&op Qty"), this);
    coopLabel->setBuddy(m_coop);
    auto* moveLabel = new QLabel(tr("Mo&ve"), this);
    moveLabel->setBuddy(m_move);

    struct ButtonDef {
        const char* name;
        const char* caption;
    };
    static const ButtonDef kButtons[] = {{"BTN_ADD", "&Add"},
                                         {"BTN_FIND", "&Find"},
                                         {"BTN_DONE", "&Place Order"},
                                         {"BTN_DUP", "D&uplicate"},
                                         {"BTN_DEL", "&Delete"},
                                         {"BTN_CALC", "Ca&lc"},
                                         {"BTN_BACKORDER", "&Backorders"},
                                         {"BTN_PRINT", "P&rint"},
                                         {"BTN_PRINTBLANK", "Blan&k Guide"},
                                         {"BTN_WORKSHEET", "&Worksheet"},
                                         {"BTN_SCAN", "Sca&n"},
                                         {"BTN_IMPORT", "&Import..."},
                                         {"BTN_EXPORT", "E&xport"}};
    for (const ButtonDef& def : kButtons) {
        auto* button = new QPushButton(tr(def.caption), this);
        button->setAccessibleName(button->text().remove('&'));
        m_buttons[def.name] = button;
    }
    m_buttons["BTN_PRINTBLANK"]->setAccessibleName(tr("Print blank order guide"));
    m_buttons["BTN_WORKSHEET"]->setAccessibleName(tr("Print inventory worksheet"));
    m_buttons["BTN_BACKORDER"]->setEnabled(static_cast<bool>(m_ctx.backorders));
    m_buttons["BTN_DUP"]->setVisible(config.IsOn(kDuplicateLines));
    // Scanner entry is the express entry screen, where the distributor offers it.
    m_buttons["BTN_SCAN"]->setVisible(config.IsOn(zev::cfg::kExpressEntry));
    m_buttons["BTN_SCAN"]->setEnabled(Host().HasScreen(zev::Screen::ExpressEntry));

    auto* fields = new QGridLayout;
    fields->addWidget(m_description, 0, 0, 1, 6);
    fields->addWidget(casesLabel, 1, 0);
    fields->addWidget(m_cases, 1, 1);
    fields->addWidget(m_casePrice, 1, 2);
    fields->addWidget(singlesLabel, 1, 3);
    fields->addWidget(m_singles, 1, 4);
    fields->addWidget(m_singlePrice, 1, 5);
    auto* tools = new QHBoxLayout;
    tools->addWidget(m_addFind, 1);
    tools->addWidget(m_buttons["BTN_ADD"]);
    tools->addWidget(m_buttons["BTN_FIND"]);
    tools->addWidget(m_filter);
    tools->addWidget(coopLabel);
    tools->addWidget(m_coop);
    // The guide's papers and files share the add and find row, and the lines'
    // own commands the row of Place Order: in one row they would make the
    // window wider than a 1280-pixel laptop screen.
    for (const char* name : {"BTN_PRINT", "BTN_PRINTBLANK", "BTN_WORKSHEET", "BTN_SCAN", "BTN_IMPORT", "BTN_EXPORT"})
        tools->addWidget(m_buttons[name]);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(moveLabel);
    bottom->addWidget(m_move);
    for (const char* name : {"BTN_DUP", "BTN_DEL", "BTN_CALC", "BTN_BACKORDER"})
        bottom->addWidget(m_buttons[name]);
    if (m_ctx.customPos) {
        auto* custom = new QPushButton(tr("Cus&tom POS..."), this);
        custom->setAccessibleName(tr("Custom POS"));
        m_buttons["BTN_CUSTOM"] = custom;
        bottom->addWidget(custom);
        connect(custom, &QPushButton::clicked, this, [this] { m_ctx.customPos(this, m_ctx.current.accountId); });
    }
    bottom->addStretch();
    bottom->addWidget(m_total);
    bottom->addWidget(m_buttons["BTN_DONE"]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_list, 1);
    layout->addLayout(tools);
    layout->addLayout(bottom);
    // Tab reads the screen as it is drawn: the quantities, the list, the row
    // of the add and find box with the papers and files, then the bottom row
    // from the move spinner to Place Order.
    QWidget* const chain[] = {m_singles,
                              m_list,
                              m_addFind,
                              m_buttons["BTN_ADD"],
                              m_buttons["BTN_FIND"],
                              m_filter,
                              m_coop,
                              m_buttons["BTN_PRINT"],
                              m_buttons["BTN_PRINTBLANK"],
                              m_buttons["BTN_WORKSHEET"],
                              m_buttons["BTN_SCAN"],
                              m_buttons["BTN_IMPORT"],
                              m_buttons["BTN_EXPORT"],
                              m_move,
                              m_buttons["BTN_DUP"],
                              m_buttons["BTN_DEL"],
                              m_buttons["BTN_CALC"],
                              m_buttons["BTN_BACKORDER"],
                              Button("BTN_CUSTOM"),
                              m_buttons["BTN_DONE"]};
    QWidget* previous = m_cases;
    for (QWidget* next : chain) {
        if (next) {
            setTabOrder(previous, next);
            previous = next;
        }
    }

    AddControl(QStringLiteral("LST_ORDERGUIDE"), m_list);
    AddControl(QStringLiteral("LBL_DESCRIPTION"), m_description);
    AddControl(QStringLiteral("EDT_CASEQTY"), m_cases);
    AddControl(QStringLiteral("LBL_CASES"), casesLabel);
    AddControl(QStringLiteral("EDT_SINGLEQTY"), m_singles);
    AddControl(QStringLiteral("LBL_SINGLES"), singlesLabel);
    AddControl(QStringLiteral("LBL_CASEPRICE"), m_casePrice);
    AddControl(QStringLiteral("LBL_SINGLEPRICE"), m_singlePrice);
    AddControl(QStringLiteral("EDT_ADDFINDTEXT"), m_addFind);
    AddControl(QStringLiteral("LST_FILTER"), m_filter);
    AddControl(QStringLiteral("EDT_COOPQTY"), m_coop);
    AddControl(QStringLiteral("LBL_COOPQTYLBL"), coopLabel);
    AddControl(QStringLiteral("LBL_TOTALORDER"), m_total);
    AddControl(QStringLiteral("SPN_UPDOWN"), m_move);
    for (const auto& [name, button] : m_buttons)
        AddControl(QString::fromStdString(name), button);
    LayOut();
    m_total->setVisible(config.IsOn(kOrderTotalShown));

    connect(m_cases, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_filling)
            SetCases(v);
    });
    connect(m_singles, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_filling)
            SetSingles(v);
    });
    connect(m_buttons["BTN_ADD"], &QPushButton::clicked, this, &COrderGuideView::OnAdd);
    connect(m_buttons["BTN_BACKORDER"], &QPushButton::clicked, this, &COrderGuideView::OnBackorders);
    connect(m_buttons["BTN_FIND"], &QPushButton::clicked, this, &COrderGuideView::OnFind);
    connect(m_buttons["BTN_DONE"], &QPushButton::clicked, this, &COrderGuideView::OnPlace);
    connect(m_buttons["BTN_DUP"], &QPushButton::clicked, this, &COrderGuideView::OnDuplicate);
    connect(m_buttons["BTN_DEL"], &QPushButton::clicked, this, &COrderGuideView::OnDelete);
    connect(m_buttons["BTN_CALC"], &QPushButton::clicked, this, &COrderGuideView::OnCalculator);
    connect(m_buttons["BTN_PRINT"], &QPushButton::clicked, this, &COrderGuideView::OnPrint);
    connect(m_buttons["BTN_PRINTBLANK"], &QPushButton::clicked, this, &COrderGuideView::OnPrintBlank);
    connect(m_buttons["BTN_WORKSHEET"], &QPushButton::clicked, this, &COrderGuideView::OnPrintWorksheet);
    connect(m_move, &QSpinBox::valueChanged, this, &COrderGuideView::OnMoveSpinner);
    connect(m_buttons["BTN_SCAN"], &QPushButton::clicked, this,
            [this] { Host().PostSwitchScreen(zev::Screen::ExpressEntry); });
    connect(m_buttons["BTN_IMPORT"], &QPushButton::clicked, this, &COrderGuideView::OnImport);
    connect(m_buttons["BTN_EXPORT"], &QPushButton::clicked, this, &COrderGuideView::OnExport);
    connect(m_filter, &QComboBox::activated, this, [this](int index) { OnFilter(m_filter->itemData(index).toInt()); });
    connect(m_coop, &QLineEdit::editingFinished, this, [this] { OnCoopChanged(m_coop->text()); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex&) {
        if (!m_filling)
            ShowSelected();
    });
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { EditCell(index.row(), index.column()); });
    connect(m_list, &QWidget::customContextMenuRequested, this, &COrderGuideView::ShowContextMenu);
    connect(m_list, &CZevListCtrl::ScrollCommand, this, [this](int) { CommitEditor(); });
    m_list->installEventFilter(this);

    FillFilters();
    Load();
}

void COrderGuideView::FillFilters()
{
    m_filter->addItem(tr("All"), 0);
    zev::Filters filters;
    if (filters.getAllByName() == 0)
        return;
    for (; filters.IsEOF() == 0; filters.MoveNext())
        m_filter->addItem(QString::fromStdString(zev::SqlText::Trim(filters.GetFieldValueString(1))),
                          filters.GetFieldValueInt(0));
}

void COrderGuideView::Load()
{
    const zev::ZevConfig& config = Host().State().settings.config;
    zev::GuideLoader::Request request;
    request.connection = zev::GuideLoader::ConnectionOf(0);
    request.accountId = m_guide->AccountId();
    request.workOrderId = m_guide->WorkOrderId();
    request.settings = m_guide->Settings();
    request.sortIndex = m_guide->Settings().guideSortKey;
    if (config.Byte(kGuideMode) == 3 && FamilyPlanOf(m_ctx.current.orderCatalog) > 0)
        request.familyPlanCatalog = m_ctx.current.orderCatalog;
    ShowLoading(true);
    // The worker never touches the screen: it posts the end of the read to
    // the window's thread, and the view waits for it before it goes.
    if (!m_loader.Start(std::move(request), [this] {
            QMetaObject::invokeMethod(
                this, [this] { OnLoaded(); }, Qt::QueuedConnection);
        })) {
        ShowLoading(false);
        Host().Messages().ShowText("The order guide could not be read.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
        ShowRows(-1);
    }
}

void COrderGuideView::OnLoaded()
{
    if (!m_loading)
        return;
    zev::GuideLoader::Result result = m_loader.Take();
    ShowLoading(false);
    if (!result.ok)
        Host().Messages().ShowText("The order guide could not be read.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
    m_guide->SetLoaded(std::move(result.rows));
    ShowRows(m_guide->Rows().empty() ? -1 : 0);
    StartRepricing();
    emit GuideLoaded();
    if (std::exchange(m_openBackorders, false))
        QMetaObject::invokeMethod(
            this, [this] { OnBackorders(); }, Qt::QueuedConnection);
}

void COrderGuideView::ShowLoading(bool loading)
{
    m_loading = loading;
    for (QWidget* w : std::initializer_list<QWidget*>{m_list, m_cases, m_singles, m_addFind, m_filter, m_coop})
        w->setEnabled(!loading);
    for (const char* name : {"BTN_ADD", "BTN_FIND", "BTN_DONE", "BTN_DUP", "BTN_DEL", "BTN_CALC", "BTN_PRINT"})
        m_buttons[name]->setEnabled(!loading);
    m_move->setEnabled(!loading && m_guide->Settings().guideSortKey == 0);
    UpdatePrintCommands();
    if (loading)
        m_description->setText(tr("Loading..."));
}

void COrderGuideView::StartRepricing()
{
    if (!m_ctx.price || m_guide->Rows().empty())
        return;
    std::vector<zev::OrderGuideRow> rows = m_guide->Rows();
    if (m_coopQty > 0)
        for (auto& r : rows)
            r.units = m_coopQty * r.qtyPerCase;
    m_repricing = true;
    m_worker.Start(std::move(rows), m_ctx.price, m_guide->Settings().priceOverrideMode, [this](bool) {
        // The worker never touches the screen: the results are applied on
        // the window's thread. The view waits for the worker before it goes.
        QMetaObject::invokeMethod(
            this, [this] { OnRepricingDone(); }, Qt::QueuedConnection);
    });
}

void COrderGuideView::ApplyRepricing()
{
    const std::vector<zev::RepricingWorker::Result> results = m_worker.TakeResults();
    zev::RepricingWorker::Apply(m_guide->Rows(), results);
    // The pass priced a copy (or the co-op quantity); the line amounts follow
    // the rows' own quantities as they are now.
    for (const auto& r : results)
        if (r.row < m_guide->Rows().size())
            m_guide->Reprice(r.row);
}

void COrderGuideView::OnRepricingDone()
{
    if (!m_repricing)
        return;
    m_worker.Wait();
    m_repricing = false;
    ApplyRepricing();
    for (int r = 0; r < static_cast<int>(m_guide->Rows().size()); ++r)
        ShowRow(r);
    ShowSelected();
    ShowTotal();
    emit RepricingFinished();
}

void COrderGuideView::StopWorkers()
{
    if (!m_repricing)
        return;
    m_worker.Stop();
    m_repricing = false;
    ApplyRepricing();
}

QString COrderGuideView::CellText(const zev::OrderGuideRow& r, int column) const
{
    const int code = ColumnCode(column);
    switch (code) {
    case kDealCode:
        return QString::fromStdString(zev::TierList::CellText(r.specialFlag));
    case kDiscount:
        return AmountText(r.discount);
    case kOverride:
        return AmountText(r.priceOverride);
    case kCases:
        return QString::number(r.Cases());
    case kSingles:
        return QString::number(r.Singles());
    case kPar:
        return QString::number(r.par);
    case kInventory:
        return QString::number(r.inv);
    case kRetail:
        return AmountText(r.retailPrice);
    case kWarehouse:
        return QString::number(r.warehouse);
    case kComment:
        return QString::fromStdString(r.lineComment);
    default:
        break;
    }
    const std::string& heading = m_headings[static_cast<std::size_t>(column)];
    if (heading.find("desc") != std::string::npos)
        return QString::fromStdString(r.description);
    if (heading.find("ext") != std::string::npos)
        return QString::asprintf("%.2f", r.extendedPrice);
    if (heading.find("price") != std::string::npos)
        return QString::asprintf("%.2f", r.casePrice);
    if (heading.find("upc") != std::string::npos)
        return QString::fromStdString(r.upc);
    if (heading.find("item") != std::string::npos || heading.find("sku") != std::string::npos)
        return QString::fromStdString(r.sku);
    if (heading.find("stock") != std::string::npos)
        return QString::number(r.stock);
    if (heading.find("last") != std::string::npos)
        return QString::number(r.lastQty);
    if (heading.find("pack") != std::string::npos)
        return QString::number(r.qtyPerCase);
    return {};
}

int COrderGuideView::ColumnCode(int column) const
{
    return column >= 0 && column < static_cast<int>(m_codes.size()) ? m_codes[static_cast<std::size_t>(column)] : 0;
}

void COrderGuideView::ShowRows(int selectRow)
{
    m_filling = true;
    const int columns = m_list->Model()->columnCount();
    std::vector<QStringList> rows;
    rows.reserve(m_guide->Rows().size());
    for (const auto& r : m_guide->Rows()) {
        QStringList cells;
        cells.reserve(columns);
        for (int c = 0; c < columns; ++c)
            cells.append(CellText(r, c));
        rows.push_back(std::move(cells));
    }
    m_list->Model()->SetRows(std::move(rows));
    m_filling = false;
    SelectRow(selectRow);
    ShowTotal();
    UpdatePrintCommands();
}

void COrderGuideView::UpdatePrintCommands()
{
    const bool guide = !m_loading && m_ctx.current.accountId >= 0 && !m_guide->Rows().empty();
    m_buttons["BTN_PRINTBLANK"]->setEnabled(guide);
    m_buttons["BTN_WORKSHEET"]->setEnabled(guide);
}

void COrderGuideView::ShowRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_guide->Rows().size()))
        return;
    const auto& r = m_guide->Rows()[static_cast<std::size_t>(row)];
    for (int c = 0; c < m_list->Model()->columnCount(); ++c)
        m_list->Model()->SetCell(row, c, CellText(r, c));
}

void COrderGuideView::SelectRow(int row)
{
    m_filling = true;
    if (row < 0 || row >= m_list->Model()->rowCount()) {
        m_list->selectionModel()->clearCurrentIndex();
        m_list->clearSelection();
    } else {
        const QModelIndex index = m_list->Model()->index(row, 0);
        m_list->selectionModel()->setCurrentIndex(index,
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_list->scrollTo(index);
    }
    m_filling = false;
    ShowSelected();
}

void COrderGuideView::ShowSelected()
{
    const int row = m_list->CurrentRow();
    const bool any = row >= 0 && row < static_cast<int>(m_guide->Rows().size());
    m_filling = true;
    if (!any) {
        m_description->setText(m_guide->Rows().empty() ? tr("No Items") : QString());
        m_cases->setValue(0);
        m_singles->setValue(0);
        m_casePrice->clear();
        m_singlePrice->clear();
    } else {
        const auto& r = m_guide->Rows()[static_cast<std::size_t>(row)];
        m_description->setText(QString::fromStdString(r.description));
        m_cases->setValue(r.Cases());
        m_singles->setValue(r.Singles());
        m_casePrice->setText(Money(r.casePrice));
        m_singlePrice->setText(Money(r.singlePrice));
    }
    const bool editable = any && !m_guide->Rows()[static_cast<std::size_t>(row)].readOnly;
    m_cases->setEnabled(editable);
    m_singles->setEnabled(editable);
    m_buttons["BTN_DUP"]->setEnabled(any);
    m_buttons["BTN_DEL"]->setEnabled(any);
    m_filling = false;
}

void COrderGuideView::ShowTotal()
{
    m_total->setText(QString::asprintf("Total: $%.2f", static_cast<double>(m_guide->TotalCents()) / 100.0));
}

void COrderGuideView::SetCases(int cases)
{
    if (m_loading)
        return;
    const int row = m_list->CurrentRow();
    if (row < 0 || row >= static_cast<int>(m_guide->Rows().size()))
        return;
    const auto& r = m_guide->Rows()[static_cast<std::size_t>(row)];
    if (r.readOnly)
        return;
    m_guide->SetCasesAndSingles(static_cast<std::size_t>(row), std::max(0, cases), r.Singles());
    ShowRow(row);
    ShowSelected();
    ShowTotal();
}

void COrderGuideView::SetSingles(int singles)
{
    if (m_loading)
        return;
    const int row = m_list->CurrentRow();
    if (row < 0 || row >= static_cast<int>(m_guide->Rows().size()))
        return;
    const auto& r = m_guide->Rows()[static_cast<std::size_t>(row)];
    if (r.readOnly)
        return;
    const auto [cases, rest] = zev::GuideCommands::CarrySingles(r.Cases(), singles, r.qtyPerCase);
    m_guide->SetCasesAndSingles(static_cast<std::size_t>(row), cases, rest);
    ShowRow(row);
    ShowSelected();
    ShowTotal();
}

void COrderGuideView::MoveSelected(zev::GuideCommands::Move step)
{
    if (m_loading)
        return;
    const int row = m_list->CurrentRow();
    if (row < 0)
        return;
    CommitEditor();
    StopWorkers();
    const int target = zev::GuideCommands::MoveTarget(row, step, static_cast<int>(m_guide->Rows().size()));
    m_guide->Move(static_cast<std::size_t>(row), static_cast<std::size_t>(target));
    ShowRows(target);
    m_list->setFocus();
}

void COrderGuideView::OnMoveSpinner(int value)
{
    if (value == 50)
        return;
    const bool hadFocus = m_move->hasFocus();
    {
        const QSignalBlocker block(m_move);
        m_move->setValue(50);
    }
    if (m_guide->Settings().guideSortKey != 0)
        return;
    MoveSelected(value > 50 ? zev::GuideCommands::Move::Up1 : zev::GuideCommands::Move::Down1);
    // Stepping again from the keyboard keeps working.
    if (hadFocus)
        m_move->setFocus();
}

void COrderGuideView::OnDuplicate()
{
    if (m_loading)
        return;
    const int row = m_list->CurrentRow();
    if (row < 0 || !Host().State().settings.config.IsOn(kDuplicateLines))
        return;
    CommitEditor();
    StopWorkers();
    zev::OrderGuideRow copy = zev::GuideCommands::Duplicate(m_guide->Rows()[static_cast<std::size_t>(row)]);
    if (m_guide->Settings().guideSortKey == 0) {
        const int number = copy.lineItemNumber + 1;
        for (std::size_t i = static_cast<std::size_t>(row) + 1; i < m_guide->Rows().size(); ++i)
            m_guide->Rows()[i].lineItemNumber += 1;
        copy.lineItemNumber = number;
    } else {
        int highest = 0;
        for (const auto& r : m_guide->Rows())
            highest = std::max(highest, r.lineItemNumber);
        for (const auto& r : m_guide->HiddenRows())
            highest = std::max(highest, r.lineItemNumber);
        copy.lineItemNumber = highest + 1;
    }
    m_guide->Insert(static_cast<std::size_t>(row) + 1, std::move(copy));
    ShowRows(row + 1);
}

std::vector<int> COrderGuideView::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty() && m_list->CurrentRow() >= 0)
        rows.push_back(m_list->CurrentRow());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void COrderGuideView::OnDelete()
{
    if (m_loading)
        return;
    const std::vector<int> rows = SelectedRows();
    if (rows.empty())
        return;
    CommitEditor();
    if (Host().Messages().ShowText(zev::GuideCommands::DeleteQuestion(static_cast<int>(rows.size())),
                                   zev::ids::kCaptionQuestion, zev::MbButtons::YesNo,
                                   zev::MbIcon::Question) != zev::MbResult::Yes)
        return;
    StopWorkers();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        m_guide->Remove(static_cast<std::size_t>(*it));
    const int next = std::min(rows.front(), static_cast<int>(m_guide->Rows().size()) - 1);
    ShowRows(next);
}

void COrderGuideView::OnAdd()
{
    if (m_loading)
        return;
    const std::string typed = m_addFind->text().trimmed().toStdString();
    m_addFind->clear();
    if (typed.empty())
        return;
    CommitEditor();
    StopWorkers();
    const std::size_t before = m_guide->Rows().size();
    const zev::GuideCommands::AddOutcome outcome =
        zev::GuideCommands::AddByNumber(*m_guide, typed, m_ctx.current.orderCatalog, m_ctx.price);
    ShowRows(outcome.added > 0 ? static_cast<int>(before) : m_list->CurrentRow());
    Host().Messages().ShowText(zev::GuideCommands::AddReport(outcome), zev::ids::kCaptionInformation,
                               zev::MbButtons::Ok, zev::MbIcon::Information);
}

void COrderGuideView::OnBackorders()
{
    if (!m_ctx.backorders)
        return;
    CommitEditor();
    StopWorkers();
    const int row = m_list->CurrentRow();
    m_ctx.backorders(this, m_guide->AccountId(), zev::BackorderTags::Keys(*m_guide),
                     [this](int itemId, const std::string& sku, int units, const std::string& tag) {
                         return zev::BackorderTags::Add(*m_guide, itemId, sku, units, tag, m_ctx.current.orderCatalog,
                                                        m_ctx.price);
                     });
    ShowRows(row);
}

void COrderGuideView::OnFind()
{
    if (m_loading)
        return;
    QString text = m_addFind->text().trimmed();
    if (text.isEmpty()) {
        bool ok = false;
        text = QInputDialog::getText(this, tr("Find"), tr("Find:"), QLineEdit::Normal, QString(), &ok).trimmed();
        if (!ok)
            return;
    }
    m_findText = text.toStdString();
    const int row = zev::GuideCommands::Find(m_guide->Rows(), m_findText, -1);
    if (row < 0) {
        Host().Messages().ShowText("No matching item was found.", zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                                   zev::MbIcon::Information);
        return;
    }
    SelectRow(row);
    m_list->setFocus();
}

void COrderGuideView::OnFindNext()
{
    if (m_loading)
        return;
    if (m_findText.empty())
        return;
    const int row = zev::GuideCommands::Find(m_guide->Rows(), m_findText, m_list->CurrentRow());
    if (row >= 0)
        SelectRow(row);
}

void COrderGuideView::OnFilter(int mask)
{
    if (m_loading)
        return;
    CommitEditor();
    StopWorkers();
    m_guide->ApplyFilter(mask);
    ShowRows(m_guide->Rows().empty() ? -1 : 0);
}

void COrderGuideView::OnCoopChanged(const QString& text)
{
    if (m_loading)
        return;
    const int quantity = zev::GuideCommands::CoopQuantity(text.toStdString());
    if (quantity == m_coopQty)
        return;
    StopWorkers();
    m_coopQty = quantity;
    StartRepricing();
}

void COrderGuideView::OnCalculator()
{
    if (m_loading)
        return;
    CommitEditor();
    for (std::size_t i = 0; i < m_guide->Rows().size(); ++i) {
        const auto& r = m_guide->Rows()[i];
        const int units = std::max(0, r.par - r.inv);
        if (units != r.units && !r.readOnly)
            m_guide->SetUnits(i, units);
    }
    ShowRows(m_list->CurrentRow());
}

void COrderGuideView::OnQuickHistory()
{
    if (m_loading)
        return;
    const int row = m_list->CurrentRow();
    if (row < 0)
        return;
    const auto& r = m_guide->Rows()[static_cast<std::size_t>(row)];
    Query q("", "", 0);
    const std::string sql = zev::SqlText::Format(
        "select top 6 H.TransDate, L.CQty, L.SQty, L.CPrice, L.SPrice from OrderHistory H, OrderHistoryItems L "
        "where H.OrderNumber = L.OrderNumber and H.AccountID=%d and L.ItemID=%d order by H.TransDate desc",
        m_ctx.current.accountId, r.itemId);
    std::string text;
    if (q.Open(sql) != 0) {
        for (; q.IsEOF() == 0; q.MoveNext()) {
            int y = 0, m = 0, d = 0;
            std::sscanf(q.GetFieldValueString(0).c_str(), "%d-%d-%d", &y, &m, &d);
            const bool units = m_guide->Settings().quantitiesInUnits;
            char line[160];
            const std::string qty =
                units ? std::to_string(q.GetFieldValueInt(1) * r.qtyPerCase + q.GetFieldValueInt(2))
                      : std::to_string(q.GetFieldValueInt(1)) + " / " + std::to_string(q.GetFieldValueInt(2));
            std::snprintf(line, sizeof line, "%.2d/%.2d/%d\t%s\t%.2f / %.2f\n", m, d, y, qty.c_str(),
                          q.GetFieldValueDouble(3), q.GetFieldValueDouble(4));
            text += line;
        }
    }
    if (text.empty())
        Host().Messages().ShowText("No previous order information available.", zev::ids::kCaptionInformation,
                                   zev::MbButtons::Ok, zev::MbIcon::Information);
    else
        Host().Messages().ShowText("Date\t\tQty\tPrice\n" + text, zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                                   zev::MbIcon::Information);
}

void COrderGuideView::OnDetails()
{
    if (m_loading)
        return;
    const int row = m_list->CurrentRow();
    if (row < 0)
        return;
    const auto& r = m_guide->Rows()[static_cast<std::size_t>(row)];
    if (m_ctx.itemDetails) {
        m_ctx.itemDetails(r.itemId);
        return;
    }
    char text[512];
    std::snprintf(
        text, sizeof text, "%s\n\nItem #: %s\nUPC: %s\nPack: %d\nIn stock: %d\nCase price: $%.2f\nSingle price: $%.2f",
        r.description.c_str(), r.sku.c_str(), r.upc.c_str(), r.qtyPerCase, r.stock, r.casePrice, r.singlePrice);
    Host().Messages().ShowText(text, zev::ids::kCaptionInformation, zev::MbButtons::Ok, zev::MbIcon::Information);
}

void COrderGuideView::OnPlace()
{
    if (m_loading)
        return;
    CommitEditor();
    zev::OrderRules rules(m_guide->Settings(), Host().Messages());
    zev::OrderAccount account{m_ctx.current.accountId, 0, m_ctx.current.licence};
    const zev::OrderRules::Outcome outcome =
        rules.Place(m_guide->Rows(), m_guide->HiddenRows(), account, m_ctx.order, [this] { StopWorkers(); });
    if (!outcome.placed) {
        if (outcome.selectRow >= 0)
            SelectRow(outcome.selectRow);
        return;
    }
    m_placed = true;
    Host().PostSwitchScreen(zev::Screen::OrderSummary);
}

void COrderGuideView::OnPrint() { PrintGuide(zev::OrderDocuments::GuideForm::Quantities); }

void COrderGuideView::OnPrintBlank()
{
    if (m_buttons["BTN_PRINTBLANK"]->isEnabled())
        PrintGuide(zev::OrderDocuments::GuideForm::Blank);
}

void COrderGuideView::OnPrintWorksheet()
{
    if (m_buttons["BTN_WORKSHEET"]->isEnabled())
        PrintGuide(zev::OrderDocuments::GuideForm::Worksheet);
}

void COrderGuideView::PrintGuide(zev::OrderDocuments::GuideForm form)
{
    if (m_loading)
        return;
    CommitEditor();
    StopWorkers();
    zev::PrintDocument document = zev::OrderDocuments::Guide(
        m_guide->Rows(), form, m_guide->Settings().quantitiesInUnits,
        zev::OrderDocuments::AccountLine(m_ctx.current.companyName, m_ctx.current.accountNumber));
    zev::DocumentHeading::Fill(document, Host().UserProfile().UserID());
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(document.title));
    // An empty guide is told before the print dialog asks for a printer.
    const bool chosen = !document.HasLines() ||
                        (m_choosePrinter ? m_choosePrinter(printer) : CDocumentPrinter::AskPrinter(printer, this));
    if (chosen)
        (void)CDocumentPrinter::Print(document, printer, Host().Messages());
}

void COrderGuideView::OnExport()
{
    if (m_loading)
        return;
    CommitEditor();
    (void)zev::GuideFiles::Export(*m_guide, zev::GuideExport::DesktopFolder(),
                                  m_ctx.clock ? m_ctx.clock->Now() : std::time(nullptr), Host().Messages());
}

void COrderGuideView::OnImport()
{
    if (m_loading)
        return;
    const zev::InventoryImport::Kind kind = zev::GuideFiles::ImportKind(Host().State().settings.config);
    CInventoryImportDlg dlg(kind, zev::GuideFiles::ImportStartPath(Host().UserProfile(), Host().Folders(), kind),
                            Host().Messages(), {}, this);
    if (dlg.exec() == QDialog::Accepted)
        RunImport(dlg.Path(), dlg.Reset());
}

bool COrderGuideView::RunImport(const std::string& path, bool reset)
{
    if (m_loading)
        return false;
    CommitEditor();
    StopWorkers();
    const zev::GuideFiles::ImportInputs in{
        Host().State().settings.config, Host().UserProfile(), Host().Messages(),
        m_ctx.current.orderCatalog,     m_ctx.price,          m_ctx.clock ? m_ctx.clock->Now() : std::time(nullptr)};
    const bool ok = zev::GuideFiles::Import(*m_guide, path, reset, in).ok;
    ShowRows(ok ? static_cast<int>(m_guide->Rows().size()) - 1 : m_list->CurrentRow());
    return ok;
}

bool COrderGuideView::CanLeave(zev::Screen target)
{
    if (m_loading) {
        // Nothing was shown, so nothing was changed: the read stops and
        // the guide is left as it is stored.
        m_loader.Stop();
        (void)m_loader.Take();
        ShowLoading(false);
        // Should the screen stay after all, it reads the guide again; once
        // it is gone the posted call is dropped with it.
        QMetaObject::invokeMethod(
            this, [this] { Load(); }, Qt::QueuedConnection);
        return CZevBaseView::CanLeave(target);
    }
    CommitEditor();
    if (target == zev::Screen::Accounts && !m_placed && Host().State().settings.config.IsOn(kWarnUnplacedOrder)) {
        const bool ordered = std::any_of(m_guide->Rows().begin(), m_guide->Rows().end(),
                                         [](const zev::OrderGuideRow& r) { return r.units > 0; });
        if (ordered &&
            Host().Messages().ShowText(
                "WARNING: Order has not been placed or saved to the database. Do you want to continue?",
                zev::ids::kCaptionWarning, zev::MbButtons::YesNo, zev::MbIcon::Warning) != zev::MbResult::Yes)
            return false;
    }
    StopWorkers();
    if (!m_guide->Save()) {
        Host().Messages().ShowText("The order guide could not be saved.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
        return false;
    }
    return CZevBaseView::CanLeave(target);
}

bool COrderGuideView::EditCell(int row, int column)
{
    if (m_loading)
        return false;
    CommitEditor();
    const int code = ColumnCode(column);
    if (row < 0 || row >= static_cast<int>(m_guide->Rows().size()) || code == 0)
        return false;
    const auto& r = m_guide->Rows()[static_cast<std::size_t>(row)];
    if (r.readOnly && (code == kCases || code == kSingles))
        return false;
    const QRect cell = m_list->visualRect(m_list->Model()->index(row, column));
    m_editRow = row;
    m_editColumn = column;
    if (code == kDealCode && m_ctx.price) {
        auto* box = new QComboBox(m_list->viewport());
        box->addItem(tr("Default"), 0);
        const auto& settings = m_guide->Settings();
        for (const auto& entry : zev::TierList::Build(m_ctx.price, r.itemId, r.catalogId, m_ctx.current.pricingTier,
                                                      settings.dealCodeMin, settings.dealCodeMax))
            box->addItem(QString::fromStdString(entry.text), entry.tier);
        box->setCurrentIndex(std::max(0, box->findData(static_cast<int>(r.specialFlag))));
        m_editor = box;
    } else if (code == kWarehouse) {
        m_editor = WarehouseEditor(r);
    } else {
        auto* edit = new QLineEdit(m_list->Model()->Cell(row, column), m_list->viewport());
        edit->selectAll();
        m_editor = edit;
    }
    zev::ZevAccessibility::DescribeCellEditor(m_editor, m_list, m_list->Model()->index(row, column));
    m_editor->setGeometry(cell);
    m_editor->installEventFilter(this);
    m_editor->show();
    m_editor->setFocus();
    return true;
}

QWidget* COrderGuideView::WarehouseEditor(const zev::OrderGuideRow& row)
{
    auto* box = new QComboBox(m_list->viewport());
    Query q("", "", 0);
    if (q.Open("select WarehouseID, Description from Warehouse where EnableFlag = 1 order by WarehouseID") != 0)
        for (; q.IsEOF() == 0; q.MoveNext())
            box->addItem(QStringLiteral("%1 %2")
                             .arg(q.GetFieldValueInt(0))
                             .arg(QString::fromStdString(zev::SqlText::Trim(q.GetFieldValueString(1)))),
                         q.GetFieldValueInt(0));
    // A line whose warehouse is no longer enabled keeps it until another is chosen.
    if (box->findData(row.warehouse) < 0)
        box->insertItem(0, QString::number(row.warehouse), row.warehouse);
    box->setCurrentIndex(box->findData(row.warehouse));
    return box;
}

void COrderGuideView::CancelEditor()
{
    if (!m_editor)
        return;
    QWidget* editor = m_editor;
    m_editor = nullptr;
    // Hiding a focused editor would pass the focus on, and the list takes
    // that as a step to the next column.
    if (editor->hasFocus())
        m_list->setFocus();
    editor->hide();
    editor->deleteLater();
    m_editRow = m_editColumn = -1;
}

void COrderGuideView::CommitEditor()
{
    if (!m_editor)
        return;
    QWidget* editor = m_editor;
    const int row = m_editRow;
    const int code = ColumnCode(m_editColumn);
    m_editor = nullptr;
    m_editRow = m_editColumn = -1;
    // Hiding a focused editor would pass the focus on, and the list takes
    // that as a step to the next column.
    if (editor->hasFocus())
        m_list->setFocus();
    editor->hide();
    editor->deleteLater();
    if (row < 0 || row >= static_cast<int>(m_guide->Rows().size()))
        return;
    const std::size_t i = static_cast<std::size_t>(row);
    zev::OrderGuideRow& r = m_guide->Rows()[i];
    zev::IMessageBox& box = Host().Messages();
    std::string typed;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        typed = std::to_string(combo->currentData().toInt());
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        typed = edit->text().trimmed().toStdString();
    const bool upToPar = Host().State().settings.config.IsOn(kOrderUpToPar);
    switch (code) {
    case kDealCode:
        (void)m_guide->EditDealCode(i, typed, box);
        break;
    case kDiscount:
        (void)m_guide->EditDiscount(i, typed, box);
        break;
    case kOverride:
        (void)m_guide->EditOverride(i, typed);
        break;
    case kCases:
    case kSingles: {
        const int value = std::atoi(typed.c_str());
        if (value < 0) {
            box.ShowText("This entry must be a positive number.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                         zev::MbIcon::Stop);
            break;
        }
        if (code == kCases)
            m_guide->SetUnits(i, r.units + (value - r.Cases()) * r.qtyPerCase);
        else
            m_guide->SetUnits(i, r.units - r.Singles() + value);
        break;
    }
    case kPar:
    case kInventory: {
        const int value = std::atoi(typed.c_str());
        if (code == kPar)
            m_guide->SetPar(i, value);
        else
            m_guide->SetInventory(i, value);
        if (upToPar)
            m_guide->SetUnits(i, std::max(0, r.par - r.inv));
        break;
    }
    case kRetail: {
        const double value = zev::Amount::LeadingNumber(typed);
        if (zev::Amount::Cents(value) != zev::Amount::Cents(r.retailPrice)) {
            r.retailPrice = static_cast<float>(value);
            m_guide->SetComment(i, r.lineComment); // marks the row and the guide edited
        }
        break;
    }
    case kWarehouse: {
        const int value = std::atoi(typed.c_str());
        if (value != r.warehouse) {
            r.warehouse = value;
            m_guide->SetComment(i, r.lineComment);
        }
        break;
    }
    case kComment:
        if (typed != r.lineComment)
            m_guide->SetComment(i, typed);
        break;
    default:
        break;
    }
    ShowRow(row);
    ShowSelected();
    ShowTotal();
    m_list->setFocus();
}

bool COrderGuideView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_list &&
            (key->key() == Qt::Key_F2 || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            const QModelIndex index = m_list->currentIndex();
            if (index.isValid() && EditCell(index.row(), index.column()))
                return true;
        }
        if (watched == m_list && key->key() == Qt::Key_Delete) {
            OnDelete();
            return true;
        }
        if (watched == m_editor) {
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                CommitEditor();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                CancelEditor();
                m_list->setFocus();
                return true;
            }
        }
    } else if (event->type() == QEvent::FocusOut && watched == m_editor) {
        auto* combo = qobject_cast<QComboBox*>(m_editor);
        // A drop-down's own popup takes the focus without ending the edit.
        if (!combo || !combo->view()->isVisible())
            QMetaObject::invokeMethod(
                this, [this] { CommitEditor(); }, Qt::QueuedConnection);
    }
    return CZevBaseView::eventFilter(watched, event);
}

QMenu* COrderGuideView::BuildContextMenu(bool onRow)
{
    auto* menu = new QMenu(this);
    menu->addAction(tr("Add..."), this, [this] { m_addFind->setFocus(); });
    menu->addAction(tr("Find..."), this, &COrderGuideView::OnFind);
    QAction* next = menu->addAction(tr("Find Next"), this, &COrderGuideView::OnFindNext);
    next->setEnabled(!m_findText.empty());
    if (!onRow)
        return menu;
    menu->addSeparator();
    menu->addAction(tr("Details..."), this, &COrderGuideView::OnDetails);
    menu->addAction(tr("Quick History..."), this, &COrderGuideView::OnQuickHistory);
    if (m_guide->Settings().guideSortKey == 0) {
        using M = zev::GuideCommands::Move;
        QMenu* move = menu->addMenu(tr("Move"));
        const std::pair<const char*, M> steps[] = {
            {"Top", M::Top},        {"Up 50", M::Up50},     {"Up 20", M::Up20},     {"Up 10", M::Up10},
            {"Down 10", M::Down10}, {"Down 20", M::Down20}, {"Down 50", M::Down50}, {"Bottom", M::Bottom}};
        for (const auto& [text, step] : steps) {
            const M s = step;
            move->addAction(tr(text), this, [this, s] { MoveSelected(s); });
        }
    }
    if (Host().State().settings.config.IsOn(kDuplicateLines))
        menu->addAction(tr("Duplicate"), this, &COrderGuideView::OnDuplicate);
    menu->addSeparator();
    menu->addAction(tr("Delete"), this, &COrderGuideView::OnDelete);
    return menu;
}

void COrderGuideView::ShowContextMenu(const QPoint& pos)
{
    const QModelIndex index = m_list->indexAt(pos);
    if (index.isValid())
        SelectRow(index.row());
    QMenu* menu = BuildContextMenu(index.isValid());
    menu->exec(m_list->viewport()->mapToGlobal(pos));
    delete menu;
}

CZevBaseView* CreateOrderGuideView(zev::IScreenHost& host, zev::OrderViewContext context)
{
    return new COrderGuideView(host, std::move(context));
}
