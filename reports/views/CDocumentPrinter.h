#pragma once

#include "reports/PrintDocument.h"

#include <QString>

class QPrinter;
class QWidget;

namespace zev {
class IMessageBox;
}

// Puts any printed document on a printer or into a PDF file, and is the one
// place that decides fonts, margins and page breaks: the distributor and the
// representative at the top of every page, the title and its lines on the
// first, the column headings on every page the table reaches, totals under a
// rule, the footnotes and the drawing after the table, "Page N of M" at the
// foot of every page.
class CDocumentPrinter {
public:
    // The print dialog: a printer or a PDF file. False when cancelled.
    static bool AskPrinter(QPrinter& printer, QWidget* parent, const QString& caption = QString());

    // Tells the user and returns false for a document without lines and when
    // the printer cannot be reached, will not start or refuses a page.
    static bool Print(const zev::PrintDocument& document, QPrinter& printer, zev::IMessageBox& messages);
    static bool PrintPdf(const zev::PrintDocument& document, const QString& path, zev::IMessageBox& messages);

    // The pages the document takes on the printer as it is set up.
    static int PageCount(const zev::PrintDocument& document, QPrinter& printer);
};
