#pragma once

#include "reports/ReportDefinition.h"

#include <string>
#include <vector>

namespace zev {

class ZevConfig;

// One entry of the report's parameter box: its text and the id the
// statement's placeholder receives.
struct ParameterEntry {
    std::string text;
    int id = 0;
};

// The distributor's switches that shape item texts in the parameter box.
struct ItemTextSwitches {
    bool vintageFirst = false;      // byte 72
    bool sizeAfter = false;         // byte 73
    bool caseQuantity = false;      // byte 74
    bool quantitiesInUnits = false; // byte 31 (hides the case quantity)

    static ItemTextSwitches FromConfig(const ZevConfig& config);
};

// Fills the parameter box of a report: the items that are not deleted by
// description, the accounts by company name, or six day counts.
class ReportParameter {
public:
    static std::vector<ParameterEntry> Entries(ReportParameterKind kind, const ItemTextSwitches& switches,
                                               int poolKey = 0);

    static std::string ItemText(const std::string& vintage, const std::string& description, const std::string& size,
                                int qtyPerCase, const ItemTextSwitches& switches);
};

} // namespace zev
