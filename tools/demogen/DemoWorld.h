#pragma once

#include "server/SqlDatabase.h"
#include "tools/demogen/DemoGenerator.h"
#include "tools/demogen/DemoRandom.h"
#include "tools/demogen/DemoText.h"
#include "tools/demogen/DemoVocabulary.h"
#include "tools/demogen/TableWriter.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zev::demo {

inline const char* const kRepA = "100200";
inline const char* const kRepB = "100300";
inline const char* const kManager = "900100";

// Everything the builders share while they fill one database: the writers,
// the row counts, the random draws (one sequence for the whole run, so the
// data stays the same for a seed) and what earlier steps made.
struct DemoWorld {
    DemoWorld(server::SqlDatabase& database, const DemoOptions& demoOptions, const DemoGenerator::DigestFn& digestFn)
        : db(database), options(demoOptions), digest(digestFn), random(demoOptions.seed),
          today(DaysFromCivil(demoOptions.year, demoOptions.month, demoOptions.day))
    {
    }

    server::SqlDatabase& db;
    const DemoOptions& options;
    const DemoGenerator::DigestFn& digest;
    DemoRandom random;
    long today;
    std::map<std::string, std::unique_ptr<TableWriter>> writers;
    std::map<std::string, long long> counts;
    std::vector<Category> leaves;
    std::vector<Item> items;
    std::vector<Account> accounts;
    int nextCategory = 1;
    int nextItem = 1001;
    int depositCategory = 0;
};

// Base of the three builders: the world's parts under short names, and the
// small helpers every step uses.
class DemoStep {
protected:
    explicit DemoStep(DemoWorld& world)
        : m_db(world.db), m_options(world.options), m_digest(world.digest), m_random(world.random),
          m_today(world.today), m_writers(world.writers), m_counts(world.counts), m_leaves(world.leaves),
          m_items(world.items), m_accounts(world.accounts), m_nextCategory(world.nextCategory),
          m_nextItem(world.nextItem), m_depositCategory(world.depositCategory)
    {
    }

    TableWriter& Writer(const std::string& table)
    {
        auto it = m_writers.find(table);
        if (it == m_writers.end())
            it = m_writers.emplace(table, std::make_unique<TableWriter>(m_db, table, m_options.stamp)).first;
        return *it->second;
    }
    void Put(const std::string& table, const std::string& owner = {})
    {
        Writer(table).Insert(owner);
        ++m_counts[table];
    }
    std::string Phone() { return "(503) 555-" + m_random.Digits(4); }
    // One draw per statement: the order of draws inside one expression is up to the compiler.
    std::string Name()
    {
        std::string first = m_random.Pick(kFirstNames);
        return first + " " + m_random.Pick(kLastNames);
    }

    size_t RandomItem(bool onPremise)
    {
        while (true) {
            size_t i = static_cast<size_t>(m_random.Below(static_cast<int>(m_items.size())));
            const Item& item = m_items[i];
            if (!item.deleted && item.kind != Kind::KegDeposit && (onPremise || !item.onPremiseOnly))
                return i;
        }
    }

    server::SqlDatabase& m_db;
    const DemoOptions& m_options;
    const DemoGenerator::DigestFn& m_digest;
    DemoRandom& m_random;
    const long m_today;
    std::map<std::string, std::unique_ptr<TableWriter>>& m_writers;
    std::map<std::string, long long>& m_counts;
    std::vector<Category>& m_leaves;
    std::vector<Item>& m_items;
    std::vector<Account>& m_accounts;
    int& m_nextCategory;
    int& m_nextItem;
    int& m_depositCategory;
};

} // namespace zev::demo
