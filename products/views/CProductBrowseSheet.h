#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QTabWidget;
class QTableWidget;

namespace zev {

class IMessageBox;
class Items;
class ZevConfig;

// The "Products" window: the search page and the category page (each when
// the distributor's settings have it) and the product list page that shows
// the result either produces.
class CProductBrowseSheet : public QDialog {
public:
    // Product > Search starts at 0; Browse at the page after the search page.
    static int BrowseStart(const ZevConfig& config);

    CProductBrowseSheet(const ZevConfig& config, IMessageBox& messages, std::function<std::optional<int>()> catalog,
                        int startPage, QWidget* parent = nullptr);
    ~CProductBrowseSheet() override;

    // The current product result (none until a page produced one).
    std::shared_ptr<Items> Result() const { return m_result; }
    QTabWidget* Pages() const { return m_tabs; }

private:
    void ShowResult(std::shared_ptr<Items> items);

    QTabWidget* m_tabs = nullptr;
    QTableWidget* m_list = nullptr;
    std::shared_ptr<Items> m_result;
};

} // namespace zev
