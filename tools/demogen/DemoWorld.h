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
        : db_(world.db), options_(world.options), digest_(world.digest), random_(world.random), today_(world.today),
          writers_(world.writers), counts_(world.counts), leaves_(world.leaves), items_(world.items),
          accounts_(world.accounts), nextCategory_(world.nextCategory), nextItem_(world.nextItem),
          depositCategory_(world.depositCategory)
    {
    }

    TableWriter& Writer(const std::string& table)
    {
        auto it = writers_.find(table);
        if (it == writers_.end())
            it = writers_.emplace(table, std::make_unique<TableWriter>(db_, table, options_.stamp)).first;
        return *it->second;
    }
    void Put(const std::string& table, const std::string& owner = {})
    {
        Writer(table).Insert(owner);
        ++counts_[table];
    }
    std::string Phone() { return "(503) 555-" + random_.Digits(4); }
    // One draw per statement: the order of draws inside one expression is up to the compiler.
    std::string Name()
    {
        std::string first = random_.Pick(kFirstNames);
        return first + " " + random_.Pick(kLastNames);
    }

    size_t RandomItem(bool onPremise)
    {
        while (true) {
            size_t i = static_cast<size_t>(random_.Below(static_cast<int>(items_.size())));
            const Item& item = items_[i];
            if (!item.deleted && item.kind != Kind::KegDeposit && (onPremise || !item.onPremiseOnly))
                return i;
        }
    }

    server::SqlDatabase& db_;
    const DemoOptions& options_;
    const DemoGenerator::DigestFn& digest_;
    DemoRandom& random_;
    const long today_;
    std::map<std::string, std::unique_ptr<TableWriter>>& writers_;
    std::map<std::string, long long>& counts_;
    std::vector<Category>& leaves_;
    std::vector<Item>& items_;
    std::vector<Account>& accounts_;
    int& nextCategory_;
    int& nextItem_;
    int& depositCategory_;
};

} // namespace zev::demo
