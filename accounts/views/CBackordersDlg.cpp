#include "accounts/views/CBackordersDlg.h"

#include "accounts/views/CCancelBackordersDlg.h"
#include "accounts/views/CCheckListCtrl.h"
#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/ScreenHost.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kBackorderList = 15;

} // namespace

CBackordersDlg::CBackordersDlg(zev::IScreenHost& host, int accountId, std::set<std::string> heldKeys,
                               zev::Backorders::GuideAdd add, QWidget* parent)
    : QDialog(parent), m_host(host), m_backorders(CCancelBackordersDlg::SettingsOf(host)), m_held(std::move(heldKeys)),
      m_add(std::move(add)), m_list(new CCheckListCtrl(this))
{
    setWindowTitle(tr("Backorders"));
    const zev::ZevConfig& config = host.State().settings.config;
    m_list->SetupOr(kBackorderList, config, &host.UserProfile(),
                    {tr("SKU"), tr("Description"), tr("Ordered"), tr("On Hand"), tr("Invoice #")});
    m_list->setAccessibleName(tr("Backordered lines"));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);

    auto* buttons = new QDialogButtonBox(this);
    auto* done = buttons->addButton(tr("&Done"), QDialogButtonBox::AcceptRole);
    done->setAccessibleName(tr("Done"));
    buttons->addButton(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CBackordersDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(640, 380);

    if (!m_backorders.LoadLinesOfTypes(
            accountId, config.Text(zev::cfg::kBackorderOrderTypes, zev::cfg::kBackorderOrderTypesWidth), m_lines))
        m_lines.clear();
    std::vector<QStringList> rows;
    std::vector<bool> checked;
    for (const zev::BackorderLine& line : m_lines) {
        QStringList cells;
        for (int c = 0; c < 5; ++c)
            cells.append(QString::fromStdString(m_backorders.ColumnText(line, c)));
        rows.push_back(cells);
        checked.push_back(m_held.count(m_backorders.Key(line)) != 0);
    }
    m_list->SetRows(std::move(rows), std::move(checked));
    if (!m_lines.empty())
        m_list->selectionModel()->setCurrentIndex(m_list->Model()->index(0, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->setFocus();
}

void CBackordersDlg::accept()
{
    const std::optional<std::string> message = m_backorders.ApplyChecks(m_lines, m_list->Checks(), m_held, m_add);
    if (message)
        m_host.Messages().ShowText(*message, zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                                   zev::MbIcon::Information);
    QDialog::accept();
}
