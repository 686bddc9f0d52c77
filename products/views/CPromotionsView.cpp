#include "products/views/CPromotionsView.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/ui/CZevListModel.h"
#include "app/ui/ScreenHost.h"
#include "base/Clock.h"
#include "products/ProductOrdering.h"
#include "products/views/CProductTable.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zev {

CPromotionsView::CPromotionsView(IScreenHost& host, ProductsViewContext context, QWidget* parent)
    : CZevBaseView(host, "PromotionsView", parent), m_ctx(std::move(context)),
      m_headers(new CProductTable(
          "LST_PROMOTIONS", tr("Promotions"),
          {{tr("Promotion"), 0, 260}, {tr("From"), 0, 90}, {tr("To"), 0, 90}, {tr("Items"), 1, 50}}, this)),
      m_lines(new CProductTable("LST_PROMOITEMS", tr("Items of the promotion"),
                                {{tr("Item #"), 0, 70},
                                 {tr("Description"), 0, 260},
                                 {tr("Size"), 0, 70},
                                 {tr("Offer"), 0, 170},
                                 {tr("Min. Qty"), 1, 70},
                                 {tr("Discount"), 1, 70}},
                                this)),
      m_catalogOnly(new QCheckBox(tr("Only items of the account's &catalogue"), this)),
      m_add(new QPushButton(tr("&Add to Order Guide"), this)), m_details(new QPushButton(tr("&Details"), this))
{
}

void CPromotionsView::OnInitialUpdate()
{
    m_catalogOnly->setObjectName("CHK_CATALOG");
    m_catalogOnly->setAccessibleName(tr("Only items of the account's catalogue"));
    m_add->setAccessibleName(tr("Add to order guide"));
    m_details->setAccessibleName(tr("Details"));
    auto* promotionsLabel = new QLabel(tr("&Promotions running today:"), this);
    promotionsLabel->setBuddy(m_headers);
    auto* itemsLabel = new QLabel(tr("&Items:"), this);
    itemsLabel->setBuddy(m_lines);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_catalogOnly);
    buttons->addStretch();
    buttons->addWidget(m_add);
    buttons->addWidget(m_details);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promotionsLabel);
    layout->addWidget(m_headers, 1);
    layout->addWidget(itemsLabel);
    layout->addWidget(m_lines, 2);
    layout->addLayout(buttons);
    AddControl(QStringLiteral("LST_PROMOTIONS"), m_headers);
    AddControl(QStringLiteral("LST_PROMOITEMS"), m_lines);
    AddControl(QStringLiteral("CHK_CATALOG"), m_catalogOnly);
    AddControl(QStringLiteral("BTN_ADDTOGUIDE"), m_add);
    AddControl(QStringLiteral("BTN_DETAILS"), m_details);
    LayOut();

    // With an account current the screen starts on its catalogue.
    m_catalogOnly->setChecked(m_ctx.HasAccount());
    m_catalogOnly->setEnabled(m_ctx.HasAccount());
    connect(m_catalogOnly, &QCheckBox::toggled, this, &CPromotionsView::Fill);
    connect(m_headers->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { ShowLines(index.row()); });
    connect(m_lines->selectionModel(), &QItemSelectionModel::selectionChanged, this, &CPromotionsView::UpdateButtons);
    connect(m_lines, &QAbstractItemView::doubleClicked, this, &CPromotionsView::OnDetails);
    connect(m_add, &QPushButton::clicked, this, &CPromotionsView::OnAddToGuide);
    connect(m_details, &QPushButton::clicked, this, &CPromotionsView::OnDetails);
    Fill();
    m_headers->setFocus();
}

void CPromotionsView::Fill()
{
    SystemClock system;
    const IClock& clock = m_ctx.clock ? *m_ctx.clock : static_cast<const IClock&>(system);
    const std::optional<int> catalog = m_catalogOnly->isChecked() ? m_ctx.AccountCatalog() : std::nullopt;
    m_promotions = Promotions::Current(Promotions::Day(clock.Now()), catalog);
    std::vector<QStringList> rows;
    for (const auto& p : m_promotions)
        rows.push_back({QString::fromStdString(p.description), QString::fromStdString(p.start),
                        QString::fromStdString(p.end), QString::number(p.lines.size())});
    m_headers->Model()->SetRows(std::move(rows));
    if (m_promotions.empty()) {
        m_lines->Model()->SetRows({});
        UpdateButtons();
    } else {
        m_headers->SelectRow(0);
    }
}

void CPromotionsView::ShowLines(int row)
{
    std::vector<QStringList> rows;
    if (row >= 0 && row < static_cast<int>(m_promotions.size()))
        for (const auto& l : m_promotions[static_cast<std::size_t>(row)].lines)
            rows.push_back({QString::fromStdString(l.sku), QString::fromStdString(l.description),
                            QString::fromStdString(l.size), QString::fromStdString(l.text), QString::number(l.minQty),
                            QString::asprintf("%.2f", l.discount)});
    const bool any = !rows.empty();
    m_lines->Model()->SetRows(std::move(rows));
    m_lines->SelectRow(any ? 0 : -1);
    UpdateButtons();
}

const Promotions::Line* CPromotionsView::CurrentLine() const
{
    const int header = m_headers->CurrentRow();
    const int line = m_lines->CurrentRow();
    if (header < 0 || header >= static_cast<int>(m_promotions.size()))
        return nullptr;
    const auto& lines = m_promotions[static_cast<std::size_t>(header)].lines;
    return line >= 0 && line < static_cast<int>(lines.size()) ? &lines[static_cast<std::size_t>(line)] : nullptr;
}

void CPromotionsView::UpdateButtons()
{
    const bool any = CurrentLine() != nullptr;
    m_add->setEnabled(any && m_ctx.HasAccount());
    m_details->setEnabled(any && static_cast<bool>(m_ctx.itemDetails));
}

void CPromotionsView::OnAddToGuide()
{
    const Promotions::Line* line = CurrentLine();
    if (!line || !m_ctx.HasAccount())
        return;
    const auto result = ProductOrdering::AddToGuide(line->itemId, m_ctx.AccountId(), m_ctx.Catalog(), m_ctx.price);
    const bool added = result.outcome == ProductOrdering::Outcome::Added;
    Host().Messages().ShowText(ProductOrdering::Message(result, line->description),
                               added ? ids::kCaptionInformation : ids::kCaptionWarning, MbButtons::Ok,
                               added ? MbIcon::Information : MbIcon::Stop);
}

void CPromotionsView::OnDetails()
{
    const Promotions::Line* line = CurrentLine();
    if (line && m_ctx.itemDetails)
        m_ctx.itemDetails(line->itemId);
}

CZevBaseView* CreatePromotionsView(IScreenHost& host, ProductsViewContext context)
{
    return new CPromotionsView(host, std::move(context));
}

} // namespace zev
