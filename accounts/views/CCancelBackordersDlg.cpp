#include "accounts/views/CCancelBackordersDlg.h"

#include "accounts/views/CCheckListCtrl.h"
#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/ScreenHost.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include <set>
#include <utility>

namespace {

constexpr int kCancelList = 16;

} // namespace

zev::Backorders::Settings CCancelBackordersDlg::SettingsOf(zev::IScreenHost& host)
{
    const zev::ZevConfig& config = host.State().settings.config;
    return {config.IsOn(zev::cfg::kBackorderKeyByInvoice), config.IsOn(zev::cfg::kQuantitiesInUnits),
            config.IsOn(zev::cfg::kSkuSortsAsText)};
}

CCancelBackordersDlg::CCancelBackordersDlg(zev::IScreenHost& host, int accountId, std::time_t now, QWidget* parent)
    : QDialog(parent), m_host(host), m_accountId(accountId), m_now(now), m_backorders(SettingsOf(host)),
      m_list(new CCheckListCtrl(this))
{
    setWindowTitle(tr("Cancel Backorders"));
    m_list->SetupOr(
        kCancelList, host.State().settings.config, &host.UserProfile(),
        {tr("SKU"), tr("Description"), tr("Ordered"), tr("On Hand"), tr("Invoice #"), tr("Deleted"), tr("Inv Date")});
    m_list->setAccessibleName(tr("Backordered lines"));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->horizontalHeader()->setSectionsClickable(true);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this, &CCancelBackordersDlg::OnHeaderClicked);

    auto* buttons = new QDialogButtonBox(this);
    auto* done = buttons->addButton(tr("&Done"), QDialogButtonBox::AcceptRole);
    done->setAccessibleName(tr("Done"));
    buttons->addButton(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CCancelBackordersDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(720, 400);

    if (!m_backorders.LoadBackorderLines(accountId, m_lines))
        m_lines.clear();
    ShowRows({});
    m_list->setFocus();
}

void CCancelBackordersDlg::ShowRows(const std::vector<bool>& checked)
{
    std::vector<QStringList> rows;
    for (const zev::BackorderLine& line : m_lines) {
        QStringList cells;
        for (int c = 0; c < 7; ++c)
            cells.append(QString::fromStdString(m_backorders.ColumnText(line, c)));
        rows.push_back(cells);
    }
    m_list->SetRows(std::move(rows), checked);
    if (!m_lines.empty())
        m_list->selectionModel()->setCurrentIndex(m_list->Model()->index(0, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CCancelBackordersDlg::ShowInvoice(const std::string& invoice)
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].invoiceNo != invoice)
            continue;
        const QModelIndex index = m_list->Model()->index(static_cast<int>(i), 0);
        m_list->selectionModel()->setCurrentIndex(index,
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_list->scrollTo(index);
        return;
    }
}

void CCancelBackordersDlg::OnHeaderClicked(int column)
{
    // The checks follow their lines (an open-order line is its invoice and
    // line number).
    std::set<std::pair<std::string, int>> checkedLines;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_list->IsChecked(static_cast<int>(i)))
            checkedLines.insert({m_lines[i].invoiceNo, m_lines[i].lineNumber});
    m_backorders.Sort(m_lines, column);
    std::vector<bool> checked;
    for (const zev::BackorderLine& line : m_lines)
        checked.push_back(checkedLines.count({line.invoiceNo, line.lineNumber}) != 0);
    ShowRows(checked);
}

void CCancelBackordersDlg::accept()
{
    std::vector<zev::BackorderLine> checked;
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_list->IsChecked(static_cast<int>(i)))
            checked.push_back(m_lines[i]);
    const zev::Backorders::SaveResult result = m_backorders.SaveCancellation(m_accountId, checked, m_now);
    if (result == zev::Backorders::SaveResult::HeaderFailed || result == zev::Backorders::SaveResult::LineFailed) {
        m_host.Messages().ShowText(zev::Backorders::SaveMessage(result), zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
        return;
    }
    QDialog::accept();
}
