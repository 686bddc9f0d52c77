#include "orders/views/COrderPrinter.h"

#include "accounts/CurrentAccount.h"
#include "orders/Amount.h"
#include "orders/views/CSignatureDlg.h"
#include "tables/SqlText.h"
#include "tabula/Query.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <functional>

namespace {

QString Plain(const std::string& stored) { return QString::fromStdString(stored).replace("''", "'"); }

// Lines of text down the page, a new page when one is full.
class PageWriter {
public:
    explicit PageWriter(QPrinter& printer) : m_printer(printer) {}

    bool Begin()
    {
        if (!m_painter.begin(&m_printer))
            return false;
        m_page = m_printer.pageLayout().paintRectPixels(m_printer.resolution());
        m_line = m_painter.fontMetrics().height() + 4;
        m_y = m_line;
        m_bold = m_painter.font();
        m_bold.setBold(true);
        return true;
    }
    bool End() { return m_painter.end(); }

    int Width() const { return m_page.width(); }
    int LineHeight() const { return m_line; }
    int Y() const { return m_y; }
    QPainter& Painter() { return m_painter; }

    void Bold(bool on) { m_painter.setFont(on ? m_bold : QFont()); }
    // Text at a share of the page width (0..100).
    void Text(int percent, const QString& text) { m_painter.drawText(m_page.width() * percent / 100, m_y, text); }
    void Next()
    {
        m_y += m_line;
        if (m_y > m_page.height() - 2 * m_line) {
            m_printer.newPage();
            m_y = m_line;
        }
    }
    // Room for `lines` more lines, else a new page.
    void Keep(int lines)
    {
        if (m_y + lines * m_line > m_page.height() - m_line) {
            m_printer.newPage();
            m_y = m_line;
        }
    }

private:
    QPrinter& m_printer;
    QPainter m_painter;
    QRect m_page;
    QFont m_bold;
    int m_line = 0;
    int m_y = 0;
};

void WriteHeading(PageWriter& page, const COrderPrinter::Heading& heading, const QString& title)
{
    page.Bold(true);
    page.Text(0, QString::fromStdString(heading.distributor));
    page.Next();
    page.Text(
        0, QStringLiteral("%1 for %2 (%3)")
               .arg(title, QString::fromStdString(heading.accountName), QString::fromStdString(heading.accountNumber)));
    page.Bold(false);
    page.Next();
}

} // namespace

COrderPrinter::Heading COrderPrinter::HeadingOf(const zev::CurrentAccount& account)
{
    Heading heading;
    Query q("", "", 0);
    if (q.Open("select DistributorName from DistributorInfo") != 0 && q.IsEOF() == 0)
        heading.distributor = zev::SqlText::Trim(q.GetFieldValueString(0));
    heading.accountNumber = account.accountNumber;
    heading.accountName = account.companyName;
    return heading;
}

bool COrderPrinter::AskPrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QObject::tr("Print"));
    return dialog.exec() == QDialog::Accepted;
}

bool COrderPrinter::Print(const zev::OrderHeader& order, const Heading& heading, QPrinter& printer)
{
    PageWriter page(printer);
    if (!page.Begin())
        return false;
    WriteHeading(page, heading, QStringLiteral("Order"));
    page.Text(0, QStringLiteral("Delivery date: %1").arg(QString::fromStdString(order.deliveryDate)));
    page.Next();
    if (!order.cancelDate.empty()) {
        page.Text(0, QStringLiteral("Cancel date: %1").arg(QString::fromStdString(order.cancelDate)));
        page.Next();
    }
    if (!order.odcText.empty()) {
        page.Text(0, Plain(order.odcText));
        page.Next();
    }
    page.Next();
    page.Bold(true);
    page.Text(0, QStringLiteral("Item"));
    page.Text(55, QStringLiteral("Cases / Singles"));
    page.Text(80, QStringLiteral("Amount"));
    page.Bold(false);
    page.Next();
    std::int64_t cents = 0;
    for (const zev::OrderLine& l : order.lines) {
        page.Text(0, QString::fromStdString(l.text));
        page.Text(55, QStringLiteral("%1 / %2").arg(l.cases).arg(l.singles));
        page.Text(80, QString::asprintf("%.2f", l.extendedPrice));
        page.Next();
        cents += zev::Amount::Cents(l.extendedPrice);
    }
    page.Next();
    page.Bold(true);
    page.Text(0, QString::asprintf("Total: $%.2f", static_cast<double>(cents) / 100.0));
    page.Bold(false);
    page.Next();
    if (!order.notes.empty()) {
        page.Next();
        page.Text(0, QStringLiteral("Notes: %1").arg(Plain(order.notes)));
        page.Next();
    }
    if (!order.signature.empty()) {
        page.Next();
        page.Keep(6);
        page.Text(0, QStringLiteral("Signature:"));
        page.Next();
        CSignatureDlg::Paint(page.Painter(), QRect(0, page.Y(), page.Width() / 2, page.LineHeight() * 4),
                             order.signature);
    }
    return page.End();
}

bool COrderPrinter::PrintPdf(const zev::OrderHeader& order, const Heading& heading, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return Print(order, heading, printer);
}

bool COrderPrinter::PrintGuide(const std::vector<zev::OrderGuideRow>& rows, bool inUnits, const Heading& heading,
                               QPrinter& printer)
{
    PageWriter page(printer);
    if (!page.Begin())
        return false;
    WriteHeading(page, heading, QStringLiteral("Order guide"));
    page.Next();
    page.Bold(true);
    page.Text(0, QStringLiteral("Item #"));
    page.Text(15, QStringLiteral("Description"));
    page.Text(58, inUnits ? QStringLiteral("Units") : QStringLiteral("Cases / Singles"));
    page.Text(75, QStringLiteral("Price"));
    page.Text(88, QStringLiteral("Amount"));
    page.Bold(false);
    page.Next();
    std::int64_t cents = 0;
    int cases = 0;
    int singles = 0;
    long long units = 0;
    for (const zev::OrderGuideRow& r : rows) {
        page.Text(0, QString::fromStdString(r.sku));
        page.Text(15, QString::fromStdString(r.description).left(48));
        page.Text(58, inUnits ? QString::number(r.units) : QStringLiteral("%1 / %2").arg(r.Cases()).arg(r.Singles()));
        page.Text(75, QString::asprintf("%.2f", r.casePrice));
        page.Text(88, QString::asprintf("%.2f", r.extendedPrice));
        page.Next();
        cents += zev::Amount::Cents(r.extendedPrice);
        cases += r.Cases();
        singles += r.Singles();
        units += r.units;
    }
    page.Next();
    page.Bold(true);
    page.Text(0, QStringLiteral("Lines: %1").arg(rows.size()));
    page.Text(40, inUnits ? QStringLiteral("Quantity: %1").arg(units)
                          : QStringLiteral("Quantity c/s: %1 / %2").arg(cases).arg(singles));
    page.Text(75, QString::asprintf("Total: $%.2f", static_cast<double>(cents) / 100.0));
    page.Bold(false);
    page.Next();
    return page.End();
}
