#pragma once

#include <array>
#include <string>
#include <vector>

namespace zev {

// What the item details window reads for one item: which pages it has, the
// product notes, and the incentive programs with their items and tiers.
class ItemDetailsData {
public:
    enum class Page { General, QtyAndPrice, History, ProductNotes, BtgCalculator, RIP, Invoices };

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
        std::string text;  // "vintage description size (n/cs)"
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

    // One tier's texts: the leading digits of the quantity are n (0 counts as
    // 1); a case quantity ("C") shows the price per case before the price per
    // bottle.
    static Tier TierText(const std::string& qty, double amount, int bottlesPerCase);
};

} // namespace zev
