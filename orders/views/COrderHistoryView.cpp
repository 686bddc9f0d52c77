#include "orders/views/COrderHistoryView.h"

#include "app/core/CZevSettings.h"
#include "app/core/IniReader.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "base/Clock.h"
#include "orders/OrderGuide.h"
#include "orders/RecentOrders.h"
#include "orders/views/COrderDetailsSheet.h"
#include "tables/WorkOrder.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

namespace {
constexpr int kList = 3;
} // namespace

COrderHistoryView::COrderHistoryView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent)
    : CZevBaseView(host, "OrderHistoryView", parent), m_ctx(std::move(context)), m_list(new CZevListCtrl(this)),
      m_period(new QComboBox(this)), m_item(new QLineEdit(this)), m_summary(new QLabel(this))
{
}

QPushButton* COrderHistoryView::Button(const char* name) const
{
    const auto it = m_buttons.find(name);
    return it == m_buttons.end() ? nullptr : it->second;
}

void COrderHistoryView::OnInitialUpdate()
{
    m_list->Setup(kList, Host().State().settings.config, &Host().UserProfile());
    m_list->setAccessibleName(tr("Past orders"));
    const std::pair<const char*, int> periods[] = {
        {"All orders", 0}, {"Last 30 days", 30}, {"Last 90 days", 90}, {"Last 12 months", 365}};
    for (const auto& [text, days] : periods)
        m_period->addItem(tr(text), days);
    m_period->setAccessibleName(tr("Period"));
    m_item->setAccessibleName(tr("Item number, UPC or description"));
    m_item->setPlaceholderText(tr("Item number, UPC or description"));
    m_item->setClearButtonEnabled(true);
    m_summary->setAccessibleName(tr("Orders shown"));
    auto* periodLabel = new QLabel(tr("S&how:"), this);
    periodLabel->setBuddy(m_period);
    auto* itemLabel = new QLabel(tr("With &item:"), this);
    itemLabel->setBuddy(m_item);

    auto* top = new QHBoxLayout;
    top->addWidget(periodLabel);
    top->addWidget(m_period);
    top->addWidget(itemLabel);
    top->addWidget(m_item, 1);
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, const char*> defs[] = {{"BTN_DETAILS", "De&tails"},
                                                        {"BTN_COPY", "&Copy to Order Guide"}};
    for (const auto& [name, caption] : defs) {
        auto* b = new QPushButton(tr(caption), this);
        b->setAccessibleName(b->text().remove('&'));
        m_buttons[name] = b;
        buttons->addWidget(b);
        AddControl(QString::fromLatin1(name), b);
    }
    buttons->addStretch();
    buttons->addWidget(m_summary);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    AddControl(QStringLiteral("LBL_PERIOD"), periodLabel);
    AddControl(QStringLiteral("LST_PERIOD"), m_period);
    AddControl(QStringLiteral("LBL_ITEM"), itemLabel);
    AddControl(QStringLiteral("EDT_ITEM"), m_item);
    AddControl(QStringLiteral("LBL_SUMMARY"), m_summary);
    AddControl(QStringLiteral("LST_ORDERHISTORY"), m_list);
    LayOut();

    connect(m_buttons["BTN_DETAILS"], &QPushButton::clicked, this, &COrderHistoryView::OnDetails);
    connect(m_buttons["BTN_COPY"], &QPushButton::clicked, this, &COrderHistoryView::OnCopy);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { OnDetails(); });
    connect(m_period, &QComboBox::activated, this, [this] { Fill(); });
    connect(m_item, &QLineEdit::returnPressed, this, &COrderHistoryView::Fill);
    connect(m_item, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty())
            Fill(); // the clear button shows every order again
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { SelectRow(index.row()); });
    Fill();
    m_list->setFocus();
}

void COrderHistoryView::Fill()
{
    const zev::PastOrders::Filter filter{m_period->currentData().toInt(), m_item->text().trimmed().toStdString()};
    {
        zev::WaitCursor wait;
        m_orders = m_ctx.current.accountId < 0
                       ? std::vector<zev::PastOrders::Order>{}
                       : zev::PastOrders::Load(m_ctx.current.accountId, filter,
                                               m_ctx.clock ? m_ctx.clock->Now() : std::time(nullptr));
    }
    std::vector<QStringList> rows;
    double total = 0.0;
    for (const auto& o : m_orders) {
        rows.push_back({QString::fromStdString(o.invoice), QString::fromStdString(o.date),
                        QString::asprintf("%.2f", o.total), QString::number(o.lines),
                        QString::fromStdString(o.status)});
        total += o.total;
    }
    if (rows.empty())
        rows.push_back({m_ctx.current.accountId < 0 ? tr("Choose an account first") : tr("No orders")});
    m_list->Model()->SetRows(std::move(rows));
    m_summary->setText(m_orders.size() == 1 ? tr("1 order, $%1").arg(total, 0, 'f', 2)
                                            : tr("%1 orders, $%2").arg(m_orders.size()).arg(total, 0, 'f', 2));
    SelectRow(m_orders.empty() ? -1 : 0);
}

int COrderHistoryView::Current() const
{
    const int row = m_list->CurrentRow();
    return row >= 0 && row < static_cast<int>(m_orders.size()) ? row : -1;
}

void COrderHistoryView::SelectRow(int row)
{
    const bool any = row >= 0 && row < static_cast<int>(m_orders.size());
    if (any && m_list->CurrentRow() != row)
        m_list->selectionModel()->setCurrentIndex(m_list->Model()->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_buttons["BTN_DETAILS"]->setEnabled(any);
    m_buttons["BTN_COPY"]->setEnabled(any && Host().HasScreen(zev::Screen::OrderGuide));
}

zev::OrderDetails COrderHistoryView::Details(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_orders.size()))
        return {};
    const auto& o = m_orders[static_cast<std::size_t>(row)];
    zev::RecentOrders::Row r;
    r.sent = true;
    r.orderNumber = o.orderNumber;
    r.accountId = m_ctx.current.accountId;
    r.account = m_ctx.current.companyName;
    r.number = o.invoice;
    r.date = o.date;
    r.status = o.status;
    const bool units = Host().State().settings.config.IsOn(zev::cfg::kQuantitiesInUnits);
    return zev::RecentOrders::Details(r, units);
}

QString COrderHistoryView::DetailsText(int row) const { return QString::fromStdString(Details(row).Text()); }

void COrderHistoryView::OnDetails()
{
    const int row = Current();
    if (row < 0)
        return;
    COrderDetailsSheet sheet(Details(row), this);
    sheet.exec();
}

void COrderHistoryView::OnCopy()
{
    const int row = Current();
    if (row < 0)
        return;
    const auto& o = m_orders[static_cast<std::size_t>(row)];
    zev::IMessageBox& box = Host().Messages();
    // The guide's own quantities of those items are replaced: a hurried Enter keeps them.
    if (box.AskText("Copy the quantities of order " + o.invoice +
                        " into the order guide? Quantities already in the guide for its items are replaced.",
                    zev::ids::kCaptionQuestion, zev::MbButtons::YesNo, zev::MbIcon::Question,
                    zev::MbResult::No) != zev::MbResult::Yes)
        return;
    zev::WorkOrder header;
    if (header.getByPK(m_ctx.current.accountId) == 0 || header.IsEOF() != 0) {
        box.ShowText("This account has no order guide.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                     zev::MbIcon::Stop);
        return;
    }
    const zev::ZevConfig& config = Host().State().settings.config;
    const std::string mode = zev::ReadIniValue("GENERAL", "PRICEOVERRIDEMODE", "0", 8, Host().State().settingsFilePath);
    zev::OrderGuide guide(m_ctx.current.accountId, header.GetFieldValueInt(1),
                          zev::OrderSettings::FromConfig(config, std::atoi(mode.c_str())));
    zev::PastOrders::CopyOutcome outcome;
    {
        zev::WaitCursor wait;
        if (guide.Load(guide.Settings().guideSortKey))
            outcome = zev::PastOrders::CopyToGuide(guide, o.orderNumber, m_ctx.current.orderCatalog, m_ctx.price);
    }
    box.ShowText(zev::PastOrders::CopyReport(outcome),
                 outcome.ok ? zev::ids::kCaptionInformation : zev::ids::kCaptionError, zev::MbButtons::Ok,
                 outcome.ok ? zev::MbIcon::Information : zev::MbIcon::Stop);
    if (outcome.ok && outcome.copied > 0)
        Host().PostSwitchScreen(zev::Screen::OrderGuide);
}

CZevBaseView* CreateOrderHistoryView(zev::IScreenHost& host, zev::OrderViewContext context)
{
    return new COrderHistoryView(host, std::move(context));
}
