#pragma once

#include "tabula/Database.h"
#include "tabula/Statement.h"

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace q9 {

// Prices of items from the PricingScheme table of the local database, read
// through a read-only connection of its own, so the order guide's re-pricing
// worker may ask while the interface thread writes (WAL lets both proceed).
// All members are safe to call from any thread. Rules in PRICING.md.
class PriceBook {
public:
    struct Price {
        double casePrice = 0.0;
        double singlePrice = 0.0;
    };
    struct Tier {
        int tier = 0;
        int firstBreakQty = 0;
        double casePrice = 0.0;
        double singlePrice = 0.0;
    };

    PriceBook() = default;
    ~PriceBook();
    PriceBook(const PriceBook&) = delete;
    PriceBook& operator=(const PriceBook&) = delete;

    // The database file to read; takes effect at the next call.
    void SetDatabase(const std::string& path);

    // Price of `item` for the deal code, catalogue and quantity in units;
    // nothing when the item has no current price row or the database cannot
    // be read.
    std::optional<Price> Calculate(int item, unsigned long dealCode, int catalog, long units);

    // The index-th tier (0-based) with a case price above 0 of the item's
    // lowest-catalogue current row.
    std::optional<Tier> EnumerateTier(int item, int index);

    void Close();

    static constexpr int kTiers = 10;

private:
    bool EnsureOpen();
    void CloseLocked();
    // The statement of `sql` on the open connection, prepared once and kept
    // until the connection closes (a guide's re-pricing asks thousands of
    // times); reset and unbound when the caller's use ends.
    tabula::Statement* Prepared(const char* key, const std::string& sql);

    std::mutex m_lock;
    std::string m_path;
    std::unique_ptr<tabula::Database> m_db;
    std::map<std::string, std::unique_ptr<tabula::Statement>> m_prepared;
    // Identity of the file that is open; a restore or rebuild renames a new
    // file into place, which the connection would otherwise never see.
    unsigned long long m_dev = 0;
    unsigned long long m_ino = 0;
};

} // namespace q9
