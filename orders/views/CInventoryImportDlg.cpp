#include "orders/views/CInventoryImportDlg.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

namespace fs = std::filesystem;
using Kind = zev::InventoryImport::Kind;

std::string CInventoryImportDlg::Filter(Kind kind)
{
    return kind == Kind::Counts ? "OnHand Inventory Files (*.txt);;All Files (*)"
                                : "OnHand Inventory Files (*.inv);;All Files (*)";
}

CInventoryImportDlg::CInventoryImportDlg(Kind kind, const std::string& path, zev::IMessageBox& box, ChooseFn choose,
                                         QWidget* parent)
    : CZevDialog(parent), m_kind(kind), m_box(box), m_choose(std::move(choose)), m_path(new QLineEdit(this)),
      m_browse(new QPushButton(tr("&Browse..."), this)), m_reset(new QCheckBox(this)), m_ok(nullptr)
{
    const bool counts = kind == Kind::Counts;
    setWindowTitle(counts ? tr("Import Inventory") : tr("Import Inventory-Quantity File"));
    auto* label = new QLabel(counts ? tr("Inventory &file:") : tr("Inventory-Quantity &file:"), this);
    label->setBuddy(m_path);
    m_path->setAccessibleName(counts ? tr("Inventory file") : tr("Inventory-Quantity file"));
    m_path->setText(QString::fromStdString(path));
    m_path->setMinimumWidth(420);
    m_browse->setAccessibleName(tr("Browse"));
    m_reset->setText(tr("&Replace the counts in the order guide (otherwise add to them)"));
    m_reset->setAccessibleName(tr("Replace the counts in the order guide"));
    m_reset->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(tr("&Import"));
    m_ok->setAccessibleName(tr("Import"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));

    auto* grid = new QGridLayout;
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_path, 0, 1);
    grid->addWidget(m_browse, 0, 2);
    grid->addWidget(m_reset, 1, 0, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    AddControl(QStringLiteral("LBL_FILE"), label);
    AddControl(QStringLiteral("EDT_FILE"), m_path);
    AddControl(QStringLiteral("BTN_BROWSE"), m_browse);
    AddControl(QStringLiteral("BTN_RESET"), m_reset);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, &CInventoryImportDlg::OnBrowse);
    // Nothing named, nothing to import: the import button waits for a path.
    connect(m_path, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ok->setEnabled(!text.trimmed().isEmpty()); });
    m_ok->setEnabled(!m_path->text().trimmed().isEmpty());
    m_path->setFocus();
}

std::string CInventoryImportDlg::Path() const { return m_path->text().trimmed().toStdString(); }

bool CInventoryImportDlg::Reset() const { return m_reset->isChecked(); }

void CInventoryImportDlg::OnBrowse()
{
    const std::string filter = Filter(m_kind);
    std::string chosen;
    if (m_choose) {
        chosen = m_choose(this, Path(), filter);
    } else {
        chosen = QFileDialog::getOpenFileName(this, windowTitle(), m_path->text(), QString::fromStdString(filter))
                     .toStdString();
    }
    if (chosen.empty())
        return;
    std::error_code ec;
    const auto size = fs::file_size(chosen, ec);
    if (!ec && size == 0) {
        m_box.ShowText("This file is empty", zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return;
    }
    m_path->setText(QString::fromStdString(chosen));
    m_ok->setFocus();
}
