#pragma once

#include "reports/DateTimeText.h"

#include <array>
#include <string>
#include <vector>

namespace zev {

class ZevConfig;

// The distributor's switches the sales data screen reads.
struct SalesDataSwitches {
    bool vintage = false;   // byte 72: vintage before the description of alcoholic items
    bool size = false;      // byte 73: size after the description
    bool skuAsText = false; // byte 33: item numbers compare as text with regard to case

    static SalesDataSwitches FromConfig(const ZevConfig& config);
};

// One of the account's top items.
struct TopItemRow {
    int cases = 0;
    int singles = 0;
    double totalSales = 0.0;
    std::string description;
    std::string vintage;
    std::string size;
    std::string itemNumber;
    std::string upc;
    std::string note; // Items column 75, shown and compared as text
    LocalDateTime lastOrder;
};

// The sales data screen without its widgets: an account's sales against
// quota for six periods and the hundred items it bought for the most money.
class SalesDataModel {
public:
    static constexpr int kPeriods = 6;
    static constexpr int kTopItems = 100;
    static constexpr int kColumns = 8;

    explicit SalesDataModel(SalesDataSwitches switches, int poolKey = 0);

    // Reads everything for an account (-1: none). Figures the account has no
    // row for stay "N/A".
    void Fill(int accountId);

    // Period order: balance, month, quarter, year to date, last year to date, past due.
    const std::array<std::string, kPeriods>& Amounts() const { return m_amounts; }
    const std::array<std::string, kPeriods>& Quotas() const { return m_quotas; }
    const std::array<std::string, kPeriods>& Percents() const { return m_percents; }
    // String 65150 with the first order's date, or "never!".
    const std::string& TopItemsCaption() const { return m_caption; }
    bool HasSalesRow() const { return m_hasSalesRow; }

    const std::vector<TopItemRow>& Rows() const { return m_rows; }
    std::string Text(int row, int column) const;
    static std::string Text(const TopItemRow& row, int column);

    // Each column by its own rule; one direction value that starts at -1
    // and changes sign after every sort, so a column's first sort is descending.
    void Sort(int column);
    int SortDirection() const { return m_direction; }
    // The comparison of a column, without the direction.
    int Compare(const TopItemRow& a, const TopItemRow& b, int column) const;

private:
    SalesDataSwitches m_switches;
    int m_poolKey;
    std::array<std::string, kPeriods> m_amounts;
    std::array<std::string, kPeriods> m_quotas;
    std::array<std::string, kPeriods> m_percents;
    std::string m_caption;
    bool m_hasSalesRow = false;
    std::vector<TopItemRow> m_rows;
    int m_direction = -1;
};

} // namespace zev
