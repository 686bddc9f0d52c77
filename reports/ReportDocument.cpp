#include "reports/ReportDocument.h"

namespace zev {

PrintDocument ReportDocument::Build(const std::string& title, const std::vector<std::string>& headings,
                                    const std::vector<int>& formats, const std::vector<int>& widths,
                                    const std::vector<std::vector<std::string>>& rows)
{
    PrintDocument doc;
    doc.title = title;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const int format = i < formats.size() ? formats[i] & 3 : 0;
        const PrintAlign align = format == 1 ? PrintAlign::Right : format == 2 ? PrintAlign::Centre : PrintAlign::Left;
        const int width = i < widths.size() && widths[i] > 0 ? widths[i] : 100;
        doc.AddColumn(headings[i], align, width);
    }
    for (const std::vector<std::string>& row : rows) {
        std::vector<std::string> cells = row;
        cells.resize(headings.size());
        doc.AddLine(std::move(cells));
    }
    doc.footnotes.push_back(std::to_string(rows.size()) + (rows.size() == 1 ? " row" : " rows"));
    return doc;
}

} // namespace zev
