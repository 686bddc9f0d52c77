#include "reports/views/CSalesDataView.h"

#include "accounts/CurrentAccount.h"
#include "app/core/CZevSettings.h"
#include "app/core/IniReader.h"
#include "app/core/Profile.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "reports/CsvWriter.h"
#include "reports/views/CsvExport.h"
#include "reports/views/LayoutSearch.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace {

struct PeriodLabels {
    const char* caption;
    const char* captionName;
    const char* amount;
    const char* quota;
    const char* percent;
};

// The figure labels' names, one period a row, as distributors' layout
// sections know them.
constexpr PeriodLabels kPeriods[zev::SalesDataModel::kPeriods] = {
    {"Balance", "LBL_BALANCE", "LBL_AMOUNTBALANCE", "LBL_QUOTABALANCE", "LBL_PERBALANCE"},
    {"Month to date", "LBL_MTD", "LBL_AMOUNTMTD", "LBL_QUOTAMTD", "LBL_PREMTD"},
    {"Quarter to date", "LBL_QTD", "LBL_AMOUNTQTD", "LBL_QUOTAQTD", "LBL_PERQTD"},
    {"Year to date", "LBL_YTD", "LBL_AMOUNTYTD", "LBL_QUOTAYTD", "LBL_PRTYTD"},
    {"Last year to date", "LBL_LYTD", "LBL_AMOUNTLYTD", "LBL_QUOTALYTD", "LBL_PERLYTD"},
    {"Past due", "LBL_PASTDUE", "LBL_AMOUNTPASTDUE", "LBL_QUOTAPASTDUE", "LBL_PERPAST"},
};

} // namespace

CSalesDataView::CSalesDataView(zev::IScreenHost& host, zev::ReportsViewContext context, QWidget* parent)
    : CZevBaseView(host, "SalesDataView", parent), m_context(std::move(context)),
      m_model(std::make_unique<zev::SalesDataModel>(zev::SalesDataSwitches::FromConfig(host.State().settings.config))),
      m_list(new CZevListCtrl(this)), m_topTen(new QLabel(this))
{
}

CSalesDataView::~CSalesDataView() = default;

QLabel* CSalesDataView::Label(const QString& name) const { return qobject_cast<QLabel*>(Control(name)); }

void CSalesDataView::OnInitialUpdate()
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    auto header = [this, grid](int column, const char* text, const char* name) {
        auto* label = new QLabel(QStringLiteral("<b>%1</b>").arg(tr(text)), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, 0, column);
        AddControl(QString::fromLatin1(name), label);
    };
    header(1, "Amount", "LBL_AMOUNT");
    header(2, "Quota", "LBL_QUOTA");
    header(3, "Percent", "LBL_PERCENT");
    for (int p = 0; p < zev::SalesDataModel::kPeriods; ++p) {
        const PeriodLabels& names = kPeriods[p];
        auto* caption = new QLabel(tr(names.caption), this);
        grid->addWidget(caption, p + 1, 0);
        AddControl(QString::fromLatin1(names.captionName), caption);
        auto figure = [this, grid, p, caption](int column, const char* name, const char* role) {
            auto* label = new QLabel(QStringLiteral("N/A"), this);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            label->setAccessibleName(caption->text() + QLatin1Char(' ') + QLatin1String(role));
            grid->addWidget(label, p + 1, column);
            AddControl(QString::fromLatin1(name), label);
            return label;
        };
        m_amounts[static_cast<std::size_t>(p)] = figure(1, names.amount, "amount");
        m_quotas[static_cast<std::size_t>(p)] = figure(2, names.quota, "quota");
        m_percents[static_cast<std::size_t>(p)] = figure(3, names.percent, "percent");
    }
    grid->setColumnStretch(4, 1);

    m_list->Setup(kListNumber, Host().State().settings.config, &Host().UserProfile());
    m_list->setAccessibleName(tr("Top items"));
    m_list->horizontalHeader()->setSectionsClickable(true);
    m_topTen->setBuddy(m_list);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin * 2, kMargin * 2, kMargin, kMargin);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addWidget(m_topTen);
    layout->addWidget(m_list, 1);
    AddControl(QStringLiteral("LBL_TOPTEN"), m_topTen);
    AddControl(QStringLiteral("LST_TOPTEN"), m_list);
    LayOut();

    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CSalesDataView::OnHeaderClicked);
    Fill();
    m_list->setFocus();
    FitListToWindow();
}

void CSalesDataView::Fill()
{
    zev::WaitCursor wait;
    m_model->Fill(m_context.current ? m_context.current->accountId : -1);
    m_topTen->setText(QString::fromStdString(m_model->TopItemsCaption()));
    // Without a sales row the labels keep what the screen showed.
    if (m_model->HasSalesRow()) {
        for (std::size_t p = 0; p < m_amounts.size(); ++p) {
            m_amounts[p]->setText(QString::fromStdString(m_model->Amounts()[p]));
            m_quotas[p]->setText(QString::fromStdString(m_model->Quotas()[p]));
            m_percents[p]->setText(QString::fromStdString(m_model->Percents()[p]));
        }
    }
    ShowRows();
}

void CSalesDataView::ShowRows()
{
    const int columns = m_list->Model()->columnCount();
    std::vector<QStringList> rows;
    rows.reserve(m_model->Rows().size());
    for (const zev::TopItemRow& row : m_model->Rows()) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << QString::fromStdString(zev::SalesDataModel::Text(row, c));
        rows.push_back(std::move(cells));
    }
    m_list->Model()->SetRows(std::move(rows));
}

void CSalesDataView::OnHeaderClicked(int column)
{
    m_model->Sort(column);
    ShowRows();
}

bool CSalesDataView::CanExport() const { return !m_model->Rows().empty(); }

void CSalesDataView::Export()
{
    if (!CanExport())
        return;
    std::vector<std::string> headings;
    std::vector<bool> text;
    const int columns = std::max(m_list->Model()->columnCount(), 1);
    for (int c = 0; c < zev::SalesDataModel::kColumns; ++c) {
        const QString heading = c < columns ? m_list->Model()->headerData(c, Qt::Horizontal).toString() : QString();
        headings.push_back(heading.isEmpty() ? "Column " + std::to_string(c + 1) : heading.toStdString());
        text.push_back(c == 0 || c >= 4);
    }
    std::vector<std::vector<std::string>> rows;
    for (const zev::TopItemRow& row : m_model->Rows()) {
        std::vector<std::string> cells;
        for (int c = 0; c < zev::SalesDataModel::kColumns; ++c)
            cells.push_back(zev::Trim(zev::SalesDataModel::Text(row, c)));
        rows.push_back(std::move(cells));
    }
    std::string title = "Sales data";
    if (m_context.current && !m_context.current->accountNumber.empty())
        title += " " + m_context.current->accountNumber;
    zev::CsvExport::Run(this, m_context, Host().Messages(), title, zev::CsvWriter(headings, text), rows);
}

void CSalesDataView::FitListToWindow()
{
    if (!Host().State().settings.config.IsOn(zev::cfg::kListsGrowWithWindow) || isMinimized() ||
        zev::InLayout(layout(), m_list))
        return;
    const QRect g = m_list->geometry();
    m_list->resize(std::max(50, width() - g.x() - kMargin), std::max(50, height() - g.y() - kMargin));
}

void CSalesDataView::resizeEvent(QResizeEvent* event)
{
    CZevBaseView::resizeEvent(event);
    FitListToWindow();
}

CZevBaseView* CreateSalesDataView(zev::IScreenHost& host, zev::ReportsViewContext context)
{
    return new CSalesDataView(host, std::move(context));
}
