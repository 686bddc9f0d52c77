#include "reports/SalesDataModel.h"

#include "app/core/IniReader.h"
#include "app/core/StringTable.h"
#include "app/core/TextHelpers.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "tables/AccountSalesData.h"
#include "tables/Items.h"
#include "tables/SqlText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace zev {

namespace {

constexpr int kTopItemsCaption = 65150; // "Top items since %s: "
constexpr int kAlcoholic = 2;           // Items.ProductKind of wine, spirits and beer

// Items columns by position in the schema's order.
constexpr long kItemDescription = 1;
constexpr long kItemKind = 5;
constexpr long kItemSku = 6;
constexpr long kItemSize = 7;
constexpr long kItemUpc = 9;
constexpr long kItemVintage = 11;
constexpr long kItemNote = 75;

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int CompareNoCase(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// The longer text is the greater, so numeric item numbers sort by size;
// texts of equal length compare without regard to case.
int CompareLengthFirst(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return CompareNoCase(a, b);
}

template <typename T> int CompareValues(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

std::string Money(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

} // namespace

SalesDataSwitches SalesDataSwitches::FromConfig(const ZevConfig& config)
{
    SalesDataSwitches s;
    s.vintage = config.IsOn(cfg::kLineTextPrefix);
    s.size = config.IsOn(cfg::kLineTextSuffix);
    s.skuAsText = config.IsOn(cfg::kSkuSortsAsText);
    return s;
}

SalesDataModel::SalesDataModel(SalesDataSwitches switches, int poolKey) : m_switches(switches), m_poolKey(poolKey)
{
    m_amounts.fill("N/A");
    m_quotas.fill("N/A");
    m_percents.fill("N/A");
}

void SalesDataModel::Fill(int accountId)
{
    m_amounts.fill("N/A");
    m_quotas.fill("N/A");
    m_percents.fill("N/A");
    m_rows.clear();
    m_hasSalesRow = false;

    Query first("", "", m_poolKey);
    std::string firstOrder;
    if (first.Open(SqlText::Format("select min(transdate) from orderhistory where accountID=%d", accountId)))
        firstOrder = first.GetFieldValueString(0);
    const std::string since = firstOrder.empty() ? std::string("never!") : ShortDate(ParseDateTime(firstOrder));
    m_caption = LoadText(kTopItemsCaption);
    if (const std::size_t at = m_caption.find("%s"); at != std::string::npos)
        m_caption.replace(at, 2, since);

    AccountSalesData sales(m_poolKey);
    if (!sales.getByPK(accountId))
        return;
    m_hasSalesRow = true;
    for (int p = 0; p < kPeriods; ++p) {
        const double amount = sales.GetFieldValueDouble(1 + p);
        const double quota = sales.GetFieldValueDouble(7 + p);
        m_amounts[static_cast<std::size_t>(p)] = Money(amount);
        m_quotas[static_cast<std::size_t>(p)] = Money(quota);
        if (quota != 0.0)
            m_percents[static_cast<std::size_t>(p)] = Money(amount / quota * 100.0);
    }

    Query top("", "", m_poolKey);
    const std::string sql = SqlText::Format(
        "select top %d ohi.ItemID, sum(ohi.CQty), sum(ohi.SQty), sum(ohi.EXtPrice) as TotalSales,  "
        "max(oh.transdate)from OrderHistory oh, OrderHistoryItems ohi where oh.OrderNumber = ohi.OrderNumber and "
        "oh.AccountID = %d and oh.SiteID = 3 group by ohi.ItemID order by TotalSales desc",
        kTopItems, accountId);
    if (!top.Open(sql))
        return;
    Items items(m_poolKey);
    for (; !top.IsEOF() && m_rows.size() < static_cast<std::size_t>(kTopItems); top.MoveNext()) {
        TopItemRow row;
        row.cases = top.GetFieldValueInt(1);
        row.singles = top.GetFieldValueInt(2);
        row.totalSales = top.GetFieldValueDouble(3);
        const std::string last = top.GetFieldValueString(4);
        row.lastOrder = ParseDateTime(last);
        if (items.Query::getByPK(top.GetFieldValueInt(0))) {
            row.description = items.GetFieldValueString(kItemDescription);
            ProperCase(row.description);
            if (m_switches.vintage && items.GetFieldValueInt(kItemKind) == kAlcoholic)
                row.vintage = Trim(items.GetFieldValueString(kItemVintage));
            if (m_switches.size)
                row.size = Trim(items.GetFieldValueString(kItemSize));
            row.itemNumber = items.GetFieldValueString(kItemSku);
            row.upc = items.GetFieldValueString(kItemUpc);
            row.note = items.GetFieldValueString(kItemNote);
        }
        m_rows.push_back(std::move(row));
    }
}

std::string SalesDataModel::Text(const TopItemRow& row, int column)
{
    char text[64];
    switch (column) {
    case 0: {
        std::string out;
        if (!row.vintage.empty())
            out = row.vintage + " ";
        out += row.description;
        if (!row.size.empty())
            out += " " + row.size;
        return out;
    }
    case 1:
        std::snprintf(text, sizeof text, "%d", row.cases);
        return text;
    case 2:
        std::snprintf(text, sizeof text, "%d", row.singles);
        return text;
    case 3:
        std::snprintf(text, sizeof text, "%5.2lf", row.totalSales);
        return text;
    case 4:
        return row.itemNumber;
    case 5:
        return row.upc;
    case 6:
        return row.note;
    case 7:
        return ShortDate(row.lastOrder);
    default:
        return {};
    }
}

std::string SalesDataModel::Text(int row, int column) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size())
        return {};
    return Text(m_rows[static_cast<std::size_t>(row)], column);
}

int SalesDataModel::Compare(const TopItemRow& a, const TopItemRow& b, int column) const
{
    switch (column) {
    case 0:
        return CompareNoCase(a.description, b.description);
    case 1:
        return CompareValues(a.cases, b.cases);
    case 2:
        return CompareValues(a.singles, b.singles);
    case 3:
        return CompareValues(a.totalSales, b.totalSales);
    case 4:
        return m_switches.skuAsText ? Sign(std::strcmp(a.itemNumber.c_str(), b.itemNumber.c_str()))
                                    : CompareLengthFirst(a.itemNumber, b.itemNumber);
    case 5:
        return Sign(std::strcmp(a.upc.c_str(), b.upc.c_str()));
    case 6:
        return CompareLengthFirst(a.note, b.note);
    case 7:
        return a.lastOrder.Compare(b.lastOrder);
    default:
        return 0;
    }
}

void SalesDataModel::Sort(int column)
{
    if (column < 0 || column >= kColumns)
        return;
    const int direction = m_direction;
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [&](const TopItemRow& a, const TopItemRow& b) { return Compare(a, b, column) * direction < 0; });
    m_direction = -m_direction;
}

} // namespace zev
