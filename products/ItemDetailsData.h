#pragma once

#include "orders/PriceBinding.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zev {

// What the item details window reads for one item: which pages it has, the
// product notes, and the incentive programs with their items and tiers.
class ItemDetailsData {
public:
    enum class Page { General, QtyAndPrice, History, ProductNotes, BtgCalculator, RIP, Invoices };

    // The switch bytes of the distributor settings record that add the
    // optional pages.
    static constexpr std::size_t kHistorySwitch = 129;
    static constexpr std::size_t kNotesSwitch = 130;
    static constexpr std::size_t kBtgSwitch = 131;
    static constexpr std::size_t kProgramsSwitch = 132;
    static constexpr std::size_t kInvoicesSwitch = 133;

    // General and quantities-and-prices always; each other page when its
    // switch byte (129 to 133 in page order) is 1.
    static std::vector<Page> Pages(int history, int notes, int btg, int rip, int invoices);

    // The three notes of an item: trimmed, "~" made a line break, an empty
    // note (or a missing row) as `emptyText`.
    static std::array<std::string, 3> ProductNotes(int itemId, const std::string& emptyText, int poolKey = 0);

    struct Program {
        int ripId = 0;
        std::string number;
        std::string description;
    };
    struct ProgramItem {
        int itemId = 0;
        std::string sku;
        std::string text; // "vintage description size (n/cs)"
        int qtyPerCase = 0;
    };
    struct Tier {
        std::string qty;
        std::string amount;
        std::string caseAndBottle;
    };

    static std::vector<Program> ProgramsOfItem(int itemId, int poolKey = 0);
    static std::vector<ProgramItem> ItemsOfProgram(int ripId, int poolKey = 0);
    static std::vector<Tier> TiersOfProgram(int ripId, int bottlesPerCase, int poolKey = 0);

    // The general page: the item's describing columns that hold a value, as
    // caption and text, in a fixed order. Empty when the item cannot be read
    // (deleted items are still shown).
    struct Fact {
        std::string caption;
        std::string value;
    };
    static std::vector<Fact> General(int itemId, int poolKey = 0);

    // The quantities-and-prices page.
    struct Stock {
        bool found = false;
        std::string description;
        std::string sku;
        std::string size;
        int qtyPerCase = 0;
        int onHand = 0;
        int onOrder = 0;
        int committed = 0;
        int nextReceiptQty = 0;
        std::string nextReceiptDate; // "YYYY-MM-DD" or empty
    };
    static Stock Quantities(int itemId, int poolKey = 0);

    struct Prices {
        bool priced = false;
        float casePrice = 0;
        float singlePrice = 0;
        std::vector<std::string> tiers; // the deal-code texts of the catalogue
    };
    // The item's price for one unit in `catalog` and its tiers from
    // `dealMin` to `dealMax`; unpriced without a price operation.
    static Prices PricesOf(int itemId, int catalog, int accountTier, int dealMin, int dealMax,
                           const PriceBinding::PriceFn& price, int poolKey = 0);

    // Sales history by month, newest first: the account's when one is given,
    // else every account's.
    struct Month {
        int year = 0;
        int month = 0;
        int cases = 0;
        int singles = 0;
        double amount = 0;
    };
    static std::vector<Month> History(int itemId, std::optional<int> accountId, int poolKey = 0);

    // Invoiced lines of the item, newest first (the account's when given).
    struct InvoiceLine {
        std::string invoice;
        std::string date; // "YYYY-MM-DD"
        int cases = 0;
        int singles = 0;
        int casesShipped = 0;
        int singlesShipped = 0;
        double casePrice = 0;
        double singlePrice = 0;
        double extended = 0;
    };
    static std::vector<InvoiceLine> Invoices(int itemId, std::optional<int> accountId, int poolKey = 0);

    // One tier's texts: the leading digits of the quantity are n (0 counts as
    // 1); a case quantity ("C") shows the price per case before the price per
    // bottle.
    static Tier TierText(const std::string& qty, double amount, int bottlesPerCase);
};

} // namespace zev
