#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace zev {

class IMessageBox;
class OrderGuide;

// Counts from a handheld scanner's file brought into an account's order
// guide: inventories (and, for the second kind, order quantities) added to
// the matching rows, items not yet in the guide added, the guide rewritten
// with the InvImport row in one transaction, and the file moved aside.
class InventoryImport {
public:
    enum class Kind {
        Counts,              // "Inventory.txt": quantity, code
        CountsAndQuantities, // "Inventory.inv": type, code, quantity, text
    };

    struct Record {
        int type = 1; // 1 a counted inventory, otherwise an order quantity
        std::string code;
        int quantity = 0;
    };
    struct Skipped {
        int line = 0; // 1-based
        std::string reason;
    };
    struct Parsed {
        std::vector<Record> records;
        std::vector<Skipped> skipped;
    };

    // price out, single price out, quantity in units, catalogue, deal code.
    using PriceFn = std::function<bool(int, float&, float&, int, int, unsigned)>;

    struct Options {
        Kind kind = Kind::Counts;
        bool reset = true;         // counts replace (type 1) rather than add to (type 0) the inventories
        bool orderUpToPar = false; // then every row orders up to its par
        int catalogId = 0;         // of lines added to the guide
        PriceFn price;             // prices of lines added (none: left at 0)
        std::string accountText1;  // account name and number for the moved-aside name
        std::string accountText2;
        std::time_t now = 0;
    };

    struct Outcome {
        bool ok = false;
        int records = 0;
        int invEntries = 0;
        int guideEntries = 0;
        int added = 0;
        int errors = 0;
        std::string missing; // codes found nowhere, each followed by two blanks
        std::vector<Skipped> skipped;
        std::string movedTo;
    };

    static const char* DefaultName(Kind kind) { return kind == Kind::Counts ? "Inventory.txt" : "Inventory.inv"; }

    static Parsed Parse(const std::string& content, Kind kind);

    // The whole import, its messages shown through `box`. On failure the
    // guide, its table and the file are as they were.
    static Outcome Run(OrderGuide& guide, const std::string& path, const Options& options, IMessageBox& box);

    // Every row orders par minus inventory (0 when negative); changed rows
    // are priced again.
    static void OrderUpToPar(OrderGuide& guide);

    // "Inventory for A (B) 12-08-26 09.00.00.txt" (kind 2: "OLD INV-QTY for ...").
    static std::string MovedName(Kind kind, const std::string& text1, const std::string& text2, std::time_t now);
};

} // namespace zev
