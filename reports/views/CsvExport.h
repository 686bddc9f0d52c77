#pragma once

#include "reports/views/ReportsViewContext.h"

#include <string>
#include <vector>

class QWidget;

namespace zev {

class CsvWriter;
class IMessageBox;

// File > Export of a screen's table: asks for the file, writes it through
// the shared CSV writer and tells the outcome. False when nothing was written.
class CsvExport {
public:
    static bool Run(QWidget* parent, const ReportsViewContext& context, IMessageBox& messages, const std::string& title,
                    const CsvWriter& writer, const std::vector<std::vector<std::string>>& rows);

    // A file name made of the title's letters, digits and blanks, ending ".csv".
    static std::string SuggestedName(const std::string& title);
};

} // namespace zev
