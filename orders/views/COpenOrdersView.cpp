#include "orders/views/COpenOrdersView.h"

#include "app/core/CZevSettings.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/DocumentState.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "orders/views/COrderDetailsSheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kList = 13;
constexpr zev::Screen kGuideScreen = zev::Screen::OrderGuide;
} // namespace

COpenOrdersView::COpenOrdersView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent)
    : CZevBaseView(host, "OpenOrdersView", parent), m_ctx(std::move(context)), m_list(new CZevListCtrl(this)),
      m_summary(new QLabel(this))
{
}

QPushButton* COpenOrdersView::Button(const char* name) const
{
    const auto it = m_buttons.find(name);
    return it == m_buttons.end() ? nullptr : it->second;
}

void COpenOrdersView::OnInitialUpdate()
{
    m_list->Setup(kList, Host().State().settings.config, &Host().UserProfile());
    m_list->setAccessibleName(tr("Open orders"));
    m_summary->setAccessibleName(tr("Open orders shown"));
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, const char*> defs[] = {{"BTN_DETAILS", "De&tails"},
                                                        {"BTN_CANCELBO", "Cancel &Backorders..."},
                                                        {"BTN_BACKORDERS", "Backorders to Order &Guide..."}};
    for (const auto& [name, caption] : defs) {
        auto* b = new QPushButton(tr(caption), this);
        b->setAccessibleName(b->text().remove('&').remove(QStringLiteral("...")));
        m_buttons[name] = b;
        buttons->addWidget(b);
        AddControl(QString::fromLatin1(name), b);
    }
    m_buttons["BTN_CANCELBO"]->setToolTip(tr("Ask the distributor to cancel backordered lines"));
    m_buttons["BTN_BACKORDERS"]->setToolTip(tr("Open the order guide to add or remove backordered quantities"));
    buttons->addStretch();
    buttons->addWidget(m_summary);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    AddControl(QStringLiteral("LST_OPENORDERS"), m_list);
    AddControl(QStringLiteral("LBL_SUMMARY"), m_summary);
    LayOut();
    connect(m_buttons["BTN_DETAILS"], &QPushButton::clicked, this, &COpenOrdersView::OnDetails);
    connect(m_buttons["BTN_CANCELBO"], &QPushButton::clicked, this, &COpenOrdersView::OnCancelBackorders);
    connect(m_buttons["BTN_BACKORDERS"], &QPushButton::clicked, this, &COpenOrdersView::OnBackordersToGuide);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { OnDetails(); });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { SelectRow(index.row()); });
    Fill();
    m_list->setFocus();
}

void COpenOrdersView::Fill()
{
    {
        zev::WaitCursor wait;
        m_orders = m_ctx.current.accountId < 0 ? std::vector<zev::OpenOrderList::Order>{}
                                               : zev::OpenOrderList::Load(m_ctx.current.accountId);
    }
    std::vector<QStringList> rows;
    int backorders = 0;
    for (const auto& o : m_orders) {
        rows.push_back({QString::fromStdString(o.invoice), QString::fromStdString(o.date),
                        QString::fromStdString(o.type) + (o.backorder ? tr(" (backorder)") : QString()),
                        QString::number(o.items), QString::asprintf("%.2f", o.total)});
        backorders += o.backorder ? 1 : 0;
    }
    if (rows.empty())
        rows.push_back({m_ctx.current.accountId < 0 ? tr("Choose an account first") : tr("No open orders")});
    m_list->Model()->SetRows(std::move(rows));
    m_summary->setText(tr("%1 open, %2 with backorders").arg(m_orders.size()).arg(backorders));
    SelectRow(m_orders.empty() ? -1 : 0);
}

int COpenOrdersView::Current() const
{
    const int row = m_list->CurrentRow();
    return row >= 0 && row < static_cast<int>(m_orders.size()) ? row : -1;
}

void COpenOrdersView::SelectRow(int row)
{
    const bool any = row >= 0 && row < static_cast<int>(m_orders.size());
    if (any && m_list->CurrentRow() != row)
        m_list->selectionModel()->setCurrentIndex(m_list->Model()->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_buttons["BTN_DETAILS"]->setEnabled(any);
    // Only a backorder has lines to cancel or to take into the guide.
    const bool backorder = any && m_orders[static_cast<std::size_t>(row)].backorder;
    m_buttons["BTN_CANCELBO"]->setEnabled(backorder && static_cast<bool>(m_ctx.cancelBackorders));
    m_buttons["BTN_BACKORDERS"]->setEnabled(backorder && static_cast<bool>(m_ctx.backorders) &&
                                            Host().HasScreen(kGuideScreen));
}

bool COpenOrdersView::CurrentIsBackorder() const
{
    const int row = Current();
    return row >= 0 && m_orders[static_cast<std::size_t>(row)].backorder;
}

void COpenOrdersView::OnCancelBackorders()
{
    if (!CurrentIsBackorder() || !m_ctx.cancelBackorders)
        return;
    m_ctx.cancelBackorders(this, m_ctx.current.accountId, m_orders[static_cast<std::size_t>(Current())].invoice);
}

// The guide's backorder dialog changes the guide's lines, so it opens over
// the guide: the guide is asked to open it once it has read its lines.
void COpenOrdersView::OnBackordersToGuide()
{
    if (!CurrentIsBackorder() || !m_ctx.backorders || !Host().HasScreen(kGuideScreen))
        return;
    Host().Document().backordersRequested = true;
    Host().PostSwitchScreen(kGuideScreen);
}

zev::OrderDetails COpenOrdersView::Details(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_orders.size()))
        return {};
    const bool units = Host().State().settings.config.IsOn(zev::cfg::kQuantitiesInUnits);
    return zev::OpenOrderList::Details(m_ctx.current.accountId, m_ctx.current.companyName,
                                       m_orders[static_cast<std::size_t>(row)], units);
}

QString COpenOrdersView::DetailsText(int row) const { return QString::fromStdString(Details(row).Text()); }

void COpenOrdersView::OnDetails()
{
    const int row = Current();
    if (row < 0)
        return;
    COrderDetailsSheet sheet(Details(row), this);
    sheet.setWindowTitle(tr("Open Order Details"));
    sheet.exec();
}

CZevBaseView* CreateOpenOrdersView(zev::IScreenHost& host, zev::OrderViewContext context)
{
    return new COpenOrdersView(host, std::move(context));
}
