#pragma once

#include "orders/OrderGuideRow.h"

#include <array>
#include <ctime>
#include <string>
#include <vector>

namespace zev {

// The visible order guide written as an XML spreadsheet to the desktop.
class GuideExport {
public:
    struct Result {
        bool ok = false;
        std::string path;  // the file written
        std::string error; // why not
    };

    // The columns of the guide list, in list order.
    static const std::vector<std::string>& ColumnTitles();

    // The document of `rows` with the account's texts as the page header.
    static std::string Document(const std::vector<OrderGuideRow>& rows, const std::array<std::string, 4>& header,
                                bool quantitiesInUnits);

    // "Order Guide %H%M%S.XML" of `when`, written to `folder` through a
    // temporary file and a rename; an existing name gets " (2)", " (3)"...
    static Result Write(const std::vector<OrderGuideRow>& rows, const std::array<std::string, 4>& header,
                        bool quantitiesInUnits, const std::string& folder, std::time_t when);

    // The user's desktop: XDG_DESKTOP_DIR, else the one in
    // $XDG_CONFIG_HOME/user-dirs.dirs, when it exists; else the home folder.
    static std::string DesktopFolder();

    // Writes `content` to `path` whole or not at all (temporary file in the
    // same folder, flushed, renamed). An existing `path` is never replaced.
    static bool WriteNew(const std::string& path, const std::string& content, std::string& error);
};

} // namespace zev
