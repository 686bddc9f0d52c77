#include "orders/views/COpenOrdersView.h"

#include "app/core/CZevSettings.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kList = 13;
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
    auto* details = new QPushButton(tr("De&tails"), this);
    details->setAccessibleName(tr("Details"));
    m_buttons["BTN_DETAILS"] = details;
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(details);
    buttons->addStretch();
    buttons->addWidget(m_summary);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    AddControl(QStringLiteral("LST_OPENORDERS"), m_list);
    AddControl(QStringLiteral("BTN_DETAILS"), details);
    AddControl(QStringLiteral("LBL_SUMMARY"), m_summary);
    LayOut();
    connect(details, &QPushButton::clicked, this, &COpenOrdersView::OnDetails);
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
}

QString COpenOrdersView::DetailsText(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_orders.size()))
        return {};
    const bool units = Host().State().settings.config.IsOn(zev::cfg::kQuantitiesInUnits);
    return QString::fromStdString(
        zev::OpenOrderList::DetailsText(m_ctx.current.accountId, m_orders[static_cast<std::size_t>(row)], units));
}

void COpenOrdersView::OnDetails()
{
    const int row = Current();
    if (row < 0)
        return;
    QDialog sheet(this);
    sheet.setWindowTitle(tr("Open Order Details"));
    auto* text = new QPlainTextEdit(DetailsText(row), &sheet);
    text->setReadOnly(true);
    text->setAccessibleName(tr("Order details"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &sheet);
    connect(buttons, &QDialogButtonBox::rejected, &sheet, &QDialog::reject);
    auto* layout = new QVBoxLayout(&sheet);
    layout->addWidget(text);
    layout->addWidget(buttons);
    sheet.resize(700, 400);
    sheet.exec();
}

CZevBaseView* CreateOpenOrdersView(zev::IScreenHost& host, zev::OrderViewContext context)
{
    return new COpenOrdersView(host, std::move(context));
}
