#include "plugins/pricing/PriceBook.h"

#include <algorithm>
#include <sqlite3.h>
#include <sys/stat.h>

namespace q9 {

namespace {

// Rows whose dates do not cover today are skipped; a NULL or unreadable date
// leaves that end open.
constexpr const char* kCurrent =
    " and (date(StartDate) is null or date(StartDate) <= date('now','localtime'))"
    " and (date(EndDate) is null or date(EndDate) >= date('now','localtime'))";

constexpr const char* kColumns =
    "select CatalogID, CPrice0, CPrice1, CPrice2, CPrice3, CPrice4, CPrice5, CPrice6, CPrice7, CPrice8, "
    "CPrice9,"
    " SPrice0, SPrice1, SPrice2, SPrice3, SPrice4, SPrice5, SPrice6, SPrice7, SPrice8, SPrice9,"
    " BreakQty1, BreakDisc1, BreakQty2, BreakDisc2, BreakQty3, BreakDisc3 from PricingScheme where ItemID = "
    "?1";

// Column positions in kColumns.
constexpr int kCase0 = 1;
constexpr int kSingle0 = 11;
constexpr int kBreak1 = 21;

struct Row {
    double casePrice[PriceBook::kTiers] = {};
    double singlePrice[PriceBook::kTiers] = {};
    long breakQty[3] = {};
    double breakDisc[3] = {};
};

// A kept statement in use: reset and unbound when the use ends.
class Statement {
public:
    explicit Statement(sqlite3_stmt* stmt) : m_stmt(stmt) {}
    ~Statement() {
        if (m_stmt != nullptr) {
            sqlite3_reset(m_stmt);
            sqlite3_clear_bindings(m_stmt);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

Row ReadRow(sqlite3_stmt* s) {
    Row r;
    for (int t = 0; t < PriceBook::kTiers; ++t) {
        r.casePrice[t] = sqlite3_column_double(s, kCase0 + t);
        r.singlePrice[t] = sqlite3_column_double(s, kSingle0 + t);
    }
    for (int b = 0; b < 3; ++b) {
        r.breakQty[b] = static_cast<long>(sqlite3_column_int64(s, kBreak1 + 2 * b));
        r.breakDisc[b] = sqlite3_column_double(s, kBreak1 + 2 * b + 1);
    }
    return r;
}

// A tier column holding 0 (or NULL) falls back to the base column.
PriceBook::Price TierPrice(const Row& r, unsigned long dealCode) {
    const int t = dealCode < static_cast<unsigned long>(PriceBook::kTiers) ? static_cast<int>(dealCode) : 0;
    PriceBook::Price p;
    p.casePrice = r.casePrice[t] > 0.0 ? r.casePrice[t] : r.casePrice[0];
    p.singlePrice = r.singlePrice[t] > 0.0 ? r.singlePrice[t] : r.singlePrice[0];
    return p;
}

} // namespace

PriceBook::~PriceBook() {
    CloseLocked();
}

void PriceBook::SetDatabase(const std::string& path) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (path != m_path) {
        CloseLocked();
        m_path = path;
    }
}

void PriceBook::Close() {
    std::lock_guard<std::mutex> guard(m_lock);
    CloseLocked();
}

sqlite3_stmt* PriceBook::Prepared(const char* key, const std::string& sql) {
    auto it = m_prepared.find(key);
    if (it != m_prepared.end())
        return it->second;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(m_db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    m_prepared.emplace(key, stmt);
    return stmt;
}

void PriceBook::CloseLocked() {
    for (auto& [key, stmt] : m_prepared)
        sqlite3_finalize(stmt);
    m_prepared.clear();
    if (m_db != nullptr) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool PriceBook::EnsureOpen() {
    struct stat st {};
    if (m_path.empty() || ::stat(m_path.c_str(), &st) != 0) {
        CloseLocked();
        return false;
    }
    if (m_db != nullptr && (st.st_dev != m_dev || st.st_ino != m_ino))
        CloseLocked();
    if (m_db != nullptr)
        return true;
    // Read-only: the library never changes the database, and a writer on
    // another connection is never blocked by it for long.
    if (sqlite3_open_v2(m_path.c_str(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX, nullptr) !=
        SQLITE_OK) {
        CloseLocked();
        return false;
    }
    sqlite3_busy_timeout(m_db, 2000);
    m_dev = st.st_dev;
    m_ino = st.st_ino;
    return true;
}

std::optional<PriceBook::Price> PriceBook::Calculate(int item, unsigned long dealCode, int catalog,
                                                     long units) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (!EnsureOpen())
        return std::nullopt;
    // The row of the catalogue asked for, else the item's lowest catalogue.
    Statement select(
        Prepared("price", std::string(kColumns) + kCurrent + " order by (CatalogID = ?2) desc, CatalogID limit 1"));
    if (!select)
        return std::nullopt;
    sqlite3_bind_int(select.get(), 1, item);
    sqlite3_bind_int(select.get(), 2, catalog);
    if (sqlite3_step(select.get()) != SQLITE_ROW)
        return std::nullopt;
    const Row row = ReadRow(select.get());
    Price price = TierPrice(row, dealCode);

    // The highest break reached applies its discount per case.
    int reached = -1;
    for (int b = 0; b < 3; ++b) {
        if (units > 0 && row.breakQty[b] > 0 && units >= row.breakQty[b] &&
            (reached < 0 || row.breakQty[b] > row.breakQty[reached]))
            reached = b;
    }
    if (reached >= 0 && row.breakDisc[reached] > 0.0) {
        long perCase = 1;
        Statement qty(Prepared("qty", "select QtyPerCase from Items where ItemID = ?1"));
        if (qty) {
            sqlite3_bind_int(qty.get(), 1, item);
            if (sqlite3_step(qty.get()) == SQLITE_ROW)
                perCase = std::max<long>(1, static_cast<long>(sqlite3_column_int64(qty.get(), 0)));
        }
        const double disc = row.breakDisc[reached];
        price.casePrice = std::max(0.0, price.casePrice - disc);
        price.singlePrice = std::max(0.0, price.singlePrice - disc / static_cast<double>(perCase));
    }
    return price;
}

std::optional<PriceBook::Tier> PriceBook::EnumerateTier(int item, int index) {
    if (index < 0)
        return std::nullopt;
    std::lock_guard<std::mutex> guard(m_lock);
    if (!EnsureOpen())
        return std::nullopt;
    Statement select(Prepared("tiers", std::string(kColumns) + kCurrent + " order by CatalogID limit 1"));
    if (!select)
        return std::nullopt;
    sqlite3_bind_int(select.get(), 1, item);
    if (sqlite3_step(select.get()) != SQLITE_ROW)
        return std::nullopt;
    const Row row = ReadRow(select.get());
    int seen = 0;
    for (int t = 0; t < kTiers; ++t) {
        if (row.casePrice[t] <= 0.0)
            continue;
        if (seen++ == index) {
            Tier tier;
            tier.tier = t;
            tier.firstBreakQty = static_cast<int>(std::max<long>(0, row.breakQty[0]));
            const Price p = TierPrice(row, static_cast<unsigned long>(t));
            tier.casePrice = p.casePrice;
            tier.singlePrice = p.singlePrice;
            return tier;
        }
    }
    return std::nullopt;
}

} // namespace q9
