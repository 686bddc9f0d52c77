#pragma once

#include <QString>

#include <string>
#include <vector>

class QPrinter;

namespace zev {
class IMessageBox;
}

// A report's rows as a printed table with its title and headings, page by
// page on a printer or into a PDF file.
class CReportPrinter {
public:
    static QString Html(const std::string& title, const std::vector<std::string>& headings,
                        const std::vector<int>& formats, const std::vector<std::vector<std::string>>& rows);

    // Tells the user and returns false when the printer cannot be used.
    static bool Print(const QString& html, QPrinter& printer, zev::IMessageBox& messages);
};
