#include "orders/views/COrderPrinter.h"

#include "orders/Amount.h"
#include "orders/views/CSignatureDlg.h"

#include <QPainter>
#include <QPrinter>

namespace {

QString Plain(const std::string& stored) { return QString::fromStdString(stored).replace("''", "'"); }

} // namespace

bool COrderPrinter::Print(const zev::OrderHeader& order, const Heading& heading, QPrinter& printer)
{
    QPainter p;
    if (!p.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int line = p.fontMetrics().height() + 4;
    int y = line;
    auto text = [&](int x, const QString& s) { p.drawText(x, y, s); };
    auto next = [&] {
        y += line;
        if (y > page.height() - 2 * line) {
            printer.newPage();
            y = line;
        }
    };
    const int w = page.width();
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    text(0, QString::fromStdString(heading.distributor));
    next();
    text(0, QStringLiteral("Order for %1 (%2)")
                .arg(QString::fromStdString(heading.accountName), QString::fromStdString(heading.accountNumber)));
    p.setFont(QFont());
    next();
    text(0, QStringLiteral("Delivery date: %1").arg(QString::fromStdString(order.deliveryDate)));
    next();
    if (!order.cancelDate.empty()) {
        text(0, QStringLiteral("Cancel date: %1").arg(QString::fromStdString(order.cancelDate)));
        next();
    }
    if (!order.odcText.empty()) {
        text(0, Plain(order.odcText));
        next();
    }
    next();
    p.setFont(bold);
    text(0, QStringLiteral("Item"));
    text(w * 55 / 100, QStringLiteral("Cases / Singles"));
    text(w * 80 / 100, QStringLiteral("Amount"));
    p.setFont(QFont());
    next();
    for (const zev::OrderLine& l : order.lines) {
        text(0, QString::fromStdString(l.text));
        text(w * 55 / 100, QStringLiteral("%1 / %2").arg(l.cases).arg(l.singles));
        text(w * 80 / 100, QString::asprintf("%.2f", l.extendedPrice));
        next();
    }
    next();
    std::int64_t cents = 0;
    for (const zev::OrderLine& l : order.lines)
        cents += zev::Amount::Cents(l.extendedPrice);
    p.setFont(bold);
    text(0, QString::asprintf("Total: $%.2f", static_cast<double>(cents) / 100.0));
    p.setFont(QFont());
    next();
    if (!order.notes.empty()) {
        next();
        text(0, QStringLiteral("Notes: %1").arg(Plain(order.notes)));
        next();
    }
    if (!order.signature.empty()) {
        next();
        text(0, QStringLiteral("Signature:"));
        next();
        CSignatureDlg::Paint(p, QRect(0, y, w / 2, line * 4), order.signature);
    }
    return p.end();
}

bool COrderPrinter::PrintPdf(const zev::OrderHeader& order, const Heading& heading, const QString& path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return Print(order, heading, printer);
}
