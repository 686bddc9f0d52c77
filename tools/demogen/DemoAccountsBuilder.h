#pragma once

#include "tools/demogen/DemoWorld.h"

namespace zev::demo {

// The representatives' accounts: their guides, history, open orders and receivables.
class DemoAccountsBuilder final : private DemoStep {
public:
    explicit DemoAccountsBuilder(DemoWorld& world) : DemoStep(world) {}
    // Its steps in order.
    void Run();

private:
    std::string DayString(int pattern);
    void Accounts();
    void AccountExtras(const Account& a);
    double CasePrice(const Item& item, const Account& a) const;
    void Guides();
    void History();
    void Order(const Account& a, long number, long day, long& lineCount);
    void OpenOrders();
    void Receivables();
};

} // namespace zev::demo
