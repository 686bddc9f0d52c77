#include "accounts/views/CReceivablesPrinter.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

QString Esc(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

QString Amount(std::int64_t cents) { return QString::fromStdString(zev::Receivables::Money(cents)); }

QString HeadingDate(std::time_t now)
{
    std::tm tm{};
    localtime_r(&now, &tm);
    char text[64] = {};
    std::strftime(text, sizeof text, "%A, %B %d, %Y", &tm);
    return QString::fromLatin1(text);
}

} // namespace

QString CReceivablesPrinter::Html(const std::vector<zev::ARListItem>& items, const std::string& account,
                                  std::time_t now)
{
    QString rows;
    std::int64_t invoiced = 0;
    std::int64_t collected = 0;
    std::int64_t due = 0;
    for (const zev::ARListItem& item : items) {
        invoiced += item.invoiceCents;
        collected += item.collectedTotalCents;
        due += item.OpenCents();
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td align=\"right\">%4</td>"
                               "<td align=\"right\">%5</td><td align=\"right\">%6</td><td align=\"right\">%7</td></tr>")
                    .arg(Esc(item.invoiceNo), Esc(zev::Receivables::LongDate(item.invoiceDate)),
                         Esc(zev::Receivables::LongDate(item.dueDate)), Amount(item.invoiceCents),
                         Amount(item.collectedTotalCents), Amount(item.OpenCents()), Amount(due));
    }
    return QStringLiteral("<html><body style=\"font-family: sans-serif; font-size: 10pt\">"
                          "<h2>Accounts Receivable</h2><p>%1</p><p><b>%2</b></p>"
                          "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"0\">"
                          "<tr><th align=\"left\">Invoice#</th><th align=\"left\">Inv Date</th>"
                          "<th align=\"left\">Due Date</th><th align=\"right\">Inv Amount</th>"
                          "<th align=\"right\">Collected</th><th align=\"right\">Still Due</th>"
                          "<th align=\"right\">R. Total</th></tr>%3"
                          "<tr><td colspan=\"3\"><b>Totals</b></td><td align=\"right\"><b>%4</b></td>"
                          "<td align=\"right\"><b>%5</b></td><td align=\"right\"><b>%6</b></td><td></td></tr>"
                          "</table></body></html>")
        .arg(HeadingDate(now), Esc(account), rows, Amount(invoiced), Amount(collected), Amount(due));
}

bool CReceivablesPrinter::Print(const std::vector<zev::ARListItem>& items, const std::string& account, std::time_t now,
                                QPrinter& printer, zev::IMessageBox& messages)
{
    if (items.empty()) {
        messages.ShowText("You have nothing to be printed.", zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                          zev::MbIcon::Information);
        return false;
    }
    QPainter painter;
    if (!printer.isValid() || !painter.begin(&printer)) {
        messages.ShowText("Printer would not initalize", zev::ids::kCaptionError, zev::MbButtons::Ok,
                          zev::MbIcon::Stop);
        return false;
    }
    QTextDocument document;
    document.setHtml(Html(items, account, now));
    document.documentLayout()->setPaintDevice(&printer);
    const QRectF paper = printer.pageLayout().paintRectPixels(printer.resolution());
    // The bottom line of each page carries its number.
    const qreal footer = painter.fontMetrics().height() * 2.0;
    const QSizeF body(paper.width(), std::max<qreal>(paper.height() - footer, paper.height() / 2));
    document.setPageSize(body);
    const int pages = std::max(1, static_cast<int>(std::ceil(document.size().height() / body.height())));
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage()) {
            messages.ShowText("Could not start page", zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
            painter.end();
            return false;
        }
        painter.save();
        painter.translate(0, -i * body.height());
        document.drawContents(&painter, QRectF(0, i * body.height(), body.width(), body.height()));
        painter.restore();
        painter.drawText(QRectF(0, body.height(), body.width(), footer), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Page: %1").arg(i + 1));
    }
    painter.end();
    return true;
}

bool CReceivablesPrinter::PrintPdf(const std::vector<zev::ARListItem>& items, const std::string& account,
                                   std::time_t now, const QString& path, zev::IMessageBox& messages)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return Print(items, account, now, printer, messages);
}
