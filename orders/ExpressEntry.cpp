#include "orders/ExpressEntry.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "orders/Amount.h"
#include "orders/LinePricing.h"
#include "orders/OrderGuide.h"
#include "tables/Items.h"
#include "tables/SqlText.h"
#include "tables/WorkOrder.h"
#include "tables/WorkOrderItems.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zev {

namespace {

constexpr int kCaseCap = 999;

std::string Money(float value)
{
    if (Amount::IsFree(value))
        return "FREE";
    if (Amount::IsNet(value))
        return "NET";
    return SqlText::Format("%.2f", static_cast<double>(value));
}

} // namespace

ExpressEntry::ExpressEntry(int accountId, int workOrderId, OrderSettings settings, Options options, PriceFn price,
                           IMessageBox& box, int poolKey)
    : m_accountId(accountId), m_workOrderId(workOrderId), m_settings(std::move(settings)), m_options(options),
      m_price(std::move(price)), m_box(box), m_poolKey(poolKey)
{
}

void ExpressEntry::SetEntry(const std::string& text, std::size_t caret)
{
    m_entry = text;
    m_caret = std::min(caret, m_entry.size());
}

void ExpressEntry::Key(char c)
{
    m_entry.insert(m_caret, 1, c);
    ++m_caret;
}

void ExpressEntry::Clear()
{
    m_entry.clear();
    m_caret = 0;
}

bool ExpressEntry::Finish(bool result)
{
    Clear();
    return result;
}

// A whole number of digits only; anything else is not a number to act on.
bool ExpressEntry::Number(int& n) const
{
    std::string t = m_entry;
    t.erase(0, t.find_first_not_of(' '));
    t.erase(t.find_last_not_of(' ') + 1);
    if (t.empty() || !std::all_of(t.begin(), t.end(), [](unsigned char c) { return std::isdigit(c); }))
        return false;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (ec == std::errc::result_out_of_range) {
        n = 1000000000; // far above any cap; refused as too large
        return true;
    }
    return ec == std::errc() && end == t.data() + t.size();
}

bool ExpressEntry::ConfirmCases(int cases)
{
    if (cases > kCaseCap) {
        m_box.ShowText("Case quantities are not allowed to go over 999.", ids::kCaptionError, MbButtons::Ok,
                       MbIcon::Stop);
        return false;
    }
    if (cases >= m_settings.largeOrderStep * 5) {
        const std::string q = SqlText::Format("You have tried to order %d cases. Are you sure about this?", cases);
        return m_box.ShowText(q, ids::kCaptionWarning, MbButtons::YesNo, MbIcon::Warning) == MbResult::Yes;
    }
    return true;
}

bool ExpressEntry::ReadLine(int itemId)
{
    WorkOrderItems items(m_poolKey);
    const std::string sql = SqlText::Format(
        "select W.CaseQTY, W.SingleQTY, W.CDistPrice, W.SDistPrice, W.LineItemNumber, W.SpecialFlag, "
        "W.DiscountAmount, W.PriceOverride, W.Par, W.Inv, W.RetailPrice, W.Warehouse, W.LineComment, W.catalogID, "
        "W.LastQty, W.OrderCount, W.Filter, W.HTDItemCount from WorkOrderItems W where W.AccountID=%d and "
        "W.WorkOrderID=%d and W.ItemID=%d order by W.LineItemNumber",
        m_accountId, m_workOrderId, itemId);
    if (items.Open(sql) == 0 || items.IsEOF())
        return false;
    OrderGuideRow& r = m_line;
    const int cases = items.GetFieldValueInt(0);
    const int singles = items.GetFieldValueInt(1);
    r.units = cases * r.qtyPerCase + singles;
    r.casePrice = items.GetFieldValueFloat(2);
    r.singlePrice = items.GetFieldValueFloat(3);
    r.lineItemNumber = items.GetFieldValueInt(4);
    r.specialFlag = static_cast<unsigned>(std::max(0.0, Amount::LeadingNumber(items.GetFieldValueString(5))));
    r.discount = Amount::ReadStored(items.GetFieldValueString(6));
    r.priceOverride = Amount::ReadStored(items.GetFieldValueString(7));
    r.par = items.GetFieldValueInt(8);
    r.inv = items.GetFieldValueInt(9);
    r.retailPrice = items.GetFieldValueFloat(10);
    r.warehouse = items.GetFieldValueInt(11);
    r.lineComment = items.GetFieldValueString(12);
    r.catalogId = items.GetFieldValueInt(13);
    r.lastQty = items.GetFieldValueInt(14);
    r.orderCount = items.GetFieldValueInt(15);
    r.filter = items.GetFieldValueInt(16);
    r.htdItemCount = items.GetFieldValueInt(17);
    return true;
}

// A new line after the guide's highest, priced for one unit, written with
// the insert that takes its values one by one.
bool ExpressEntry::AddLine()
{
    OrderGuideRow& r = m_line;
    r.catalogId = m_options.catalogId;
    r.units = 0;
    if (m_price)
        m_price(r.itemId, r.casePrice, r.singlePrice, 1, r.catalogId, 0);
    WorkOrderItems items(m_poolKey);
    if (items.beginTransaction() == 0)
        return false;
    const int highest = items.highestLineNumber(m_accountId, m_workOrderId);
    bool ok = highest >= 0;
    if (ok) {
        r.lineItemNumber = highest + 1;
        ok = items.insertLineValues(m_accountId, m_workOrderId, r.itemId, r.catalogId, 0, 0, r.casePrice, r.singlePrice,
                                    0, 0, r.lineItemNumber, "0", "0.00", "0.00", 0, 0, 0, 0, 0, "", 0) != 0;
    }
    if (ok)
        ok = WorkOrder(m_poolKey).setUpdated(m_accountId, m_workOrderId, 1) != 0;
    if (!ok || items.commitTransaction() == 0) {
        items.rollbackTransaction();
        return false;
    }
    return true;
}

bool ExpressEntry::Lookup()
{
    std::string code = m_entry;
    code.erase(0, code.find_first_not_of(' '));
    code.erase(code.find_last_not_of(' ') + 1);
    m_hasItem = false;
    m_line = {};
    bool found = false;
    if (!code.empty()) {
        Items items(m_poolKey);
        for (const char* column : {"DistributorSKU", "UPC"}) {
            const std::string sql = std::string("select ItemID, Description, QtyPerCase, ProductKind, UPC, "
                                                "DistributorSKU, QtyOnHand, LinePrefix from Items where "
                                                "DeletedFlag = 0 and ") +
                                    column + " = '" + Query::fixApost(code) + "'";
            if (items.Open(sql) == 0 || items.IsEOF())
                continue;
            m_line.itemId = items.GetFieldValueInt(0);
            m_line.description = items.GetFieldValueString(1);
            m_line.qtyPerCase = std::max(1, items.GetFieldValueInt(2));
            m_line.productKind = items.GetFieldValueInt(3);
            m_line.upc = items.GetFieldValueString(4);
            m_line.sku = items.GetFieldValueString(5);
            m_line.stock = items.GetFieldValueInt(6);
            m_line.prefix = items.GetFieldValueString(7);
            found = true;
            break;
        }
    }
    if (!found) {
        m_box.ShowText("Sorry, item not found.", ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        Refresh();
        return Finish(false);
    }
    if (!ReadLine(m_line.itemId)) {
        if (!AddLine()) {
            m_box.ShowText("Unable to add item.", ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
            m_line = {};
            Refresh();
            return Finish(false);
        }
    }
    m_hasItem = true;
    Refresh();
    return Finish(true);
}

void ExpressEntry::Refresh()
{
    Display d;
    if (m_hasItem) {
        const OrderGuideRow& r = m_line;
        d.description = r.description;
        if (m_settings.lineTextPrefix && r.productKind == 2 && !r.prefix.empty())
            d.description = r.prefix + " " + r.description;
        d.sku = r.sku;
        d.upc = r.upc;
        d.casePrice = Money(r.casePrice);
        d.singlePrice = Money(r.singlePrice);
        d.onHand = std::to_string(r.stock);
        d.par = std::to_string(r.par);
        d.inventory = std::to_string(r.inv);
        d.quantity =
            m_settings.quantitiesInUnits ? std::to_string(r.units) : SqlText::Format("%d / %d", r.Cases(), r.Singles());
        d.deal = r.specialFlag ? SqlText::Format("%u", r.specialFlag) : std::string();
        d.discount = Amount::IsZero(r.discount) ? std::string() : Money(r.discount);
        d.priceOverride = Amount::IsZero(r.priceOverride) ? std::string() : Money(r.priceOverride);
    }
    m_display = d;
}

bool ExpressEntry::WriteLine(const OrderGuideRow& line)
{
    WorkOrderItems items(m_poolKey);
    if (items.beginTransaction() == 0)
        return false;
    bool ok = items.updateLine(OrderGuide::ToLine(line, m_accountId, m_workOrderId)) != 0 &&
              WorkOrder(m_poolKey).setUpdated(m_accountId, m_workOrderId, 1) != 0;
    if (!ok || items.commitTransaction() == 0) {
        items.rollbackTransaction();
        return false;
    }
    return true;
}

bool ExpressEntry::WriteQuantities(const OrderGuideRow& line)
{
    WorkOrderItems items(m_poolKey);
    if (items.beginTransaction() == 0)
        return false;
    bool ok = items.updateQuantities(m_accountId, m_workOrderId, line.lineItemNumber, line.Cases(), line.Singles(),
                                     line.par, line.inv) != 0 &&
              WorkOrder(m_poolKey).setUpdated(m_accountId, m_workOrderId, 1) != 0;
    if (!ok || items.commitTransaction() == 0) {
        items.rollbackTransaction();
        return false;
    }
    return true;
}

namespace {
// The line as it will be: the screen's state changes only once written.
bool Commit(bool written, OrderGuideRow& current, const OrderGuideRow& next, IMessageBox& box)
{
    if (!written) {
        box.ShowText("Unable to save the change to the order guide.", ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    current = next;
    return true;
}
} // namespace

bool ExpressEntry::Cases()
{
    int n = 0;
    if (!m_hasItem || !Number(n) || !ConfirmCases(n))
        return Finish(false);
    OrderGuideRow next = m_line;
    next.units = n * next.qtyPerCase + m_line.Singles();
    const bool ok = Commit(WriteLine(next), m_line, next, m_box);
    Refresh();
    return Finish(ok);
}

bool ExpressEntry::Singles()
{
    int n = 0;
    if (!m_hasItem || !Number(n))
        return Finish(false);
    OrderGuideRow next = m_line;
    if (n < next.qtyPerCase) {
        next.units = m_line.Cases() * next.qtyPerCase + n;
    } else {
        // A whole case or more of singles carries into cases, under the same cap and question.
        if (!ConfirmCases(n / next.qtyPerCase))
            return Finish(false);
        next.units = n;
    }
    const bool ok = Commit(WriteLine(next), m_line, next, m_box);
    Refresh();
    return Finish(ok);
}

bool ExpressEntry::Zero()
{
    if (!m_hasItem)
        return Finish(false);
    OrderGuideRow next = m_line;
    next.units = 0;
    next.inv = 0;
    const bool ok = Commit(WriteQuantities(next), m_line, next, m_box);
    Refresh();
    if (ok && m_settings.quantitiesInUnits)
        m_display.quantity = " 0";
    return Finish(ok);
}

bool ExpressEntry::Deal()
{
    int n = 0;
    if (!m_hasItem || !Number(n))
        return Finish(false);
    if (n < m_settings.dealCodeMin || n > m_settings.dealCodeMax) {
        m_box.ShowText("Sorry, but the deal code submitted is invalid.", ids::kCaptionError, MbButtons::Ok,
                       MbIcon::Stop);
        return Finish(false);
    }
    OrderGuideRow next = m_line;
    next.specialFlag = static_cast<unsigned>(n);
    const bool ok = Commit(WriteLine(next), m_line, next, m_box);
    Refresh();
    return Finish(ok);
}

bool ExpressEntry::Discount()
{
    if (!m_hasItem || m_entry.empty())
        return Finish(false);
    const std::optional<float> v = Amount::ParseTyped(m_entry, false);
    if (!v)
        return Finish(false);
    if (Amount::Cents(*v) < 0) {
        m_box.ShowText("The discount cannot be less than zero.", ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
        return Finish(false);
    }
    OrderGuideRow next = m_line;
    next.discount = static_cast<float>(Amount::Cents(*v)) / 100.0f;
    const bool ok = Commit(WriteLine(next), m_line, next, m_box);
    Refresh();
    return Finish(ok);
}

bool ExpressEntry::Override()
{
    if (!m_hasItem)
        return Finish(false);
    OrderGuideRow next = m_line;
    if (m_entry.empty()) {
        if (Amount::IsFree(m_line.priceOverride))
            return Finish(false);
        next.priceOverride = Amount::kFree;
    } else {
        const std::optional<float> v = Amount::ParseTyped(m_entry, false);
        if (!v)
            return Finish(false);
        next.priceOverride = Amount::IsFree(*v) ? Amount::kFree : static_cast<float>(Amount::Cents(*v)) / 100.0f;
    }
    const bool ok = Commit(WriteLine(next), m_line, next, m_box);
    Refresh();
    return Finish(ok);
}

bool ExpressEntry::InvPar()
{
    int n = 0;
    if (!m_hasItem || !Number(n))
        return Finish(false);
    OrderGuideRow next = m_line;
    if (!m_options.invParEntersInventory) {
        next.par = n;
    } else if (!m_options.invParFillsToPar) {
        next.inv = n;
    } else {
        next.par = n;
        if (next.inv <= n) {
            const int cases = n - next.inv;
            if (cases > kCaseCap) {
                m_box.ShowText("Case quantities are not allowed to go over 999.", ids::kCaptionError, MbButtons::Ok,
                               MbIcon::Stop);
                return Finish(false);
            }
            next.units = cases * next.qtyPerCase + m_line.Singles();
        }
    }
    const bool ok = Commit(WriteQuantities(next), m_line, next, m_box);
    Refresh();
    return Finish(ok);
}

} // namespace zev
