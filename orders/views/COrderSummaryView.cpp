#include "orders/views/COrderSummaryView.h"

#include "app/core/CZevSettings.h"
#include "app/core/ZevConfig.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/ScreenHost.h"
#include "orders/Amount.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {

constexpr std::size_t kQuantitiesInUnits = 31;
constexpr std::size_t kItemNumberCaseSensitive = 33;

QString AmountText(double value)
{
    if (zev::Amount::IsFree(value))
        return QStringLiteral("FREE");
    if (zev::Amount::IsNet(value))
        return QStringLiteral("NET");
    return QString::asprintf("%5.2lf", value);
}

QString Undoubled(const std::string& text) { return QString::fromStdString(text).replace("''", "'"); }

} // namespace

COrderSummaryView::COrderSummaryView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent)
    : CZevBaseView(host, "SummaryView", parent), m_ctx(std::move(context)), m_list(new CZevListCtrl(this)),
      m_totalLabel(new QLabel(tr("Total:"), this)), m_total(new QLabel(this)), m_totalQty(new QLabel(this)),
      m_approve(new QPushButton(tr("&Approve"), this)), m_cancel(new QPushButton(tr("&Cancel"), this))
{
}

void COrderSummaryView::OnInitialUpdate()
{
    m_list->Setup(7, Host().State().settings.config, &Host().UserProfile());
    m_list->setAccessibleName(tr("Order summary"));
    m_total->setAccessibleName(tr("Order total"));
    m_totalQty->setAccessibleName(tr("Total quantity"));
    m_approve->setAccessibleName(tr("Approve"));
    m_cancel->setAccessibleName(tr("Cancel"));
    auto* totals = new QHBoxLayout;
    totals->addWidget(m_totalLabel);
    totals->addWidget(m_total);
    totals->addStretch();
    totals->addWidget(m_totalQty);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_approve);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(totals);
    layout->addLayout(buttons);
    AddControl(QStringLiteral("LST_SUMMARY"), m_list);
    AddControl(QStringLiteral("LBL_TOTALLBL"), m_totalLabel);
    AddControl(QStringLiteral("LBL_TOTAL"), m_total);
    AddControl(QStringLiteral("LBL_TOTALQTY"), m_totalQty);
    AddControl(QStringLiteral("BTN_APPROVE"), m_approve);
    AddControl(QStringLiteral("BTN_CANCEL"), m_cancel);
    LayOut();
    connect(m_approve, &QPushButton::clicked, this, &COrderSummaryView::OnApprove);
    connect(m_cancel, &QPushButton::clicked, this, &COrderSummaryView::OnCancel);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &COrderSummaryView::OnHeaderClicked);
    m_approve->setDefault(true);

    m_order.resize(m_ctx.order.lines.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    Fill();
    m_list->setFocus();
}

QString COrderSummaryView::Text(const zev::OrderLine& l, int lineNumber, int column) const
{
    const bool units = Host().State().settings.config.IsOn(kQuantitiesInUnits);
    switch (column) {
    case 0:
        return QString::fromStdString(l.text);
    case 1:
        return units ? QString::number(l.cases) : QString::asprintf("%d / %d", l.cases, l.singles);
    case 2:
        return QString::asprintf("%5.2lf", l.extendedPrice);
    case 3:
        return AmountText(l.discount);
    case 4:
        return l.dealCode == 0 ? QString() : QString::number(l.dealCode);
    case 5:
        return QString::fromStdString(l.prefix);
    case 6:
        return QString::number(l.qtyPerCase);
    case 7:
        return AmountText(l.priceOverride);
    case 8:
        return QString::fromStdString(l.suffix);
    case 9:
        return units ? QString::asprintf("%5.2lf", l.casePrice)
                     : QString::asprintf("%5.2lf / %5.2lf", l.casePrice, l.singlePrice);
    case 10:
        return Undoubled(l.lineComment);
    case 11:
        return QString::number(lineNumber);
    case 12:
        return QString::asprintf("%.2f", l.retailPrice);
    default:
        return {};
    }
}

void COrderSummaryView::Fill()
{
    const int columns = m_list->Model()->columnCount();
    std::vector<QStringList> rows;
    std::int64_t cents = 0;
    int cases = 0, singles = 0;
    for (int index : m_order) {
        const zev::OrderLine& l = m_ctx.order.lines[static_cast<std::size_t>(index)];
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << Text(l, index + 1, c);
        rows.push_back(std::move(cells));
        cents += zev::Amount::Cents(l.extendedPrice);
        cases += l.cases;
        singles += l.singles;
    }
    m_list->Model()->SetRows(std::move(rows));
    m_total->setText(QString::asprintf("$%5.2lf", static_cast<double>(cents) / 100.0));
    if (Host().State().settings.config.IsOn(kQuantitiesInUnits))
        m_totalQty->setText(QString::asprintf("Total Quantity: %d", cases));
    else
        m_totalQty->setText(QString::asprintf("Total Quantity c/s: %d / %d", cases, singles));
}

void COrderSummaryView::OnHeaderClicked(int column)
{
    const auto& lines = m_ctx.order.lines;
    const bool caseSensitive = Host().State().settings.config.IsOn(kItemNumberCaseSensitive);
    auto compare = [&](int a, int b) -> int {
        const zev::OrderLine& x = lines[static_cast<std::size_t>(a)];
        const zev::OrderLine& y = lines[static_cast<std::size_t>(b)];
        auto num = [](auto p, auto q) { return p < q ? -1 : (p > q ? 1 : 0); };
        auto cents = [&](double p, double q) { return num(zev::Amount::Cents(p), zev::Amount::Cents(q)); };
        switch (column) {
        case 0:
            return QString::compare(QString::fromStdString(x.text), QString::fromStdString(y.text),
                                    Qt::CaseInsensitive);
        case 10:
            return QString::compare(QString::fromStdString(x.lineComment), QString::fromStdString(y.lineComment),
                                    Qt::CaseInsensitive);
        case 1:
            return x.cases != y.cases ? num(x.cases, y.cases) : num(x.singles, y.singles);
        case 2:
            return cents(x.extendedPrice, y.extendedPrice);
        case 3:
            return cents(x.discount, y.discount);
        case 7:
            return cents(x.priceOverride, y.priceOverride);
        case 12:
            return cents(x.retailPrice, y.retailPrice);
        case 4:
            return num(x.dealCode, y.dealCode);
        case 6:
            return num(x.qtyPerCase, y.qtyPerCase);
        case 11:
            return num(a, b);
        case 5:
            if (caseSensitive)
                return num(x.prefix, y.prefix);
            if (x.prefix.size() != y.prefix.size())
                return num(x.prefix.size(), y.prefix.size());
            return QString::compare(QString::fromStdString(x.prefix), QString::fromStdString(y.prefix),
                                    Qt::CaseInsensitive);
        case 8:
            return num(x.suffix, y.suffix);
        case 9:
            return x.casePrice != y.casePrice ? cents(x.casePrice, y.casePrice) : cents(x.singlePrice, y.singlePrice);
        default:
            return 0;
        }
    };
    const int direction = m_direction;
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) { return compare(a, b) * direction < 0; });
    m_direction = -m_direction;
    Fill();
}

void COrderSummaryView::OnApprove() { Host().PostSwitchScreen(zev::Screen::DeliveryOptions); }

void COrderSummaryView::OnCancel()
{
    if (!m_ctx.order.modifying)
        m_ctx.order.Reset();
    Host().PostSwitchScreen(zev::Screen::OrderGuide);
}

CZevBaseView* CreateOrderSummaryView(zev::IScreenHost& host, zev::OrderViewContext context)
{
    return new COrderSummaryView(host, std::move(context));
}
