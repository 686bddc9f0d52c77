#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace zev {

// One open invoice as the receivables list shows it. Amounts are held in
// whole cents so that "fully collected" is an exact comparison.
struct ARListItem {
    bool collected = false;
    bool updated = false;   // a collection of today waits for upload
    bool deposited = false; // deposited, waiting for upload
    int accountId = 0;
    int distRepId = 0;
    int paymentType = 0;
    int ageDays = 0;
    int paymentStatus = 0;
    std::string invoiceNo;
    std::string comments;
    std::string companyName; // display case
    std::string accountNumber;
    std::string checkNumber;
    std::time_t invoiceDate = 0; // 0: none
    std::time_t dueDate = 0;
    std::time_t latestPaymentDate = 0;
    std::int64_t invoiceCents = 0;
    std::int64_t collectedTotalCents = 0;
    std::int64_t collectedTodayCents = 0;
    std::int64_t runningDueCents = 0; // open balances of this row and all rows above it
    std::int64_t latestPaymentCents = 0;

    std::int64_t OpenCents() const { return invoiceCents - collectedTotalCents; }
};

// An account that has invoices, for the account drop-down.
struct ARAccount {
    int accountId = 0;
    std::string label; // "Company  (number)"
};

// A collection of today not yet deposited, for the deposit window.
struct DepositRow {
    int accountId = 0;
    std::string invoiceNo;
    std::string accountNumber;
    std::string companyName;
    std::string checkNumber;
    int paymentType = 0;
    std::int64_t todayCents = 0;
};

// The receivables logic: the open invoices of every account or of one, the
// collect button's state, the amount that may be collected, recording a
// collection and a deposit, and the texts of the list and the printout.
class Receivables {
public:
    static constexpr int kColumns = 15;
    static constexpr int kPaymentCheck = 1;

    explicit Receivables(int poolKey = 0);

    // "Cash", "Check", "Credit Card", "Money Order"; "" for any other index.
    static std::string PaymentName(int index);

    // Lists the open invoices of every account (accountId < 0) or of one;
    // `mineOnly` leaves out invoices that carry no representative. False
    // when the invoices cannot be read (the list is then empty).
    bool Load(int accountId, bool mineOnly, std::time_t now);
    const std::vector<ARListItem>& Items() const { return m_items; }
    std::int64_t TotalInvoicedCents() const { return m_totalInvoiced; }
    std::int64_t TotalDueCents() const { return m_totalDue; }

    bool LoadAccounts(std::vector<ARAccount>& accounts) const;

    struct CollectButton {
        bool enabled = false;
        bool modify = false; // caption "Modify" instead of "Collect"
    };
    static CollectButton ButtonFor(const ARListItem& item);

    // What may be collected: the open balance, plus today's amount when a
    // collection of today is replaced.
    static std::int64_t LimitCents(const ARListItem& item);
    // An amount lies between 0 and the limit, on the limit's side of 0.
    static bool WithinLimit(std::int64_t limitCents, std::int64_t amountCents);
    // The typed amount in cents (C form, "12.5" or "12.50"); nullopt when
    // the text is not a number.
    static std::optional<std::int64_t> ParseCents(const std::string& text);

    // Records a collection on item `index` in one transaction: today's
    // amount replaces an earlier one of today, the total follows, and the
    // invoice counts as collected when the total equals the invoice amount.
    // On failure nothing is stored and the item keeps its values.
    [[nodiscard]] bool Collect(std::size_t index, std::int64_t amountCents, int paymentType,
                               const std::string& checkNumber);

    // Sorts by a list column; each call flips the direction (first ascending).
    void Sort(int column);
    static std::string ColumnText(const ARListItem& item, int column);
    // "mm/dd/yy" of a calendar time, "" for 0.
    static std::string ShortDate(std::time_t t);
    // "mm/dd/yyyy" of a calendar time, "" for 0.
    static std::string LongDate(std::time_t t);
    static std::string Money(std::int64_t cents); // "%.2f"

    // The order behind an invoice in the order history, for its details
    // sheet; nullopt when the history has no order with that invoice.
    struct HistoryOrder {
        int orderNumber = 0;
        std::string transDate; // as stored
        std::string status;
    };
    std::optional<HistoryOrder> FindHistoryOrder(const std::string& invoiceNo) const;

    // The deposit window's rows, and the deposit of the checked ones (in one
    // transaction, from the last to the first).
    bool LoadDepositRows(std::vector<DepositRow>& rows) const;
    [[nodiscard]] bool Deposit(const std::vector<DepositRow>& checked, const std::string& detail1,
                               const std::string& detail2) const;

private:
    void Recount();

    int m_poolKey;
    std::vector<ARListItem> m_items;
    std::int64_t m_totalInvoiced = 0;
    std::int64_t m_totalDue = 0;
    int m_sortFactor = 1;
};

} // namespace zev
