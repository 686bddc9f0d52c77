#pragma once

#include <functional>
#include <string>

class QWidget;

namespace zev {

struct CurrentAccount;

// What the report and sales data screens need beyond the frame.
struct ReportsViewContext {
    // The account the sales data screen shows (kept by the document).
    CurrentAccount* current = nullptr;
    // Asks where to save an export; returns the path, or empty when the user
    // cancelled. Empty: the platform's save dialog.
    std::function<std::string(QWidget* parent, const std::string& suggestedName)> chooseExportFile;
};

} // namespace zev
