#pragma once

#include "reports/PrintDocument.h"

#include <string>
#include <vector>

namespace zev {

// A report's rows as a printed table, columns aligned and sized as the
// report definition gives them.
class ReportDocument {
public:
    // `formats`: 0 left, 1 right, 2 centre; `widths`: pixels on the screen,
    // used as shares of the printed line. Missing entries count as left and
    // equal width; missing cells print empty.
    static PrintDocument Build(const std::string& title, const std::vector<std::string>& headings,
                               const std::vector<int>& formats, const std::vector<int>& widths,
                               const std::vector<std::vector<std::string>>& rows);
};

} // namespace zev
