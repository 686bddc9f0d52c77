#pragma once

#include "products/ProductSearch.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zev {

class IMessageBox;
class Items;

// The settings the search page follows.
struct ProductSearchSwitches {
    bool unitPriceOnly = false;   // byte 31: single prices hidden
    bool divisionsHidden = false; // byte 180
    bool ratingsShown = false;    // byte 181
    int sortColumn = 0;           // byte 17703
};

// The search page of the "Products" window: simple (by name or number) or
// advanced (keyword with ranges and division) search. A found result goes to
// `onResult`; an empty one or bad criteria are told through the message box.
class CProductSearchPage : public QWidget {
public:
    CProductSearchPage(const ProductSearchSwitches& switches, IMessageBox& messages,
                       std::function<std::optional<int>()> currentCatalog, QWidget* parent = nullptr);

    std::function<void(std::shared_ptr<Items>)> onResult;

    ProductSearchCriteria Criteria() const;
    void SetAdvanced(bool advanced);
    void SetByName(bool byName);
    // Runs the search; true when a result was handed on.
    bool Search();

private:
    QLineEdit* Edit(const char* name);
    QLabel* Label(const char* name, const QString& text);
    void UpdateVisibility();

    ProductSearchSwitches m_switches;
    IMessageBox& m_messages;
    std::function<std::optional<int>()> m_catalog;
    bool m_advanced = false;
    bool m_byName = false;
    QLineEdit* m_keywords = nullptr;
    QLineEdit* m_caseHigh = nullptr;
    QLineEdit* m_caseLow = nullptr;
    QLineEdit* m_singleHigh = nullptr;
    QLineEdit* m_singleLow = nullptr;
    QLineEdit* m_ratingHigh = nullptr;
    QLineEdit* m_ratingLow = nullptr;
    QComboBox* m_divisions = nullptr;
    QLabel* m_byNameLabel = nullptr;
    QLabel* m_byNumberLabel = nullptr;
    QLabel* m_keywordsLabel = nullptr;
    QLabel* m_caseLabel = nullptr;
    QLabel* m_caseAnd = nullptr;
    QLabel* m_unitLabel = nullptr;
    QLabel* m_singleLabel = nullptr;
    QLabel* m_singleAnd = nullptr;
    QLabel* m_ratingLabel = nullptr;
    QLabel* m_ratingAnd = nullptr;
    QLabel* m_divisionsLabel = nullptr;
    QWidget* m_nameOrNumber = nullptr;
    QPushButton* m_search = nullptr;
};

} // namespace zev
