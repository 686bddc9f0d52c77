#include "orders/views/COrderDetailsSheet.h"

#include "app/core/ZevConfig.h"
#include "app/ui/CZevListCtrl.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The lines' columns; quantities and amounts read best right-aligned.
zev::ListDefinition LineColumns(bool withNotes)
{
    zev::ListDefinition list;
    list.name = "OrderDetailsLines";
    list.headings = {"Description", "Item #", "Quantity", "Amount"};
    list.widths = {260, 90, 80, 80};
    list.formats = {0, 0, 1, 1};
    if (withNotes) {
        list.headings.push_back("Note");
        list.widths.push_back(240);
        list.formats.push_back(0);
    }
    for (std::size_t i = 0; i < list.headings.size(); ++i)
        list.order.push_back(static_cast<std::uint8_t>(i + 1));
    return list;
}

} // namespace

COrderDetailsSheet::COrderDetailsSheet(const zev::OrderDetails& details, QWidget* parent)
    : QDialog(parent), m_header(new QFormLayout), m_lines(new CZevListCtrl(this))
{
    setWindowTitle(tr("Order Details"));
    setAccessibleName(tr("Order Details"));
    for (const auto& [label, value] : details.Header()) {
        auto* shown = new QLabel(QString::fromStdString(value), this);
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        // Read by its value; the caption beside it says what the value is.
        shown->setAccessibleDescription(QString::fromStdString(label));
        shown->setObjectName(QString::fromStdString(label));
        m_header->addRow(tr("%1:").arg(QString::fromStdString(label)), shown);
    }

    bool notes = false;
    for (const auto& line : details.lines)
        notes = notes || !line.note.empty();
    m_lines->Setup(LineColumns(notes), nullptr);
    m_lines->setAccessibleName(tr("Order lines"));
    m_lines->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lines->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The description takes the room the sheet has beyond the fixed columns.
    m_lines->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    std::vector<QStringList> rows;
    for (const auto& line : details.lines) {
        QStringList cells{QString::fromStdString(line.description), QString::fromStdString(line.sku),
                          QString::fromStdString(line.quantity), QString::asprintf("%.2f", line.amount)};
        if (notes)
            cells << QString::fromStdString(line.note);
        rows.push_back(cells);
    }
    if (rows.empty())
        rows.push_back({tr("No lines.")});
    m_lines->Model()->SetRows(std::move(rows));
    auto* linesLabel = new QLabel(tr("&Lines:"), this);
    linesLabel->setBuddy(m_lines);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(tr("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_header);
    layout->addWidget(linesLabel);
    layout->addWidget(m_lines, 1);
    layout->addWidget(buttons);
    resize(notes ? 900 : 680, 440);
    m_lines->setFocus();
}

QString COrderDetailsSheet::HeaderValue(const QString& label) const
{
    const auto* shown = findChild<QLabel*>(label, Qt::FindDirectChildrenOnly);
    return shown ? shown->text() : QString();
}
