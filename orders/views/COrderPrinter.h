#pragma once

#include "orders/OrderHeader.h"

#include <QString>

#include <string>

class QPrinter;

// The printed order: distributor and account, delivery date and options,
// the lines with quantities and amounts, the total, the notes and the
// signature drawn.
class COrderPrinter {
public:
    struct Heading {
        std::string distributor;
        std::string accountNumber;
        std::string accountName;
    };

    static bool Print(const zev::OrderHeader& order, const Heading& heading, QPrinter& printer);
    // Prints into a PDF file.
    static bool PrintPdf(const zev::OrderHeader& order, const Heading& heading, const QString& path);
};
