#include "reports/views/CDocumentPrinter.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "reports/PageBreaker.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

// Paper and type for every printout.
constexpr qreal kMarginMm = 15.0;
constexpr int kBodyPoints = 9;
constexpr int kHeaderPoints = 8;
constexpr int kTitlePoints = 14;
constexpr int kDrawingLines = 4;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QFont Font(int points, bool bold)
{
    QFont font(QStringLiteral("Sans Serif"), points);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bold);
    return font;
}

// One document measured for one page size: what goes on which page and
// where. Lengths are in the printer's device pixels.
class Layout {
public:
    Layout(const zev::PrintDocument& doc, QPaintDevice& device, QSizeF page)
        : m_doc(doc), m_page(page), m_body(Font(kBodyPoints, false)), m_bold(Font(kBodyPoints, true)),
          m_header(Font(kHeaderPoints, false)), m_headerBold(Font(kHeaderPoints, true)),
          m_title(Font(kTitlePoints, true)), m_bodyFm(m_body, &device), m_headerFm(m_header, &device),
          m_titleFm(m_title, &device)
    {
        m_line = m_bodyFm.height() * 1.3;
        m_headerHeight = m_headerFm.height() * 1.8;
        m_footerHeight = m_headerFm.height() * 1.8;
        m_titleHeight = m_titleFm.height() * 1.4 + m_line * (static_cast<qreal>(doc.subtitles.size()) + 0.5);
        m_columnsHeight = m_line * 1.3;
        m_pad = m_bodyFm.averageCharWidth() * 0.6;
        PlaceColumns();
        BuildItems();
        const qreal body = m_page.height() - m_headerHeight - m_columnsHeight - m_footerHeight;
        const int pageLines = static_cast<int>(std::floor(body / m_line));
        const int firstLines = static_cast<int>(std::floor((body - m_titleHeight) / m_line));
        std::vector<zev::PageBreaker::Block> blocks;
        for (const Item& item : m_items)
            blocks.push_back({item.lines, item.keepWithNext});
        m_starts = zev::PageBreaker::Paginate(blocks, firstLines, pageLines);
    }

    int Pages() const { return static_cast<int>(m_starts.size()); }

    void Paint(QPainter& painter, int page) const
    {
        const int pages = Pages();
        const qreal width = m_page.width();
        QPen thin(Qt::black, std::max<qreal>(1.0, m_bodyFm.height() / 30.0));
        painter.setPen(thin);

        // The top of every page: distributor and representative.
        painter.setFont(m_headerBold);
        const QRectF top(0, 0, width, m_headerFm.height());
        painter.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, Q(m_doc.distributor));
        painter.setFont(m_header);
        painter.drawText(top, Qt::AlignRight | Qt::AlignVCenter, Q(m_doc.representative));
        const qreal rule = m_headerFm.height() * 1.3;
        painter.drawLine(QPointF(0, rule), QPointF(width, rule));
        qreal y = m_headerHeight;

        if (page == 0) {
            painter.setFont(m_title);
            painter.drawText(QRectF(0, y, width, m_titleFm.height()), Qt::AlignLeft | Qt::AlignVCenter, Q(m_doc.title));
            y += m_titleFm.height() * 1.4;
            painter.setFont(m_body);
            for (const std::string& line : m_doc.subtitles) {
                DrawText(painter, QRectF(0, y, width, m_line), Qt::AlignLeft, line);
                y += m_line;
            }
            y += m_line * 0.5;
        }

        const std::size_t first = m_starts[static_cast<std::size_t>(page)];
        const std::size_t last = static_cast<std::size_t>(page) + 1 < m_starts.size()
                                     ? m_starts[static_cast<std::size_t>(page) + 1]
                                     : m_items.size();
        const bool table = std::any_of(m_items.begin() + static_cast<std::ptrdiff_t>(first),
                                       m_items.begin() + static_cast<std::ptrdiff_t>(last),
                                       [](const Item& i) { return i.kind == Item::Row; });
        if (table) {
            painter.setFont(m_bold);
            std::vector<std::string> headings;
            for (const zev::PrintColumn& c : m_doc.columns)
                headings.push_back(c.heading);
            DrawCells(painter, headings, y, false);
            painter.drawLine(QPointF(0, y + m_line * 1.1), QPointF(width, y + m_line * 1.1));
        }
        y += m_columnsHeight;

        for (std::size_t i = first; i < last; ++i) {
            const Item& item = m_items[i];
            if (item.kind == Item::Row) {
                const zev::PrintRow& row = m_doc.rows[item.row];
                if (row.kind == zev::PrintRowKind::Section) {
                    painter.fillRect(QRectF(0, y, width, m_line), QColor(230, 230, 230));
                    painter.setFont(m_bold);
                    DrawText(painter, QRectF(m_pad, y, width - 2 * m_pad, m_line), Qt::AlignLeft,
                             row.cells.empty() ? std::string() : row.cells[0]);
                } else {
                    const bool total = row.kind == zev::PrintRowKind::Total;
                    if (total && (i == first || m_items[i - 1].kind != Item::Row ||
                                  m_doc.rows[m_items[i - 1].row].kind != zev::PrintRowKind::Total))
                        painter.drawLine(QPointF(0, y + m_line * 0.05), QPointF(width, y + m_line * 0.05));
                    painter.setFont(total ? m_bold : m_body);
                    DrawCells(painter, row.cells, y, !total);
                }
            } else if (item.kind == Item::Text) {
                painter.setFont(m_body);
                DrawText(painter, QRectF(0, y, width, m_line), Qt::AlignLeft, item.text);
            } else if (item.kind == Item::Drawing) {
                painter.setFont(m_body);
                DrawText(painter, QRectF(0, y, width, m_line), Qt::AlignLeft, m_doc.drawingCaption);
                DrawStrokes(painter, QRectF(0, y + m_line, width / 2, m_line * kDrawingLines));
            }
            y += m_line * item.lines;
        }

        // The foot of every page: the title and the page number.
        const QRectF foot(0, m_page.height() - m_headerFm.height(), width, m_headerFm.height());
        painter.setFont(m_header);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, Q(m_doc.title));
        painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1 %2 of %3").arg(Q(m_doc.pageWord)).arg(page + 1).arg(pages));
    }

private:
    struct Item {
        enum Kind { Row, Spacer, Text, Drawing } kind = Row;
        std::size_t row = 0;
        std::string text;
        int lines = 1;
        bool keepWithNext = false;
    };

    void PlaceColumns()
    {
        int sum = 0;
        for (const zev::PrintColumn& c : m_doc.columns)
            sum += std::max(1, c.width);
        qreal x = 0;
        for (const zev::PrintColumn& c : m_doc.columns) {
            const qreal w = m_page.width() * std::max(1, c.width) / std::max(1, sum);
            m_left.push_back(x);
            m_right.push_back(x + w);
            x += w;
        }
    }

    void BuildItems()
    {
        for (std::size_t r = 0; r < m_doc.rows.size(); ++r) {
            Item item;
            item.row = r;
            const zev::PrintRowKind kind = m_doc.rows[r].kind;
            const bool nextIsTotal = r + 1 < m_doc.rows.size() && m_doc.rows[r + 1].kind == zev::PrintRowKind::Total;
            // A group's title goes with its first line; totals go together
            // and take the last line above them along.
            item.keepWithNext = kind == zev::PrintRowKind::Section || nextIsTotal;
            m_items.push_back(item);
        }
        if (!m_doc.footnotes.empty() || !m_doc.drawing.empty())
            m_items.push_back({Item::Spacer, 0, {}, 1, false});
        for (const std::string& note : m_doc.footnotes)
            for (std::string& line : Wrap(note))
                m_items.push_back({Item::Text, 0, std::move(line), 1, false});
        if (!m_doc.drawing.empty())
            m_items.push_back({Item::Drawing, 0, {}, kDrawingLines + 1, false});
    }

    // A paragraph broken at blanks into lines that fit the page width.
    std::vector<std::string> Wrap(const std::string& paragraph) const
    {
        std::vector<std::string> lines;
        std::string line;
        std::size_t at = 0;
        while (at <= paragraph.size()) {
            std::size_t end = paragraph.find(' ', at);
            if (end == std::string::npos)
                end = paragraph.size();
            const std::string word = paragraph.substr(at, end - at);
            const std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && m_bodyFm.horizontalAdvance(Q(longer)) > m_page.width()) {
                lines.push_back(line);
                line = word;
            } else {
                line = longer;
            }
            at = end + 1;
        }
        lines.push_back(line);
        return lines;
    }

    void DrawText(QPainter& painter, const QRectF& rect, Qt::Alignment align, const std::string& text) const
    {
        const QFontMetricsF fm(painter.font(), painter.device());
        painter.drawText(rect, align | Qt::AlignVCenter, fm.elidedText(Q(text), Qt::ElideRight, rect.width()));
    }

    // A row's cells in their columns. A text runs on into the empty cells
    // beside it, a left-aligned one to the right and a right-aligned one to
    // the left; two texts facing each other over empty cells share them.
    void DrawCells(QPainter& painter, const std::vector<std::string>& cells, qreal y, bool blanks) const
    {
        const std::size_t n = m_doc.columns.size();
        auto empty = [&cells](std::size_t i) { return i >= cells.size() || cells[i].empty(); };
        auto free = [&](std::size_t i) { return empty(i) && !m_doc.columns[i].entry; };
        std::vector<std::size_t> from(n), to(n);
        for (std::size_t i = 0; i < n; ++i)
            from[i] = to[i] = i;
        for (std::size_t a = 0; a < n;) {
            if (!free(a)) {
                ++a;
                continue;
            }
            std::size_t b = a;
            while (b + 1 < n && free(b + 1))
                ++b;
            const bool left = a > 0 && !empty(a - 1) && m_doc.columns[a - 1].align == zev::PrintAlign::Left;
            const bool right = b + 1 < n && !empty(b + 1) && m_doc.columns[b + 1].align == zev::PrintAlign::Right;
            const std::size_t share = !right ? b - a + 1 : !left ? 0 : (b - a + 1) / 2;
            if (left)
                to[a - 1] = a + share - 1;
            if (right)
                from[b + 1] = a + share;
            a = b + 1;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const zev::PrintColumn& column = m_doc.columns[i];
            if (empty(i)) {
                if (blanks && column.entry) {
                    const qreal base = y + m_line * 0.85;
                    painter.drawLine(QPointF(m_left[i] + m_pad * 2, base), QPointF(m_right[i] - m_pad, base));
                }
                continue;
            }
            const QRectF rect(m_left[from[i]] + m_pad, y, m_right[to[i]] - m_left[from[i]] - 2 * m_pad, m_line);
            const Qt::Alignment align = column.align == zev::PrintAlign::Right    ? Qt::AlignRight
                                        : column.align == zev::PrintAlign::Centre ? Qt::AlignHCenter
                                                                                  : Qt::AlignLeft;
            DrawText(painter, rect, align, cells[i]);
        }
    }

    // The strokes scaled into the box, keeping their proportions.
    void DrawStrokes(QPainter& painter, const QRectF& box) const
    {
        int maxX = 1, maxY = 1;
        for (const zev::PrintStroke& s : m_doc.drawing) {
            maxX = std::max({maxX, s.x1, s.x2});
            maxY = std::max({maxY, s.y1, s.y2});
        }
        const qreal scale = std::min(box.width() / maxX, box.height() / maxY);
        for (const zev::PrintStroke& s : m_doc.drawing)
            painter.drawLine(QPointF(box.left() + s.x1 * scale, box.top() + s.y1 * scale),
                             QPointF(box.left() + s.x2 * scale, box.top() + s.y2 * scale));
    }

    const zev::PrintDocument& m_doc;
    QSizeF m_page;
    QFont m_body, m_bold, m_header, m_headerBold, m_title;
    QFontMetricsF m_bodyFm, m_headerFm, m_titleFm;
    qreal m_line = 0, m_headerHeight = 0, m_footerHeight = 0, m_titleHeight = 0, m_columnsHeight = 0, m_pad = 0;
    std::vector<qreal> m_left, m_right;
    std::vector<Item> m_items;
    std::vector<std::size_t> m_starts;
};

void SetUp(QPrinter& printer, const zev::PrintDocument& document)
{
    printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    if (printer.docName().isEmpty())
        printer.setDocName(Q(document.title));
}

QSizeF PageSize(QPrinter& printer) { return printer.pageLayout().paintRectPixels(printer.resolution()).size(); }

void Tell(zev::IMessageBox& messages, const char* text)
{
    messages.ShowText(text, zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
}

} // namespace

bool CDocumentPrinter::AskPrinter(QPrinter& printer, QWidget* parent, const QString& caption)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(caption.isEmpty() ? QObject::tr("Print") : caption);
    return dialog.exec() == QDialog::Accepted;
}

bool CDocumentPrinter::Print(const zev::PrintDocument& document, QPrinter& printer, zev::IMessageBox& messages)
{
    if (!document.HasLines()) {
        messages.ShowText("You have nothing to be printed.", zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                          zev::MbIcon::Information);
        return false;
    }
    if (!printer.isValid()) {
        Tell(messages, "Unable to access the requested printer.\n\nPlease check that you printer is turned on or "
                       "installed correctly");
        return false;
    }
    SetUp(printer, document);
    QPainter painter;
    if (!painter.begin(&printer)) {
        Tell(messages, "Printer would not initalize");
        return false;
    }
    const Layout layout(document, printer, PageSize(printer));
    for (int page = 0; page < layout.Pages(); ++page) {
        if (page > 0 && !printer.newPage()) {
            Tell(messages, "Could not start page");
            painter.end();
            return false;
        }
        layout.Paint(painter, page);
    }
    if (!painter.end()) {
        Tell(messages, "The printout could not be finished.");
        return false;
    }
    return true;
}

bool CDocumentPrinter::PrintPdf(const zev::PrintDocument& document, const QString& path, zev::IMessageBox& messages)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return Print(document, printer, messages);
}

int CDocumentPrinter::PageCount(const zev::PrintDocument& document, QPrinter& printer)
{
    SetUp(printer, document);
    return Layout(document, printer, PageSize(printer)).Pages();
}
