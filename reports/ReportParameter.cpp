#include "reports/ReportParameter.h"

#include "app/core/IniReader.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "tabula/Query.h"

namespace zev {

ItemTextSwitches ItemTextSwitches::FromConfig(const ZevConfig& config)
{
    ItemTextSwitches s;
    s.vintageFirst = config.IsOn(cfg::kLineTextPrefix);
    s.sizeAfter = config.IsOn(cfg::kLineTextSuffix);
    s.caseQuantity = config.IsOn(cfg::kCaseQuantityInText);
    s.quantitiesInUnits = config.IsOn(cfg::kQuantitiesInUnits);
    return s;
}

std::string ReportParameter::ItemText(const std::string& vintage, const std::string& description,
                                      const std::string& size, int qtyPerCase, const ItemTextSwitches& switches)
{
    std::string text;
    const std::string v = Trim(vintage);
    if (switches.vintageFirst && !v.empty())
        text = v + " ";
    text += description;
    const std::string s = Trim(size);
    if (switches.sizeAfter && !s.empty())
        text += " " + s;
    if (switches.caseQuantity && !switches.quantitiesInUnits)
        text += " (" + std::to_string(qtyPerCase) + "/cs)";
    return text;
}

std::vector<ParameterEntry> ReportParameter::Entries(ReportParameterKind kind, const ItemTextSwitches& switches,
                                                     int poolKey)
{
    std::vector<ParameterEntry> entries;
    switch (kind) {
    case ReportParameterKind::None:
        break;
    case ReportParameterKind::Days:
        for (int days = 30; days <= 180; days += 30)
            entries.push_back({std::to_string(days) + " days", days});
        break;
    case ReportParameterKind::Items: {
        Query q("", "", poolKey);
        if (!q.Open("Select ItemID, DistributorSKU, Description, Vintage, ItemVolume, QtyPerCase from Items where "
                    "DeletedFlag = 0 order by Description"))
            break;
        for (; !q.IsEOF(); q.MoveNext())
            entries.push_back({ItemText(q.GetFieldValueString(3), q.GetFieldValueString(2), q.GetFieldValueString(4),
                                        q.GetFieldValueInt(5), switches),
                               q.GetFieldValueInt(0)});
        break;
    }
    case ReportParameterKind::Accounts: {
        Query q("", "", poolKey);
        if (!q.Open("Select AccountID, AccountNumber, CompanyName from Accounts order by CompanyName"))
            break;
        for (; !q.IsEOF(); q.MoveNext())
            entries.push_back({q.GetFieldValueString(2), q.GetFieldValueInt(0)});
        break;
    }
    }
    return entries;
}

} // namespace zev
