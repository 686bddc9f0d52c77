#include "accounts/views/CAccountsReceivableView.h"

#include "accounts/views/CCollectDlg.h"
#include "accounts/views/CDepositDlg.h"
#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/core/StringTable.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/DocumentState.h"
#include "app/ui/ScreenHost.h"
#include "base/Clock.h"
#include "orders/RecentOrders.h"
#include "orders/views/COrderDetailsSheet.h"
#include "reports/AccountDocuments.h"
#include "reports/DocumentHeading.h"
#include "reports/views/CDocumentPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr std::size_t kCollectShown = 168;
constexpr std::size_t kDepositShown = 169;
constexpr std::size_t kInvoiceDateShown = 170;
constexpr std::size_t kInvoiceNumberShown = 171;
constexpr std::size_t kDueDateShown = 172;
constexpr std::size_t kAmountShown = 173;
constexpr std::size_t kCollectedShown = 174;
constexpr std::size_t kPrintShown = 176;
constexpr std::size_t kMineShown = 177;
constexpr int kReceivablesList = 8;
constexpr zev::Caption kCaptionModify{65038};
constexpr zev::Caption kCaptionCollect{65039};
constexpr int kNoHistory = 65093;

QString Dollars(std::int64_t cents) { return QString::asprintf("$%.2f", static_cast<double>(cents) / 100.0); }

} // namespace

CAccountsReceivableView::CAccountsReceivableView(zev::IScreenHost& host, zev::AccountsViewContext context,
                                                 QWidget* parent)
    : CZevBaseView(host, "ARView", parent), m_context(std::move(context)),
      m_ownClock(m_context.clock ? nullptr : std::make_unique<zev::SystemClock>()),
      m_clock(m_context.clock ? m_context.clock : m_ownClock.get()), m_list(new CZevListCtrl(this)),
      m_account(new QComboBox(this)), m_mine(new QCheckBox(tr("&Just Mine"), this)),
      m_byOpen(new QRadioButton(tr("All &Open"), this)), m_byCustomerButton(new QRadioButton(tr("C&ustomer"), this))
{
}

CAccountsReceivableView::~CAccountsReceivableView() = default;

QPushButton* CAccountsReceivableView::Button(int id) const
{
    const auto it = m_buttons.find(id);
    return it == m_buttons.end() ? nullptr : it->second;
}

QLabel* CAccountsReceivableView::Field(const char* name) const
{
    const auto it = m_fields.find(name);
    return it == m_fields.end() ? nullptr : it->second;
}

void CAccountsReceivableView::OnInitialUpdate()
{
    const zev::ZevConfig& config = Host().State().settings.config;
    if (!m_list->Setup(kReceivablesList, config, &Host().UserProfile())) {
        zev::ListDefinition list;
        list.number = kReceivablesList;
        for (const char* heading :
             {"Company", "Account #", "Invoice #", "Inv Date", "Due Date", "Open", "Collected", "Today", "Inv Amount",
              "Age", "Comments", "R. Total", "Status", "Last Paid", "Paid On"}) {
            list.headings.emplace_back(heading);
            list.widths.push_back(80);
            list.formats.push_back(0);
            list.order.push_back(static_cast<std::uint8_t>(list.headings.size()));
        }
        m_list->Setup(list, nullptr);
    }
    m_list->setAccessibleName(tr("Open invoices"));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->horizontalHeader()->setSectionsClickable(true);

    auto* showBy = new QLabel(tr("Show by:"), this);
    m_byOpen->setAccessibleName(tr("All open invoices"));
    m_byCustomerButton->setAccessibleName(tr("Invoices of one customer"));
    m_mine->setAccessibleName(tr("Just my invoices"));
    m_account->setAccessibleName(tr("Account"));
    auto* accountCaption = new QLabel(tr("&Account:"), this);
    accountCaption->setBuddy(m_account);
    auto* accountText = new QLabel(this);
    m_fields["LBL_ACCT"] = accountText;

    auto* top = new QHBoxLayout;
    top->addWidget(showBy);
    top->addWidget(m_byOpen);
    top->addWidget(m_byCustomerButton);
    top->addSpacing(16);
    top->addWidget(accountCaption);
    top->addWidget(m_account, 1);
    top->addWidget(accountText, 1);
    top->addWidget(m_mine);

    auto* details = new QGridLayout;
    const std::tuple<const char*, const char*, const char*, std::size_t> fields[] = {
        {"LBL_INVNUMBER", "LBL_LBLINVNUMBER", "Invoice #:", kInvoiceNumberShown},
        {"LBL_INVDATE", "LBL_LBLINVDATE", "Invoice date:", kInvoiceDateShown},
        {"LBL_DUEDATE", "LBL_LBLDUEDATE", "Due date:", kDueDateShown},
        {"LBL_INVAMOUNT", "LBL_LBLINVAMOUNT", "Amount:", kAmountShown},
        {"LBL_AMTCOLLECTED", "LBL_LBLAMTCOLLECTED", "Collected:", kCollectedShown},
        {"LBL_TOTAL", "LBL_LBLTOT", "Total Invoiced:", 0},
        {"LBL_TOTALDUE", "LBL_LBLTOTALDUE", "Total Due:", 0}};
    int row = 0;
    for (const auto& [name, captionName, caption, sw] : fields) {
        auto* label = new QLabel(tr(caption), this);
        auto* value = new QLabel(this);
        value->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        value->setAccessibleName(QString::fromLatin1(caption).remove(QLatin1Char(':')));
        label->setBuddy(value);
        m_fields[name] = value;
        AddControl(QString::fromLatin1(captionName), label);
        AddControl(QString::fromLatin1(name), value);
        const bool shown = sw == 0 || config.IsOn(sw);
        label->setVisible(shown);
        value->setVisible(shown);
        details->addWidget(label, row % 5, (row / 5) * 2);
        details->addWidget(value, row % 5, (row / 5) * 2 + 1);
        ++row;
    }
    details->setColumnStretch(1, 1);
    details->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    const std::tuple<int, const char*, const char*, std::size_t> defs[] = {
        {kDetails, "BTN_DETAILS", "De&tails...", 0},
        {kCollect, "BTN_COLLECT", "&Collect...", kCollectShown},
        {kDeposit, "BTN_DEPOSIT", "De&posit...", kDepositShown},
        {kPrint, "BTN_PRINT", "P&rint", kPrintShown}};
    for (const auto& [id, name, caption, sw] : defs) {
        auto* b = new QPushButton(tr(caption), this);
        b->setAccessibleName(b->text().remove(QLatin1Char('&')).remove(QStringLiteral("...")));
        m_buttons[id] = b;
        AddControl(id, QString::fromLatin1(name), b);
        b->setVisible(sw == 0 || config.IsOn(sw));
        buttons->addWidget(b);
    }
    buttons->addStretch();
    m_mine->setVisible(config.IsOn(kMineShown));

    AddControl(kByOpen, QStringLiteral("BTN_BYOPEN"), m_byOpen);
    AddControl(kByCustomer, QStringLiteral("BTN_BYCUSTOMER"), m_byCustomerButton);
    AddControl(kAccount, QStringLiteral("LST_ACCOUNT"), m_account);
    AddControl(QStringLiteral("LBL_LBLACCT"), accountCaption);
    AddControl(QStringLiteral("LBL_SHOWBY"), showBy);
    AddControl(kList, QStringLiteral("LST_AR"), m_list);
    AddControl(kMine, QStringLiteral("BTN_MINE"), m_mine);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(details);
    layout->addLayout(buttons);
    LayOut();

    connect(m_byOpen, &QRadioButton::clicked, this, &CAccountsReceivableView::ShowAllOpen);
    connect(m_byCustomerButton, &QRadioButton::clicked, this, &CAccountsReceivableView::ShowByCustomer);
    connect(m_account, qOverload<int>(&QComboBox::activated), this, &CAccountsReceivableView::ChooseAccount);
    connect(m_mine, &QCheckBox::toggled, this, &CAccountsReceivableView::SetMineOnly);
    connect(m_buttons[kCollect], &QPushButton::clicked, this, &CAccountsReceivableView::OnCollect);
    connect(m_buttons[kDetails], &QPushButton::clicked, this, &CAccountsReceivableView::OnDetails);
    connect(m_buttons[kDeposit], &QPushButton::clicked, this, &CAccountsReceivableView::OnDeposit);
    connect(m_buttons[kPrint], &QPushButton::clicked, this, &CAccountsReceivableView::OnPrint);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { OnDetails(); });
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CAccountsReceivableView::OnHeaderClicked);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { ShowSelected(); });

    if (!m_data.LoadAccounts(m_accounts))
        m_accounts.clear();
    for (const zev::ARAccount& a : m_accounts)
        m_account->addItem(QString::fromStdString(a.label), a.accountId);
    int index = -1;
    for (std::size_t i = 0; i < m_accounts.size(); ++i)
        if (m_context.current.accountId >= 0 && m_accounts[i].accountId == m_context.current.accountId)
            index = static_cast<int>(i);
    if (index >= 0) {
        ShowByCustomer();
        m_account->setCurrentIndex(index);
        ChooseAccount(index);
    } else {
        ShowAllOpen();
    }
    m_list->setFocus();
}

void CAccountsReceivableView::ShowAllOpen()
{
    m_byCustomer = false;
    m_byOpen->setChecked(true);
    m_account->setVisible(false);
    m_fields["LBL_ACCT"]->setVisible(true);
    m_fields["LBL_ACCT"]->setText(tr("All Open Invoices"));
    m_accountId = -1;
    m_buttons[kPrint]->setEnabled(false);
    ListInvoices();
}

void CAccountsReceivableView::ShowByCustomer()
{
    m_byCustomer = true;
    m_byCustomerButton->setChecked(true);
    m_fields["LBL_ACCT"]->setVisible(false);
    m_account->setVisible(true);
    m_account->setCurrentIndex(-1);
    m_accountId = -1;
    m_list->Model()->Clear();
    m_fields["LBL_TOTAL"]->setText(QStringLiteral("$0.00"));
    m_fields["LBL_TOTALDUE"]->setText(QStringLiteral("$0.00"));
    for (int id : {kDetails, kCollect, kPrint})
        m_buttons[id]->setEnabled(false);
}

void CAccountsReceivableView::ChooseAccount(int index)
{
    if (!m_byCustomer || index < 0 || index >= static_cast<int>(m_accounts.size()))
        return;
    m_accountId = m_accounts[static_cast<std::size_t>(index)].accountId;
    m_buttons[kPrint]->setEnabled(true);
    ListInvoices();
}

void CAccountsReceivableView::SetMineOnly(bool mine)
{
    if (m_mine->isChecked() != mine)
        m_mine->setChecked(mine); // comes back through toggled
    else if (!m_byCustomer || m_accountId >= 0)
        ListInvoices();
}

void CAccountsReceivableView::ListInvoices()
{
    if (!m_data.Load(m_accountId, m_mine->isChecked(), m_clock->Now()))
        Host().Messages().ShowText("The invoices could not be read.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
    ShowRows(0);
}

void CAccountsReceivableView::ShowRows(int select)
{
    std::vector<QStringList> rows;
    for (const zev::ARListItem& item : m_data.Items()) {
        QStringList cells;
        for (int c = 0; c < zev::Receivables::kColumns; ++c)
            cells.append(QString::fromStdString(zev::Receivables::ColumnText(item, c)));
        rows.push_back(cells);
    }
    m_list->Model()->SetRows(std::move(rows));
    ShowTotals();
    const bool any = !m_data.Items().empty();
    m_buttons[kDetails]->setEnabled(any);
    m_buttons[kCollect]->setEnabled(any);
    SelectRow(any ? std::min(select, static_cast<int>(m_data.Items().size()) - 1) : -1);
}

void CAccountsReceivableView::ShowTotals()
{
    m_fields["LBL_TOTAL"]->setText(Dollars(m_data.TotalInvoicedCents()));
    m_fields["LBL_TOTALDUE"]->setText(Dollars(m_data.TotalDueCents()));
}

void CAccountsReceivableView::SelectRow(int row)
{
    if (row >= 0 && row < static_cast<int>(m_data.Items().size())) {
        const QModelIndex index = m_list->Model()->index(row, 0);
        m_list->selectionModel()->setCurrentIndex(index,
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_list->scrollTo(index);
    } else {
        m_list->clearSelection();
    }
    ShowSelected();
}

int CAccountsReceivableView::Current() const
{
    const int row = m_list->CurrentRow();
    return row >= 0 && row < static_cast<int>(m_data.Items().size()) ? row : -1;
}

void CAccountsReceivableView::ShowSelected()
{
    const int row = Current();
    QPushButton* collect = m_buttons[kCollect];
    if (row < 0) {
        for (const char* name : {"LBL_INVNUMBER", "LBL_INVDATE", "LBL_DUEDATE", "LBL_INVAMOUNT", "LBL_AMTCOLLECTED"})
            m_fields[name]->clear();
        collect->setEnabled(false);
        return;
    }
    const zev::ARListItem& item = m_data.Items()[static_cast<std::size_t>(row)];
    auto amount = [](std::int64_t cents) { return QString::asprintf("$%5.2lf", static_cast<double>(cents) / 100.0); };
    m_fields["LBL_INVNUMBER"]->setText(QString::fromStdString(item.invoiceNo));
    m_fields["LBL_INVDATE"]->setText(QString::fromStdString(zev::Receivables::ShortDate(item.invoiceDate)));
    m_fields["LBL_DUEDATE"]->setText(QString::fromStdString(zev::Receivables::ShortDate(item.dueDate)));
    m_fields["LBL_INVAMOUNT"]->setText(amount(item.invoiceCents));
    m_fields["LBL_AMTCOLLECTED"]->setText(amount(item.collectedTotalCents));
    const zev::Receivables::CollectButton state = zev::Receivables::ButtonFor(item);
    collect->setText(
        QStringLiteral("&") +
        QString::fromStdString(zev::LoadText(zev::CaptionNumber(state.modify ? kCaptionModify : kCaptionCollect))) +
        QStringLiteral("..."));
    collect->setAccessibleName(state.modify ? tr("Modify") : tr("Collect"));
    collect->setEnabled(state.enabled);
}

void CAccountsReceivableView::OnHeaderClicked(int column)
{
    const int row = Current();
    const std::string invoice = row >= 0 ? m_data.Items()[static_cast<std::size_t>(row)].invoiceNo : std::string();
    m_data.Sort(column);
    int select = 0;
    for (std::size_t i = 0; i < m_data.Items().size(); ++i)
        if (m_data.Items()[i].invoiceNo == invoice)
            select = static_cast<int>(i);
    ShowRows(select);
}

void CAccountsReceivableView::OnCollect()
{
    const int row = Current();
    if (row < 0 || !m_buttons[kCollect]->isEnabled())
        return;
    const zev::ARListItem item = m_data.Items()[static_cast<std::size_t>(row)];
    CCollectDlg dialog(zev::Receivables::LimitCents(item), item.paymentType, item.checkNumber, Host().Messages(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!m_data.Collect(static_cast<std::size_t>(row), dialog.AmountCents(), dialog.PaymentType(),
                        dialog.CheckNumber()))
        Host().Messages().ShowText("The collection could not be saved; the invoice is unchanged.",
                                   zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
    ShowRows(row);
}

void CAccountsReceivableView::OnDetails()
{
    const int row = Current();
    if (row < 0)
        return;
    const zev::ARListItem& item = m_data.Items()[static_cast<std::size_t>(row)];
    const auto order = m_data.FindHistoryOrder(item.invoiceNo);
    if (!order) {
        Host().Messages().Show(kNoHistory, zev::ids::kCaptionWarning, zev::MbButtons::Ok, zev::MbIcon::Warning);
        return;
    }
    // The same sheet as the order lists show.
    zev::RecentOrders::Row history;
    history.orderNumber = order->orderNumber;
    history.accountId = item.accountId;
    history.account = item.companyName;
    history.number = item.invoiceNo;
    const std::time_t placed = zev::RecentOrders::ParseStamp(order->transDate);
    history.date = placed > 0 ? zev::Receivables::LongDate(placed) : std::string();
    history.status = order->status;
    const bool units = Host().State().settings.config.IsOn(zev::cfg::kQuantitiesInUnits);
    COrderDetailsSheet sheet(zev::RecentOrders::Details(history, units), this);
    sheet.exec();
}

void CAccountsReceivableView::OnDeposit()
{
    CDepositDlg dialog(Host(), this);
    dialog.exec();
    const int row = Current();
    if (!m_byCustomer || m_accountId >= 0)
        ListInvoices();
    SelectRow(row);
}

std::string CAccountsReceivableView::AccountLabel() const
{
    for (const zev::ARAccount& a : m_accounts)
        if (a.accountId == m_accountId)
            return a.label;
    return {};
}

bool CAccountsReceivableView::PrintTo(QPrinter& printer)
{
    zev::PrintDocument document = zev::AccountDocuments::Receivables(m_data.Items(), AccountLabel(), m_clock->Now());
    zev::DocumentHeading::Fill(document, Host().UserProfile().UserID());
    return CDocumentPrinter::Print(document, printer, Host().Messages());
}

void CAccountsReceivableView::OnPrint()
{
    if (m_accountId < 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("Print Accounts Receivable"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintTo(printer);
}

CZevBaseView* CreateAccountsReceivableView(zev::IScreenHost& host, zev::AccountsViewContext context)
{
    return new CAccountsReceivableView(host, std::move(context));
}
