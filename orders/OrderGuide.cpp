#include "orders/OrderGuide.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "orders/Amount.h"
#include "orders/LinePricing.h"
#include "tables/OrderGuideLines.h"
#include "tables/SqlText.h"
#include "tables/WorkOrder.h"
#include "tables/WorkOrderItems.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <unordered_map>

namespace zev {

namespace {

// Column positions of a joined result by lower-case name (the first of two
// equal names wins, which is the guide line's own column).
class Columns {
public:
    explicit Columns(Query& q)
    {
        CVORecordset* rs = q.getRS();
        const long n = rs != nullptr ? rs->GetFieldCount() : 0;
        for (long i = 0; i < n; ++i) {
            std::string name = rs->GetFieldName(i);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            m_index.emplace(name, i);
        }
    }
    long operator()(const char* name) const
    {
        auto it = m_index.find(name);
        return it == m_index.end() ? -1 : it->second;
    }

private:
    std::unordered_map<std::string, long> m_index;
};

int IntOf(Query& q, long col) { return col < 0 ? 0 : q.GetFieldValueInt(col); }
float FloatOf(Query& q, long col) { return col < 0 ? 0.0f : q.GetFieldValueFloat(col); }
std::string TextOf(Query& q, long col) { return col < 0 ? std::string() : SqlText::Trim(q.GetFieldValueString(col)); }

} // namespace

OrderGuide::OrderGuide(int accountId, int workOrderId, const OrderSettings& settings, int poolKey)
    : m_accountId(accountId), m_workOrderId(workOrderId), m_settings(settings), m_poolKey(poolKey)
{
}

bool OrderGuide::Load(int sortIndex, std::optional<int> familyPlanCatalog, const Log& log, std::stop_token stop)
{
    m_rows.clear();
    m_hidden.clear();
    m_reordered = m_edited = false;
    m_filterMask = 0;

    // Split-case charges of the guide's items for their own catalogues.
    std::map<std::pair<int, int>, float> splitCharges;
    {
        Query charges("", "", m_poolKey);
        const std::string sql = SqlText::Format(
            "select S.ItemID, S.CatalogID, S.SplitCaseCharge from PricingScheme S, WorkOrderItems W where "
            "S.ItemID = W.ItemID and S.CatalogID = W.catalogID and W.AccountID=%d and W.WorkOrderID=%d and "
            "S.SplitCaseCharge > 0",
            m_accountId, m_workOrderId);
        if (charges.Open(sql) != 0)
            for (; charges.IsEOF() == 0; charges.MoveNext())
                splitCharges[{charges.GetFieldValueInt(0), charges.GetFieldValueInt(1)}] =
                    charges.GetFieldValueFloat(2);
    }

    OrderGuideLines lines(m_poolKey);
    const int found = familyPlanCatalog
                          ? lines.getFamilyPlanGuide(m_accountId, m_workOrderId, *familyPlanCatalog, sortIndex)
                          : lines.getGuideSorted(m_accountId, m_workOrderId, sortIndex);
    if (found == 0) {
        const CVORecordset* rs = lines.getRS();
        return rs != nullptr && rs->GetLastError().empty();
    }
    const Columns col(lines);
    const long cItem = col("itemid"), cCatalog = col("catalogid"), cCases = col("caseqty"), cSingles = col("singleqty"),
               cCase = col("cdistprice"), cSingle = col("sdistprice"), cLast = col("lastqty"),
               cCount = col("ordercount"), cLine = col("lineitemnumber"), cFlag = col("specialflag"),
               cDiscount = col("discountamount"), cOverride = col("priceoverride"), cPar = col("par"),
               cInv = col("inv"), cRetail = col("retailprice"), cWarehouse = col("warehouse"), cFilter = col("filter"),
               cComment = col("linecomment"), cHtd = col("htditemcount"), cPerCase = col("qtypercase"),
               cStock = col("qtyonhand"), cKind = col("productkind"), cItemFlags = col("itemflags"),
               cMultiple = col("sellmultiple"), cDesc = col("description"), cPrefix = col("lineprefix"),
               cSuffix = col("linesuffix"), cUpc = col("upc"), cSku = col("distributorsku");
    int zeroPerCase = 0;
    int firstZero = 0;
    m_rows.reserve(static_cast<std::size_t>(lines.getRSRecordCount()));
    for (; lines.IsEOF() == 0; lines.MoveNext()) {
        if (stop.stop_requested()) {
            m_rows.clear();
            return false;
        }
        OrderGuideRow r;
        r.itemId = IntOf(lines, cItem);
        r.catalogId = IntOf(lines, cCatalog);
        r.qtyPerCase = IntOf(lines, cPerCase);
        if (r.qtyPerCase < 1) {
            if (zeroPerCase++ == 0)
                firstZero = r.itemId;
            r.qtyPerCase = 1;
        }
        r.units = IntOf(lines, cCases) * r.qtyPerCase + IntOf(lines, cSingles);
        r.casePrice = FloatOf(lines, cCase);
        r.singlePrice = FloatOf(lines, cSingle);
        r.lastQty = IntOf(lines, cLast);
        r.orderCount = IntOf(lines, cCount);
        r.lineItemNumber = IntOf(lines, cLine);
        r.specialFlag = static_cast<unsigned>(std::strtoul(TextOf(lines, cFlag).c_str(), nullptr, 10));
        r.discount = Amount::ReadStored(TextOf(lines, cDiscount));
        r.priceOverride = Amount::ReadStored(TextOf(lines, cOverride));
        r.par = IntOf(lines, cPar);
        r.inv = IntOf(lines, cInv);
        r.retailPrice = FloatOf(lines, cRetail);
        r.warehouse = IntOf(lines, cWarehouse);
        r.filter = IntOf(lines, cFilter);
        r.lineComment = cComment < 0 ? std::string() : lines.GetFieldValueString(cComment);
        r.htdItemCount = IntOf(lines, cHtd);
        r.stock = IntOf(lines, cStock);
        r.productKind = IntOf(lines, cKind);
        r.itemFlags = IntOf(lines, cItemFlags);
        r.sellMultiple = IntOf(lines, cMultiple);
        r.description = TextOf(lines, cDesc);
        r.prefix = TextOf(lines, cPrefix);
        r.suffix = TextOf(lines, cSuffix);
        r.upc = TextOf(lines, cUpc);
        r.sku = TextOf(lines, cSku);
        auto charge = splitCharges.find({r.itemId, r.catalogId});
        if (charge != splitCharges.end())
            r.splitCaseCharge = charge->second;
        LinePricing::Extend(r, m_settings.priceOverrideMode);
        m_rows.push_back(std::move(r));
    }
    if (zeroPerCase > 0 && log)
        log(SqlText::Format("Order guide of account %d: %d line(s) with QtyPerCase 0 taken as 1 (first item %d)",
                            m_accountId, zeroPerCase, firstZero));
    return true;
}

void OrderGuide::SetLoaded(std::vector<OrderGuideRow> rows)
{
    m_rows = std::move(rows);
    m_hidden.clear();
    m_reordered = m_edited = false;
    m_filterMask = 0;
}

void OrderGuide::Touch(std::size_t row, bool edit)
{
    m_rows[row].changed = true;
    if (edit)
        m_edited = true;
    Reprice(row);
}

void OrderGuide::Reprice(std::size_t row) { LinePricing::Extend(m_rows[row], m_settings.priceOverrideMode); }

void OrderGuide::SetUnits(std::size_t row, int units)
{
    if (row >= m_rows.size())
        return;
    m_rows[row].units = units < 0 ? 0 : units;
    Touch(row, false);
}

void OrderGuide::SetCasesAndSingles(std::size_t row, int cases, int singles)
{
    if (row >= m_rows.size())
        return;
    SetUnits(row, cases * m_rows[row].qtyPerCase + singles);
}

void OrderGuide::SetPar(std::size_t row, int par)
{
    if (row >= m_rows.size())
        return;
    m_rows[row].par = par;
    Touch(row, true);
}

void OrderGuide::SetInventory(std::size_t row, int inv)
{
    if (row >= m_rows.size())
        return;
    m_rows[row].inv = inv;
    Touch(row, true);
}

void OrderGuide::SetComment(std::size_t row, const std::string& comment)
{
    if (row >= m_rows.size())
        return;
    m_rows[row].lineComment = comment;
    Touch(row, true);
}

bool OrderGuide::EditDiscount(std::size_t row, const std::string& typed, IMessageBox& box)
{
    if (row >= m_rows.size())
        return false;
    const std::optional<float> value = Amount::ParseTyped(typed, true);
    OrderGuideRow& r = m_rows[row];
    if (!value || Amount::Cents(*value) == Amount::Cents(r.discount))
        return true;
    if (Amount::Cents(*value) < 0 && !Amount::IsFree(*value) && !Amount::IsNet(*value)) {
        box.ShowText("The discount cannot be less than zero.", ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    if (Amount::Cents(*value) > Amount::Cents(r.casePrice))
        box.ShowText("The discount is greater than the current case price. The extended price will be set to zero.",
                     ids::kCaptionError, MbButtons::Ok, MbIcon::Warning);
    r.discount = *value;
    Touch(row, true);
    return true;
}

bool OrderGuide::EditOverride(std::size_t row, const std::string& typed)
{
    if (row >= m_rows.size())
        return false;
    const std::optional<float> value = Amount::ParseTyped(typed, true);
    if (!value || Amount::Cents(*value) == Amount::Cents(m_rows[row].priceOverride))
        return true;
    m_rows[row].priceOverride = *value;
    Touch(row, true);
    return true;
}

bool OrderGuide::EditDealCode(std::size_t row, const std::string& typed, IMessageBox& box)
{
    if (row >= m_rows.size())
        return false;
    char* end = nullptr;
    const long code = std::strtol(typed.c_str(), &end, 10);
    if (end == typed.c_str() || code < m_settings.dealCodeMin || code > m_settings.dealCodeMax) {
        box.ShowText("Sorry, but the deal code submitted is invalid.", ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    if (static_cast<unsigned>(code) == m_rows[row].specialFlag)
        return true;
    m_rows[row].specialFlag = static_cast<unsigned>(code);
    Touch(row, true);
    return true;
}

void OrderGuide::Move(std::size_t from, std::size_t to)
{
    if (from >= m_rows.size() || m_rows.empty())
        return;
    to = std::min(to, m_rows.size() - 1);
    if (from == to)
        return;
    if (from < to)
        std::rotate(m_rows.begin() + static_cast<long>(from), m_rows.begin() + static_cast<long>(from) + 1,
                    m_rows.begin() + static_cast<long>(to) + 1);
    else
        std::rotate(m_rows.begin() + static_cast<long>(to), m_rows.begin() + static_cast<long>(from),
                    m_rows.begin() + static_cast<long>(from) + 1);
    m_reordered = true;
}

void OrderGuide::Remove(std::size_t row)
{
    if (row >= m_rows.size())
        return;
    m_rows.erase(m_rows.begin() + static_cast<long>(row));
    m_reordered = true;
}

void OrderGuide::Insert(std::size_t at, OrderGuideRow row)
{
    at = std::min(at, m_rows.size());
    m_rows.insert(m_rows.begin() + static_cast<long>(at), std::move(row));
    m_rows[at].changed = true;
    Reprice(at);
    m_reordered = true;
}

void OrderGuide::ApplyFilter(int mask)
{
    // Rows keep their guide order through the hidden list: merge back by line number.
    std::vector<OrderGuideRow> all;
    all.reserve(m_rows.size() + m_hidden.size());
    for (auto& r : m_rows)
        all.push_back(std::move(r));
    for (auto& r : m_hidden)
        all.push_back(std::move(r));
    if (!m_reordered)
        std::stable_sort(all.begin(), all.end(), [](const OrderGuideRow& a, const OrderGuideRow& b) {
            return a.lineItemNumber < b.lineItemNumber;
        });
    m_rows.clear();
    m_hidden.clear();
    for (auto& r : all)
        ((r.filter & mask) == mask ? m_rows : m_hidden).push_back(std::move(r));
    m_filterMask = mask;
}

WorkOrderLine OrderGuide::ToLine(const OrderGuideRow& r, int accountId, int workOrderId)
{
    WorkOrderLine l;
    l.accountId = accountId;
    l.workOrderId = workOrderId;
    l.itemId = r.itemId;
    l.catalogId = r.catalogId;
    const int perCase = r.qtyPerCase > 0 ? r.qtyPerCase : 1;
    l.caseQty = r.units / perCase;
    l.singleQty = r.units % perCase;
    l.cDistPrice = r.casePrice;
    l.sDistPrice = r.singlePrice;
    l.lastQty = r.lastQty;
    l.orderCount = r.orderCount;
    l.lineItemNumber = r.lineItemNumber;
    l.specialFlag = std::to_string(r.specialFlag);
    l.discountAmount = Amount::FormatStored(r.discount);
    l.priceOverride = Amount::FormatStored(r.priceOverride);
    l.par = r.par;
    l.inv = r.inv;
    l.retailPrice = r.retailPrice;
    l.warehouse = r.warehouse;
    l.filter = r.filter;
    l.lineComment = r.lineComment;
    l.htdItemCount = r.htdItemCount;
    return l;
}

bool OrderGuide::MarkUpdated()
{
    WorkOrder guide(m_poolKey);
    return guide.setUpdated(m_accountId, m_workOrderId, 1) != 0;
}

bool OrderGuide::Rewrite()
{
    WorkOrderItems items(m_poolKey);
    if (items.beginTransaction() == 0)
        return false;
    bool ok = items.deleteGuide(m_accountId, m_workOrderId) != 0;
    // Rows the filter holds back are written too, numbered after the
    // visible ones: a rewrite never drops a line the representative cannot see.
    int number = 0;
    for (const auto* list : {&m_rows, &m_hidden}) {
        for (const OrderGuideRow& r : *list) {
            if (!ok)
                break;
            WorkOrderLine line = ToLine(r, m_accountId, m_workOrderId);
            line.lineItemNumber = ++number;
            line.htdItemCount = 0;
            ok = items.insertLine(line) != 0;
        }
    }
    if (ok)
        ok = MarkUpdated();
    if (!ok || items.commitTransaction() == 0) {
        items.rollbackTransaction();
        return false;
    }
    Renumber();
    for (auto* list : {&m_rows, &m_hidden})
        for (OrderGuideRow& r : *list) {
            r.changed = false;
            r.isNew = false;
            r.htdItemCount = 0;
        }
    m_reordered = m_edited = false;
    return true;
}

void OrderGuide::Renumber()
{
    int number = 0;
    for (OrderGuideRow& r : m_rows)
        r.lineItemNumber = ++number;
    for (OrderGuideRow& r : m_hidden)
        r.lineItemNumber = ++number;
}

bool OrderGuide::WriteChanged()
{
    WorkOrderItems items(m_poolKey);
    if (items.beginTransaction() == 0)
        return false;
    bool ok = true;
    for (const auto* list : {&m_rows, &m_hidden})
        for (const OrderGuideRow& r : *list)
            if (ok && r.changed)
                ok = items.updateLine(ToLine(r, m_accountId, m_workOrderId)) != 0;
    if (ok && m_edited)
        ok = MarkUpdated();
    if (!ok || items.commitTransaction() == 0) {
        items.rollbackTransaction();
        return false;
    }
    for (auto* list : {&m_rows, &m_hidden})
        for (OrderGuideRow& r : *list)
            r.changed = false;
    m_edited = false;
    return true;
}

bool OrderGuide::Save() { return m_reordered ? Rewrite() : WriteChanged(); }

std::int64_t OrderGuide::TotalCents() const { return LinePricing::TotalCents(m_rows); }

int OrderGuide::AddLine(WorkOrderLine line, int poolKey)
{
    WorkOrderItems items(poolKey);
    if (items.beginTransaction() == 0)
        return 0;
    const int highest = items.highestLineNumber(line.accountId, line.workOrderId);
    bool ok = highest >= 0;
    if (ok) {
        line.lineItemNumber = highest + 1;
        ok = items.insertLine(line) != 0;
    }
    if (ok) {
        WorkOrder guide(poolKey);
        ok = guide.setUpdated(line.accountId, line.workOrderId, 1) != 0;
    }
    if (!ok || items.commitTransaction() == 0) {
        items.rollbackTransaction();
        return 0;
    }
    return line.lineItemNumber;
}

} // namespace zev
