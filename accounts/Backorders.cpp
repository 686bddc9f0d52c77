#include "accounts/Backorders.h"

#include "tables/OpenOrderLines.h"
#include "tables/ReadyOrder.h"
#include "tables/ReadyOrderItems.h"
#include "tables/SqlText.h"
#include "tabula/CVORecordset.h"

#include <algorithm>
#include <strings.h>

namespace zev {

namespace {

constexpr const char* kSelect =
    " Select OO.AccountID, OO.InvoiceNumber, OO.ItemCount, OO.InvoiceTotal, OO.TSOrderType, datepart(yy, "
    "OO.InvoiceDate), datepart(mm, OO.InvoiceDate), datepart(dd, OO.InvoiceDate), OI.ItemID, OI.LineNumber, "
    "OI.QtyOrdered, OI.CaseFlag, OI.ExtPrice, I.Description, I.DistributorSKU, I.UPC, I.CatalogPage, I.Vintage, "
    "I.ItemVolume, I.QtyPerCase, I.DivisionID, I.QtyOnHand, I.DeletedFlag";

bool Ran(Query& q) { return q.getRS() != nullptr && q.getRS()->GetLastError().empty(); }

template <typename T> int Compare(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

} // namespace

Backorders::Backorders(Settings settings, int poolKey) : m_settings(settings), m_poolKey(poolKey) {}

std::string Backorders::Key(const BackorderLine& line) const
{
    if (m_settings.keyByInvoice)
        return line.invoiceNo;
    return SqlText::Format("%s:%d", line.invoiceNo.c_str(), line.lineNumber);
}

std::string Backorders::QuantityText(int units, int perCase) const
{
    if (m_settings.quantitiesInUnits)
        return std::to_string(units);
    const int per = perCase > 0 ? perCase : 1;
    return SqlText::Format("%d / %d", units / per, units % per);
}

std::string Backorders::DateText(const BackorderLine& line)
{
    return SqlText::Format("%.2d/%.2d/%d", line.month, line.day, line.year);
}

bool Backorders::LoadLines(const std::string& sql, std::vector<BackorderLine>& lines) const
{
    lines.clear();
    OpenOrderLines q(m_poolKey);
    if (q.Open(sql) == 0)
        return Ran(q);
    for (; q.IsEOF() == 0; q.MoveNext()) {
        BackorderLine line;
        line.invoiceNo = SqlText::Trim(q.GetFieldValueString(1));
        line.year = q.GetFieldValueInt(5);
        line.month = q.GetFieldValueInt(6);
        line.day = q.GetFieldValueInt(7);
        line.itemId = q.GetFieldValueInt(8);
        line.lineNumber = q.GetFieldValueInt(9);
        line.qtyOrdered = q.GetFieldValueInt(10);
        line.description = SqlText::Trim(q.GetFieldValueString(13));
        line.sku = SqlText::Trim(q.GetFieldValueString(14));
        line.unitsPerCase = std::max(1, q.GetFieldValueInt(19));
        line.qtyOnHand = q.GetFieldValueInt(21);
        line.deleted = q.GetFieldValueInt(22) == 1;
        lines.push_back(std::move(line));
    }
    return true;
}

bool Backorders::LoadBackorderLines(int accountId, std::vector<BackorderLine>& lines) const
{
    const OpenOrderLines q(m_poolKey);
    return LoadLines(SqlText::Format("%s from %s where %s and OO.AccountID=%d and OO.TSOrderType in ('BO', 'MO', "
                                     "'IN') Order by oo.InvoiceDate",
                                     kSelect, q.getTableName().c_str(), q.getJoinCondition().c_str(), accountId),
                     lines);
}

std::string Backorders::CleanTypeList(const std::string& typeList)
{
    // The list comes from the distributor's record and stands inside "in
    // (...)": only its quoted codes are kept, so it can never carry SQL.
    std::string out;
    std::size_t pos = 0;
    while (pos < typeList.size()) {
        const std::size_t open = typeList.find('\'', pos);
        if (open == std::string::npos)
            break;
        const std::size_t close = typeList.find('\'', open + 1);
        if (close == std::string::npos)
            break;
        const std::string code = SqlText::Trim(typeList.substr(open + 1, close - open - 1));
        if (!code.empty())
            out += (out.empty() ? "'" : ",'") + SqlText::DoubleApostrophes(code) + "'";
        pos = close + 1;
    }
    return out;
}

bool Backorders::LoadLinesOfTypes(int accountId, const std::string& typeList, std::vector<BackorderLine>& lines) const
{
    lines.clear();
    const std::string types = CleanTypeList(typeList);
    if (types.empty())
        return true;
    const OpenOrderLines q(m_poolKey);
    return LoadLines(SqlText::Format("%s from %s where %s and OO.AccountID=%d and OO.TSOrderType in (%s) and "
                                     "I.DeletedFlag = 0 Order by oo.InvoiceDate",
                                     kSelect, q.getTableName().c_str(), q.getJoinCondition().c_str(), accountId,
                                     types.c_str()),
                     lines);
}

std::string Backorders::ColumnText(const BackorderLine& line, int column) const
{
    switch (column) {
    case 0:
        return line.sku;
    case 1:
        return line.description;
    case 2:
        return QuantityText(line.qtyOrdered, line.unitsPerCase);
    case 3:
        return QuantityText(line.qtyOnHand, line.unitsPerCase);
    case 4:
        return line.invoiceNo;
    case 5:
        return line.deleted ? "Yes" : "";
    case 6:
        return DateText(line);
    default:
        return {};
    }
}

void Backorders::Sort(std::vector<BackorderLine>& lines, int column)
{
    const int factor = m_sortFactor;
    m_sortFactor = -m_sortFactor;
    const bool skuAsText = m_settings.skuAsText;
    auto cmp = [column, skuAsText](const BackorderLine& a, const BackorderLine& b) {
        switch (column) {
        case 0:
            if (!skuAsText && a.sku.size() != b.sku.size())
                return a.sku.size() < b.sku.size() ? -1 : 1;
            return ::strcasecmp(a.sku.c_str(), b.sku.c_str());
        case 1:
            return ::strcasecmp(a.description.c_str(), b.description.c_str());
        case 2:
            return Compare(a.qtyOrdered, b.qtyOrdered);
        case 3:
            return Compare(a.qtyOnHand, b.qtyOnHand);
        case 4:
            return ::strcasecmp(a.invoiceNo.c_str(), b.invoiceNo.c_str());
        case 5:
            return Compare(a.deleted, b.deleted);
        case 6:
            return Compare(a.year * 10000 + a.month * 100 + a.day, b.year * 10000 + b.month * 100 + b.day);
        default:
            return 0;
        }
    };
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const BackorderLine& a, const BackorderLine& b) { return cmp(a, b) * factor < 0; });
}

Backorders::SaveResult Backorders::SaveCancellation(int accountId, const std::vector<BackorderLine>& checked,
                                                    std::time_t now) const
{
    if (checked.empty())
        return SaveResult::Nothing;
    ReadyOrder headers(m_poolKey);
    ReadyOrderItems items(m_poolKey);
    // The key must be free in both tables so the order never inherits lines.
    const int readyId = std::max(headers.getNewPK(), items.getNewPK());
    if (readyId < 1 || headers.beginTransaction() == 0)
        return SaveResult::HeaderFailed;
    if (headers.insertInformationOrder(accountId, readyId, 3, now, "", "Backorder Removal") == 0 || !Ran(headers)) {
        headers.rollbackTransaction();
        return SaveResult::HeaderFailed;
    }
    int number = 0;
    for (const BackorderLine& line : checked) {
        ReadyOrderLine l;
        l.accountId = accountId;
        l.readyId = readyId;
        l.itemId = line.itemId;
        l.catalogId = 10;
        l.lineItemNumber = number++;
        l.lineComment = Key(line);
        if (items.insertLine(l) == 0 || !Ran(items)) {
            headers.rollbackTransaction();
            return SaveResult::LineFailed;
        }
    }
    if (headers.commitTransaction() == 0) {
        headers.rollbackTransaction();
        return SaveResult::LineFailed;
    }
    return SaveResult::Saved;
}

std::string Backorders::SaveMessage(SaveResult result)
{
    switch (result) {
    case SaveResult::HeaderFailed:
        return "There was an error saving the cancelation order header.";
    case SaveResult::LineFailed:
        return "There was an error saving an entry in the cancelation order.";
    default:
        return {};
    }
}

std::optional<std::string> Backorders::ApplyChecks(const std::vector<BackorderLine>& lines,
                                                   const std::vector<bool>& checked,
                                                   const std::set<std::string>& heldKeys, const GuideAdd& add) const
{
    bool tried = false;
    std::string problems;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const BackorderLine& line = lines[i];
        const bool on = i < checked.size() && checked[i];
        const std::string key = Key(line);
        const bool held = heldKeys.count(key) != 0;
        if (on == held)
            continue;
        tried = true;
        const int units = on ? line.qtyOrdered : -line.qtyOrdered;
        if (!add || !add(line, units, key))
            problems +=
                std::string(on ? "(A)" : "(R)") + " For invoice " + line.invoiceNo + " - " + line.description + "\n";
    }
    if (!tried)
        return std::nullopt;
    if (problems.empty())
        return std::string("All changes have been made");
    return SqlText::Format("There were problems entering the following into the Order Guide:\n\n%s\nPlease double "
                           "check the data that was included in the Order Guide.",
                           problems.c_str());
}

} // namespace zev
