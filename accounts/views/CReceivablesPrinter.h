#pragma once

#include "accounts/Receivables.h"

#include <QString>

#include <ctime>
#include <vector>

class QPrinter;

namespace zev {
class IMessageBox;
}

// The receivables printout of one account: title, date, the account, one
// line per invoice with its running total, the totals, and "Page: n" on
// every page. To a printer or into a PDF file.
class CReceivablesPrinter {
public:
    static QString Html(const std::vector<zev::ARListItem>& items, const std::string& account, std::time_t now);

    // Tells "You have nothing to be printed." for no invoices, and printer
    // failures; false then.
    static bool Print(const std::vector<zev::ARListItem>& items, const std::string& account, std::time_t now,
                      QPrinter& printer, zev::IMessageBox& messages);
    static bool PrintPdf(const std::vector<zev::ARListItem>& items, const std::string& account, std::time_t now,
                         const QString& path, zev::IMessageBox& messages);
};
