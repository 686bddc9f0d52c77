#pragma once

#include "tools/demogen/DemoWorld.h"

namespace zev::demo {

// The catalogue: lookups, categories, items, prices and programs.
class DemoCatalogBuilder final : private DemoStep {
public:
    explicit DemoCatalogBuilder(DemoWorld& world) : DemoStep(world) {}
    // Its steps in order.
    void Run();

private:
    void Lookups();
    int AddCategory(const std::string& name, int parent, bool hasChildren, int sort);
    void Categories();
    void KegDeposits();
    void CommonItemColumns(TableWriter& w, const Item& item, const std::string& description, int category,
                           int division);
    void Items();
    void MakeItem(const Category& category);
    // Tier d pays 2% less per step; tiers 6 to 9 are left at 0 so they fall back to the base price.
    void PriceRow(const Item& item, int catalog, double factor);
    void Prices();
    void Programs();
};

} // namespace zev::demo
