#include "plugins/pricing/PriceBook.h"

#include <algorithm>
#include <sys/stat.h>

namespace q9 {

namespace {

// Rows whose dates do not cover today are skipped; a NULL or unreadable date
// leaves that end open.
constexpr const char* kCurrent = " and (date(StartDate) is null or date(StartDate) <= date('now','localtime'))"
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
class InUse {
public:
    explicit InUse(tabula::Statement* stmt) : m_stmt(stmt) {}
    ~InUse()
    {
        if (m_stmt != nullptr)
            m_stmt->Reset();
    }
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;
    tabula::Statement* operator->() const { return m_stmt; }
    tabula::Statement& operator*() const { return *m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }

private:
    tabula::Statement* m_stmt = nullptr;
};

Row ReadRow(const tabula::Statement& s)
{
    Row r;
    for (int t = 0; t < PriceBook::kTiers; ++t) {
        r.casePrice[t] = s.Double(kCase0 + t);
        r.singlePrice[t] = s.Double(kSingle0 + t);
    }
    for (int b = 0; b < 3; ++b) {
        r.breakQty[b] = static_cast<long>(s.Int(kBreak1 + 2 * b));
        r.breakDisc[b] = s.Double(kBreak1 + 2 * b + 1);
    }
    return r;
}

// A tier column holding 0 (or NULL) falls back to the base column.
PriceBook::Price TierPrice(const Row& r, unsigned long dealCode)
{
    const int t = dealCode < static_cast<unsigned long>(PriceBook::kTiers) ? static_cast<int>(dealCode) : 0;
    PriceBook::Price p;
    p.casePrice = r.casePrice[t] > 0.0 ? r.casePrice[t] : r.casePrice[0];
    p.singlePrice = r.singlePrice[t] > 0.0 ? r.singlePrice[t] : r.singlePrice[0];
    return p;
}

} // namespace

PriceBook::~PriceBook() { CloseLocked(); }

void PriceBook::SetDatabase(const std::string& path)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (path != m_path) {
        CloseLocked();
        m_path = path;
    }
}

void PriceBook::Close()
{
    std::lock_guard<std::mutex> guard(m_lock);
    CloseLocked();
}

tabula::Statement* PriceBook::Prepared(const char* key, const std::string& sql)
{
    auto it = m_prepared.find(key);
    if (it != m_prepared.end())
        return it->second.get();
    auto stmt = std::make_unique<tabula::Statement>(*m_db, sql);
    if (!stmt->Ok())
        return nullptr;
    return m_prepared.emplace(key, std::move(stmt)).first->second.get();
}

void PriceBook::CloseLocked()
{
    m_prepared.clear();
    m_db.reset();
}

bool PriceBook::EnsureOpen()
{
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
    m_db = std::make_unique<tabula::Database>(m_path, tabula::Database::Mode::ReadOnly, 2000);
    if (!m_db->Ok()) {
        CloseLocked();
        return false;
    }
    m_dev = st.st_dev;
    m_ino = st.st_ino;
    return true;
}

std::optional<PriceBook::Price> PriceBook::Calculate(int item, unsigned long dealCode, int catalog, long units)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!EnsureOpen())
        return std::nullopt;
    // The row of the catalogue asked for, else the item's lowest catalogue.
    InUse select(
        Prepared("price", std::string(kColumns) + kCurrent + " order by (CatalogID = ?2) desc, CatalogID limit 1"));
    if (!select || !select->Bind(1, item) || !select->Bind(2, catalog) || select->Step() != tabula::StepResult::Row)
        return std::nullopt;
    const Row row = ReadRow(*select);
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
        InUse qty(Prepared("qty", "select QtyPerCase from Items where ItemID = ?1"));
        if (qty && qty->Bind(1, item) && qty->Step() == tabula::StepResult::Row)
            perCase = std::max<long>(1, static_cast<long>(qty->Int(0)));
        const double disc = row.breakDisc[reached];
        price.casePrice = std::max(0.0, price.casePrice - disc);
        price.singlePrice = std::max(0.0, price.singlePrice - disc / static_cast<double>(perCase));
    }
    return price;
}

std::optional<PriceBook::Tier> PriceBook::EnumerateTier(int item, int index)
{
    if (index < 0)
        return std::nullopt;
    std::lock_guard<std::mutex> guard(m_lock);
    if (!EnsureOpen())
        return std::nullopt;
    InUse select(Prepared("tiers", std::string(kColumns) + kCurrent + " order by CatalogID limit 1"));
    if (!select || !select->Bind(1, item) || select->Step() != tabula::StepResult::Row)
        return std::nullopt;
    const Row row = ReadRow(*select);
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
