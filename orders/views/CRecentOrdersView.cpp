#include "orders/views/CRecentOrdersView.h"

#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "base/Clock.h"
#include "orders/views/COrderDetailsSheet.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using zev::RecentOrders;

namespace {
constexpr int kList = 9;
} // namespace

CRecentOrdersView::CRecentOrdersView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent)
    : CZevBaseView(host, "RecentOrdersView", parent), m_ctx(std::move(context)), m_list(new CZevListCtrl(this)),
      m_periods(new QComboBox(this)), m_waiting(new QLabel(this))
{
}

QPushButton* CRecentOrdersView::Button(const char* name) const
{
    const auto it = m_buttons.find(name);
    return it == m_buttons.end() ? nullptr : it->second;
}

std::time_t CRecentOrdersView::Now() const { return m_ctx.clock ? m_ctx.clock->Now() : std::time(nullptr); }

void CRecentOrdersView::OnInitialUpdate()
{
    m_list->Setup(kList, Host().State().settings.config, &Host().UserProfile());
    m_list->setAccessibleName(tr("Recent orders"));
    for (RecentOrders::Period p : RecentOrders::kPeriods)
        m_periods->addItem(tr(RecentOrders::Name(p)), static_cast<int>(p));
    m_periods->setAccessibleName(tr("Period"));
    m_waiting->setAccessibleName(tr("Orders waiting to be sent"));
    auto* periodLabel = new QLabel(tr("S&how:"), this);
    periodLabel->setBuddy(m_periods);

    auto* top = new QHBoxLayout;
    top->addWidget(periodLabel);
    top->addWidget(m_periods);
    top->addStretch();
    top->addWidget(m_waiting);
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, const char*> defs[] = {
        {"BTN_DETAILS", "De&tails"}, {"BTN_SEND", "&Send"}, {"BTN_SENDALL", "Send &All"}};
    for (const auto& [name, caption] : defs) {
        auto* b = new QPushButton(tr(caption), this);
        b->setAccessibleName(b->text().remove('&'));
        m_buttons[name] = b;
        buttons->addWidget(b);
        AddControl(QString::fromLatin1(name), b);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    AddControl(QStringLiteral("LBL_PERIOD"), periodLabel);
    AddControl(QStringLiteral("LST_PERIOD"), m_periods);
    AddControl(QStringLiteral("LBL_WAITING"), m_waiting);
    AddControl(QStringLiteral("LST_RECENTORDERS"), m_list);
    LayOut();

    connect(m_buttons["BTN_DETAILS"], &QPushButton::clicked, this, &CRecentOrdersView::OnDetails);
    connect(m_buttons["BTN_SEND"], &QPushButton::clicked, this, &CRecentOrdersView::OnSend);
    connect(m_buttons["BTN_SENDALL"], &QPushButton::clicked, this, &CRecentOrdersView::OnSendAll);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { OnDetails(); });
    connect(m_periods, &QComboBox::activated, this,
            [this](int index) { ShowPeriod(static_cast<RecentOrders::Period>(m_periods->itemData(index).toInt())); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { SelectRow(index.row()); });
    // What waits to be sent comes first: sign-in brings the user here for it.
    ShowPeriod(RecentOrders::Waiting() > 0 ? RecentOrders::Period::Open : RecentOrders::Period::Today);
    m_list->setFocus();
}

void CRecentOrdersView::ShowPeriod(RecentOrders::Period period)
{
    m_period = period;
    m_periods->setCurrentIndex(m_periods->findData(static_cast<int>(period)));
    Fill();
}

void CRecentOrdersView::Fill()
{
    {
        zev::WaitCursor wait;
        m_rows = RecentOrders::Load(m_period, Now());
    }
    std::vector<QStringList> rows;
    for (const RecentOrders::Row& r : m_rows)
        rows.push_back({QString::fromStdString(r.account), QString::fromStdString(r.number),
                        QString::fromStdString(r.date), QString::asprintf("%.2f", r.total),
                        r.sent ? tr("Yes") : tr("No")});
    if (rows.empty())
        rows.push_back({tr("No orders")});
    m_list->Model()->SetRows(std::move(rows));
    const int waiting = RecentOrders::Waiting();
    m_waiting->setText(waiting == 0   ? tr("No orders wait to be sent.")
                       : waiting == 1 ? tr("1 order waits to be sent.")
                                      : tr("%1 orders wait to be sent.").arg(waiting));
    m_buttons["BTN_SENDALL"]->setEnabled(waiting > 0 && m_ctx.sendOrder);
    SelectRow(m_rows.empty() ? -1 : 0);
}

int CRecentOrdersView::Current() const
{
    const int row = m_list->CurrentRow();
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
}

void CRecentOrdersView::SelectRow(int row)
{
    if (row >= 0 && row < static_cast<int>(m_rows.size())) {
        if (m_list->CurrentRow() != row)
            m_list->selectionModel()->setCurrentIndex(m_list->Model()->index(row, 0),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        row = -1;
    }
    const bool any = row >= 0;
    m_buttons["BTN_DETAILS"]->setEnabled(any);
    // Only an order still waiting can be sent.
    m_buttons["BTN_SEND"]->setEnabled(any && !m_rows[static_cast<std::size_t>(row)].sent && m_ctx.sendOrder);
}

bool CRecentOrdersView::Send(int readyId)
{
    Host().SetBusy(true);
    bool sent = false;
    {
        zev::WaitCursor wait;
        sent = m_ctx.sendOrder(readyId);
    }
    Host().SetBusy(false);
    return sent;
}

void CRecentOrdersView::OnSend()
{
    const int row = Current();
    if (row < 0 || m_rows[static_cast<std::size_t>(row)].sent || !m_ctx.sendOrder)
        return;
    if (Send(m_rows[static_cast<std::size_t>(row)].readyId))
        Host().Messages().Show(65057, zev::ids::kCaptionInformation, zev::MbButtons::Ok, zev::MbIcon::Information);
    else
        Host().Messages().Show(65058, zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
    Fill();
}

void CRecentOrdersView::OnSendAll()
{
    if (!m_ctx.sendOrder)
        return;
    const std::vector<RecentOrders::Row> waiting = RecentOrders::Load(RecentOrders::Period::Open, Now());
    int sent = 0;
    for (const RecentOrders::Row& r : waiting) {
        // The first failure stops the run: the connection is the likely cause,
        // and each further try would wait for its time-out.
        if (!Send(r.readyId))
            break;
        ++sent;
    }
    if (sent == static_cast<int>(waiting.size()))
        Host().Messages().ShowText(sent == 1 ? "The order has been sent."
                                             : std::to_string(sent) + " orders have been sent.",
                                   zev::ids::kCaptionInformation, zev::MbButtons::Ok, zev::MbIcon::Information);
    else
        Host().Messages().Show(65058, zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
    Fill();
}

zev::OrderDetails CRecentOrdersView::Details(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return {};
    const bool units = Host().State().settings.config.IsOn(zev::cfg::kQuantitiesInUnits);
    return RecentOrders::Details(m_rows[static_cast<std::size_t>(row)], units);
}

QString CRecentOrdersView::DetailsText(int row) const { return QString::fromStdString(Details(row).Text()); }

void CRecentOrdersView::OnDetails()
{
    const int row = Current();
    if (row < 0)
        return;
    COrderDetailsSheet sheet(Details(row), this);
    sheet.exec();
}

CZevBaseView* CreateRecentOrdersView(zev::IScreenHost& host, zev::OrderViewContext context)
{
    return new CRecentOrdersView(host, std::move(context));
}
