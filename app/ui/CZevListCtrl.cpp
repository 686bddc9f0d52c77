#include "app/ui/CZevListCtrl.h"

#include "app/core/Profile.h"
#include "app/core/ZevConfig.h"
#include "app/ui/CZevCellDelegate.h"

#include <QHeaderView>
#include <QScrollBar>

CZevListCtrl::CZevListCtrl(QWidget* parent) : QTableView(parent), m_model(new CZevListModel(this))
{
    setModel(m_model);
    setItemDelegate(new CZevCellDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setSortingEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    // Uniform rows keep lists of thousands of items fast.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int) { emit ScrollCommand(kScrollVertical); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int) { emit ScrollCommand(kScrollHorizontal); });
}

CZevListCtrl::~CZevListCtrl() { SaveLayout(); }

bool CZevListCtrl::Setup(int number, const zev::ZevConfig& config, zev::Profile* profile)
{
    if (number <= 0)
        return false;
    return Setup(config.List(number), profile);
}

bool CZevListCtrl::Setup(const zev::ListDefinition& definition, zev::Profile* profile)
{
    if (definition.headings.empty())
        return false;
    m_name = definition.name;
    m_profile = profile;

    const int count = static_cast<int>(definition.headings.size());
    QStringList headings;
    std::vector<int> formats;
    for (int i = 0; i < count; ++i) {
        headings.append(QString::fromStdString(definition.headings[static_cast<std::size_t>(i)]));
        formats.push_back(static_cast<std::size_t>(i) < definition.formats.size()
                              ? definition.formats[static_cast<std::size_t>(i)]
                              : 0);
    }
    m_model->SetColumns(headings, formats);

    m_hasWidth.assign(static_cast<std::size_t>(count), 0);
    std::vector<int> order;
    for (int i = 0; i < count; ++i) {
        const int width =
            static_cast<std::size_t>(i) < definition.widths.size() ? definition.widths[static_cast<std::size_t>(i)] : 0;
        horizontalHeader()->resizeSection(i, width);
        m_hasWidth[static_cast<std::size_t>(i)] = width != 0;
        if (width == 0)
            order.push_back(i);
    }
    m_flags = definition.flags;
    m_flags.resize(definition.flags.empty() ? 0 : static_cast<std::size_t>(count), 0);

    std::size_t used = definition.order.size();
    while (used > 0 && definition.order[used - 1] == 0)
        --used;
    for (std::size_t i = 0; i < used; ++i)
        order.push_back(static_cast<int>(definition.order[i]) - 1);
    if (order.size() > static_cast<std::size_t>(count))
        order.resize(static_cast<std::size_t>(count));
    ApplyDisplayOrder(order);

    RestoreLayout();
    return true;
}

// Entries that name no column or repeat one are skipped and the columns left
// out follow in their own order, so a faulty definition can never hide a
// column for good.
void CZevListCtrl::ApplyDisplayOrder(const std::vector<int>& columnAtPosition)
{
    const int count = m_model->columnCount();
    std::vector<int> final;
    std::vector<bool> seen(static_cast<std::size_t>(count), false);
    for (int column : columnAtPosition) {
        if (column < 0 || column >= count || seen[static_cast<std::size_t>(column)])
            continue;
        seen[static_cast<std::size_t>(column)] = true;
        final.push_back(column);
    }
    for (int column = 0; column < count; ++column)
        if (!seen[static_cast<std::size_t>(column)])
            final.push_back(column);

    QHeaderView* header = horizontalHeader();
    for (int position = 0; position < count; ++position) {
        const int from = header->visualIndex(final[static_cast<std::size_t>(position)]);
        if (from != position)
            header->moveSection(from, position);
    }
}

bool CZevListCtrl::RestoreLayout()
{
    if (!m_profile || m_name.empty())
        return false;
    const int count = m_model->columnCount();
    const auto widths = m_profile->ListWidths(m_name);
    if (widths) {
        for (int i = 0; i < count && i < static_cast<int>(widths->size()); ++i)
            horizontalHeader()->resizeSection(i, (*widths)[static_cast<std::size_t>(i)]);
    }
    const auto order = m_profile->ListOrder(m_name);
    if (order) {
        // The stored value gives each column's display position; turn it into
        // the column shown at each position.
        std::vector<int> columnAt(static_cast<std::size_t>(count), -1);
        bool valid = true;
        for (int column = 0; column < count; ++column) {
            const int position = (*order)[static_cast<std::size_t>(column)];
            if (position >= count || columnAt[static_cast<std::size_t>(position)] != -1) {
                valid = false;
                break;
            }
            columnAt[static_cast<std::size_t>(position)] = column;
        }
        if (valid)
            ApplyDisplayOrder(columnAt);
    }
    return widths.has_value() && order.has_value();
}

void CZevListCtrl::SaveLayout() const
{
    if (!m_profile || m_name.empty())
        return;
    zev::SavedListLayout layout;
    const int count = std::min(m_model->columnCount(), static_cast<int>(zev::kListLayoutColumns));
    for (int i = 0; i < count; ++i) {
        layout.widths[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(horizontalHeader()->sectionSize(i));
        layout.order[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(horizontalHeader()->visualIndex(i));
    }
    // A failed write only loses the user's column arrangement.
    (void)m_profile->SaveListLayout(m_name, layout);
}

bool CZevListCtrl::ColumnHasWidth(int column) const
{
    return column >= 0 && static_cast<std::size_t>(column) < m_hasWidth.size() &&
           m_hasWidth[static_cast<std::size_t>(column)];
}

int CZevListCtrl::CurrentRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}
