#include "accounts/views/CItineraryPrinter.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <cmath>

namespace {

using zev::ids::kCaptionError;

QString Esc(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

QString Page(const QString& title, const QString& body)
{
    return QStringLiteral("<html><body style=\"font-family: sans-serif; font-size: 10pt\">"
                          "<h2>%1</h2>%2</body></html>")
        .arg(title, body);
}

} // namespace

QString CItineraryPrinter::ItineraryHtml(const zev::ItineraryReport::Itinerary& itinerary)
{
    QString rows;
    for (const auto& row : itinerary.rows) {
        rows +=
            QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>")
                .arg(Esc(row.company), Esc(row.accountNumber), Esc(row.cityState), Esc(row.contact), Esc(row.phone));
    }
    const QString table =
        QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"4\" border=\"0\">"
                       "<tr><th align=\"left\">Company</th><th align=\"left\">Account #</th>"
                       "<th align=\"left\">City</th><th align=\"left\">Contact</th><th align=\"left\">Phone</th></tr>"
                       "%1</table>")
            .arg(rows);
    return Page(QStringLiteral("Itinerary - %1").arg(Esc(itinerary.heading)), table);
}

QString CItineraryPrinter::AccomplishmentsHtml(const zev::ItineraryReport::Accomplishments& accomplishments)
{
    QString rows;
    for (const auto& row : accomplishments.rows) {
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td><td align=\"right\">%3</td></tr>")
                    .arg(Esc(row.accountNumber), Esc(row.company), QString::asprintf("%.2f", row.amount));
    }
    const QString table = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"4\" border=\"0\">"
                                         "<tr><th align=\"left\">Account #</th><th align=\"left\">Company</th>"
                                         "<th align=\"right\">Amount</th></tr>%1</table><p><b>%2</b></p>")
                              .arg(rows, Esc(accomplishments.TotalLine()));
    return Page(QStringLiteral("Accomplishments"), table);
}

bool CItineraryPrinter::Print(QTextDocument& document, QPrinter& printer, zev::IMessageBox& messages)
{
    if (!printer.isValid()) {
        messages.ShowText("Unable to access the requested printer.\n\nPlease check that you printer is turned on or "
                          "installed correctly",
                          kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        messages.ShowText("Printer would not initalize", kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return false;
    }
    // Lay the text out in the printer's own units so fonts keep their size.
    document.documentLayout()->setPaintDevice(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    document.setPageSize(page.size());
    const int pages = std::max(1, static_cast<int>(std::ceil(document.size().height() / page.height())));
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage()) {
            messages.ShowText("Could not start page", kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
            painter.end();
            return false;
        }
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
    }
    painter.end();
    return true;
}
