#pragma once

#include "orders/OrderGuideRow.h"
#include "orders/OrderSettings.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace zev {

class IMessageBox;
struct WorkOrderLine;

// One account's order guide held in memory as the screen shows it: the
// visible rows in display order, the rows the filter holds back, and the
// marks that decide how it is written back (a rewrite when lines were
// reordered, added or removed; otherwise only the changed rows).
class OrderGuide {
public:
    using Log = std::function<void(const std::string&)>;

    OrderGuide(int accountId, int workOrderId, const OrderSettings& settings, int poolKey = 0);

    // Reads the guide in the order of `sortIndex` (or, with a catalogue, only
    // the lines in that catalogue's family plan) and prices every row. Items
    // with QtyPerCase 0 are taken as 1; the first load that meets them says
    // so once through `log`. False when the lines cannot be read (an empty
    // guide is not a failure). A stop requested through `stop` ends the
    // read after the row it is on and returns false with no rows.
    bool Load(int sortIndex, std::optional<int> familyPlanCatalog = std::nullopt, const Log& log = {},
              std::stop_token stop = {});
    // Takes rows another guide object read (the loader's, on its own
    // connection), leaving this guide as its own Load would.
    void SetLoaded(std::vector<OrderGuideRow> rows);

    int AccountId() const { return m_accountId; }
    int WorkOrderId() const { return m_workOrderId; }
    const OrderSettings& Settings() const { return m_settings; }
    std::vector<OrderGuideRow>& Rows() { return m_rows; }
    const std::vector<OrderGuideRow>& Rows() const { return m_rows; }
    const std::vector<OrderGuideRow>& HiddenRows() const { return m_hidden; }

    bool Reordered() const { return m_reordered; }
    bool Edited() const { return m_edited; }

    // Quantities typed into the case and single fields: the row is written
    // back, the guide is not marked for upload.
    void SetUnits(std::size_t row, int units);
    void SetCasesAndSingles(std::size_t row, int cases, int singles);
    // In-place edits: the row changes and the guide is marked for upload.
    void SetPar(std::size_t row, int par);
    void SetInventory(std::size_t row, int inv);
    void SetComment(std::size_t row, const std::string& comment);
    // Typed discount / override / deal code with their checks; false when
    // refused (the row is unchanged).
    bool EditDiscount(std::size_t row, const std::string& typed, IMessageBox& box);
    bool EditOverride(std::size_t row, const std::string& typed);
    bool EditDealCode(std::size_t row, const std::string& typed, IMessageBox& box);

    // Carries the row to the target index; the guide is renumbered on saving.
    void Move(std::size_t from, std::size_t to);
    void Remove(std::size_t row);
    // Puts a row (a duplicate or an added item) at `at` (clamped to the end);
    // the guide is rewritten on saving.
    void Insert(std::size_t at, OrderGuideRow row);
    // Keeps the rows whose Filter has every bit of `mask` (0: all rows).
    void ApplyFilter(int mask);

    // Writes the guide back in one transaction: a rewrite numbered 1..N when
    // reordered (the held-back rows follow), else the changed rows. Marks the
    // guide for upload when reordered or edited. False leaves the tables as
    // they were.
    [[nodiscard]] bool Save();
    [[nodiscard]] bool Rewrite();
    [[nodiscard]] bool WriteChanged();

    // Sum of the visible rows' extended prices in whole cents.
    std::int64_t TotalCents() const;
    // Recomputes the row's extended price.
    void Reprice(std::size_t row);

    // A line added from the product screens or express entry: numbered after
    // the guide's highest line, written, and the guide marked for upload, in
    // one transaction. Returns the new line number, or 0 on failure.
    static int AddLine(WorkOrderLine line, int poolKey = 0);

    static WorkOrderLine ToLine(const OrderGuideRow& row, int accountId, int workOrderId);

private:
    void Touch(std::size_t row, bool edit);
    void Renumber();
    bool MarkUpdated();

    int m_accountId;
    int m_workOrderId;
    OrderSettings m_settings;
    int m_poolKey;
    std::vector<OrderGuideRow> m_rows;
    std::vector<OrderGuideRow> m_hidden;
    int m_filterMask = 0;
    bool m_reordered = false;
    bool m_edited = false;
};

} // namespace zev
