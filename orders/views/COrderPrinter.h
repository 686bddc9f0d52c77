#pragma once

#include "orders/OrderGuideRow.h"
#include "orders/OrderHeader.h"

#include <QString>

#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace zev {
struct CurrentAccount;
}

// The printed order (distributor and account, delivery date and options,
// the lines with quantities and amounts, the total, the notes and the
// signature drawn) and the printed order guide (the same heading, every
// line with its quantities and amount, the totals).
class COrderPrinter {
public:
    struct Heading {
        std::string distributor;
        std::string accountNumber;
        std::string accountName;
    };

    // The heading of the current account, the distributor's name read from
    // the database.
    static Heading HeadingOf(const zev::CurrentAccount& account);

    // The print dialog: a printer or a PDF file. False when cancelled.
    static bool AskPrinter(QPrinter& printer, QWidget* parent);

    static bool Print(const zev::OrderHeader& order, const Heading& heading, QPrinter& printer);
    // Prints into a PDF file.
    static bool PrintPdf(const zev::OrderHeader& order, const Heading& heading, const QString& path);

    // `inUnits`: quantities as one number of units rather than cases / singles.
    static bool PrintGuide(const std::vector<zev::OrderGuideRow>& rows, bool inUnits, const Heading& heading,
                           QPrinter& printer);
};
