#include "accounts/Receivables.h"

#include "app/core/TextHelpers.h"
#include "tables/AR.h"
#include "tables/OrderHistory.h"
#include "tables/SqlText.h"
#include "tabula/CVORecordset.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <strings.h>

namespace zev {

namespace {

constexpr const char* kSelect =
    "AR.AccountID, Accounts.CompanyName, Accounts.AccountNumber, AR.DistRepID, AR.InvoiceNo, convert(nvarchar, "
    "AR.InvoiceDate, 101), convert(nvarchar, AR.InvoiceDueDate, 101), AR.InvoiceAmount, AR.AmountCollectedTotal, "
    "AR.AmountCollectedToday, AR.Collected, AR.Updated, AR.PaymentType, AR.Comments, AR.CheckNumber, AR.Deposited, "
    "AR.DepAttrib1, AR.DepAttrib2, AR.PaymentStatus, convert(nvarchar, AR.LatestPaymentDate, 101), "
    "AR.LatestPaymentAmount";

std::int64_t Cents(double amount) { return std::llround(amount * 100.0); }

std::time_t DateOf(const std::string& text)
{
    std::time_t t = 0;
    const std::string trimmed = SqlText::Trim(text);
    if (trimmed.empty() || !ParseDate(trimmed, t))
        return 0;
    return t;
}

bool Ran(Query& q) { return q.getRS() != nullptr && q.getRS()->GetLastError().empty(); }

// Shorter first, then ignoring case: how account and invoice numbers sort.
int CompareNumbers(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return ::strcasecmp(a.c_str(), b.c_str());
}

template <typename T> int Compare(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

} // namespace

Receivables::Receivables(int poolKey) : m_poolKey(poolKey) {}

std::string Receivables::PaymentName(int index)
{
    static const char* const kNames[] = {"Cash", "Check", "Credit Card", "Money Order"};
    return index >= 0 && index < 4 ? kNames[index] : "";
}

bool Receivables::Load(int accountId, bool mineOnly, std::time_t now)
{
    m_items.clear();
    AR ar(m_poolKey);
    const std::string tables = ar.getTableName();
    const std::string join = ar.getJoinCondition();
    std::string sql;
    if (accountId < 0)
        sql = SqlText::Format("select %s from %s where %s and ((AR.Collected=1 and AR.AmountCollectedToday > 0) or "
                              "AR.Collected <> 1 or AR.Collected is NULL) Order by Accounts.CompanyName, "
                              "AR.InvoiceDate ",
                              kSelect, tables.c_str(), join.c_str());
    else
        sql = SqlText::Format("select %s from %s where %s and %s = %d Order by AR.InvoiceDate ASC", kSelect,
                              tables.c_str(), join.c_str(), ar.getKeyColumn().c_str(), accountId);
    const bool read = ar.Open(sql) != 0;
    if (read) {
        for (; ar.IsEOF() == 0; ar.MoveNext()) {
            ARListItem item;
            item.distRepId = ar.GetFieldValueInt(3);
            if (mineOnly && item.distRepId == 0)
                continue;
            item.accountId = ar.GetFieldValueInt(0);
            item.companyName = SqlText::Trim(ar.GetFieldValueString(1));
            ProperCase(item.companyName);
            item.accountNumber = SqlText::Trim(ar.GetFieldValueString(2));
            item.invoiceNo = SqlText::Trim(ar.GetFieldValueString(4));
            item.invoiceDate = DateOf(ar.GetFieldValueString(5));
            item.dueDate = DateOf(ar.GetFieldValueString(6));
            item.invoiceCents = Cents(ar.GetFieldValueDouble(7));
            item.collectedTotalCents = Cents(ar.GetFieldValueDouble(8));
            item.collectedTodayCents = Cents(ar.GetFieldValueDouble(9));
            item.collected = ar.GetFieldValueInt(10) == 1;
            item.updated = ar.GetFieldValueInt(11) == 1;
            item.paymentType = ar.GetFieldValueInt(12);
            item.comments = SqlText::Trim(ar.GetFieldValueString(13));
            item.checkNumber = SqlText::Trim(ar.GetFieldValueString(14));
            item.deposited = ar.GetFieldValueInt(15) == 1;
            item.paymentStatus = ar.GetFieldValueInt(18);
            item.latestPaymentDate = DateOf(ar.GetFieldValueString(19));
            item.latestPaymentCents = Cents(ar.GetFieldValueDouble(20));
            item.ageDays = item.invoiceDate == 0 ? 0 : static_cast<int>((now - item.invoiceDate) / 86400);
            m_items.push_back(std::move(item));
        }
    }
    Recount();
    return read || Ran(ar);
}

// Totals and the running amount due follow the load order.
void Receivables::Recount()
{
    m_totalInvoiced = 0;
    m_totalDue = 0;
    for (ARListItem& item : m_items) {
        m_totalInvoiced += item.invoiceCents;
        m_totalDue += item.OpenCents();
        item.runningDueCents = m_totalDue;
    }
}

bool Receivables::LoadAccounts(std::vector<ARAccount>& accounts) const
{
    accounts.clear();
    AR ar(m_poolKey);
    if (ar.Open(SqlText::Format("select distinct AR.AccountID, Accounts.CompanyName, Accounts.AccountNumber from %s "
                                "where %s order by Accounts.CompanyName",
                                ar.getTableName().c_str(), ar.getJoinCondition().c_str())) == 0)
        return Ran(ar);
    for (; ar.IsEOF() == 0; ar.MoveNext()) {
        std::string name = SqlText::Trim(ar.GetFieldValueString(1));
        ProperCase(name);
        accounts.push_back({ar.GetFieldValueInt(0), name + "  (" + SqlText::Trim(ar.GetFieldValueString(2)) + ")"});
    }
    return true;
}

Receivables::CollectButton Receivables::ButtonFor(const ARListItem& item)
{
    if (item.collectedTodayCents == 0)
        return {!item.collected, false};
    if (item.updated)
        return {!item.deposited, true};
    // Today's collection has gone up already: the server holds it now.
    return {false, true};
}

std::int64_t Receivables::LimitCents(const ARListItem& item)
{
    return item.OpenCents() + (item.updated ? item.collectedTodayCents : 0);
}

bool Receivables::WithinLimit(std::int64_t limitCents, std::int64_t amountCents)
{
    // Zero always cancels a collection; anything else must have the limit's
    // sign and not pass it (a limit of 0 leaves nothing to collect).
    if (amountCents == 0)
        return true;
    if (limitCents > 0)
        return amountCents > 0 && amountCents <= limitCents;
    if (limitCents < 0)
        return amountCents < 0 && amountCents >= limitCents;
    return false;
}

std::optional<std::int64_t> Receivables::ParseCents(const std::string& text)
{
    const std::string t = SqlText::Trim(text);
    if (t.empty())
        return std::int64_t{0};
    double value = 0.0;
    const char* begin = t.data();
    const char* end = t.data() + t.size();
    if (*begin == '+')
        ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value) || std::fabs(value) > 1e12)
        return std::nullopt;
    return Cents(value);
}

bool Receivables::Collect(std::size_t index, std::int64_t amountCents, int paymentType, const std::string& checkNumber)
{
    if (index >= m_items.size())
        return false;
    ARListItem next = m_items[index];
    if (next.updated)
        next.collectedTotalCents -= next.collectedTodayCents;
    next.collectedTodayCents = amountCents;
    next.collectedTotalCents += amountCents;
    next.collected = next.collectedTotalCents == next.invoiceCents;
    next.updated = amountCents != 0;
    next.paymentType = paymentType;
    next.checkNumber = SqlText::Trim(checkNumber);

    AR ar(m_poolKey);
    if (ar.beginTransaction() == 0)
        return false;
    ar.Exec(SqlText::Format("Update AR set AR.Collected = %d, AR.AmountCollectedToday=%f, AR.AmountCollectedTotal=%f, "
                            "AR.Updated = %d, AR.PaymentType = %d, AR.CheckNumber = '%s' where AR.AccountID=%d and "
                            "AR.InvoiceNo='%s' ",
                            next.collected ? 1 : 0, static_cast<double>(next.collectedTodayCents) / 100.0,
                            static_cast<double>(next.collectedTotalCents) / 100.0, next.updated ? 1 : 0,
                            next.paymentType, SqlText::Clean(next.checkNumber).c_str(), next.accountId,
                            SqlText::Clean(next.invoiceNo).c_str()));
    if (!Ran(ar) || ar.getRS()->GetRowsAffected() != 1 || ar.commitTransaction() == 0) {
        ar.rollbackTransaction();
        return false;
    }
    m_items[index] = std::move(next);
    Recount();
    return true;
}

void Receivables::Sort(int column)
{
    const int factor = m_sortFactor;
    m_sortFactor = -m_sortFactor;
    auto cmp = [column](const ARListItem& a, const ARListItem& b) {
        switch (column) {
        case 0:
            return ::strcasecmp(a.companyName.c_str(), b.companyName.c_str());
        case 1:
            return CompareNumbers(a.accountNumber, b.accountNumber);
        case 2:
            return CompareNumbers(a.invoiceNo, b.invoiceNo);
        case 3:
            return Compare(a.invoiceDate, b.invoiceDate);
        case 4:
            return Compare(a.dueDate, b.dueDate);
        case 5:
            return Compare(a.OpenCents(), b.OpenCents());
        case 6:
            return Compare(a.collectedTotalCents, b.collectedTotalCents);
        case 7:
            return Compare(a.collectedTodayCents, b.collectedTodayCents);
        case 8:
            return Compare(a.invoiceCents, b.invoiceCents);
        case 9:
            return Compare(a.ageDays, b.ageDays);
        case 10:
            return ::strcasecmp(a.comments.c_str(), b.comments.c_str());
        case 11:
            return Compare(a.runningDueCents, b.runningDueCents);
        case 12:
            return Compare(a.paymentStatus & 1, b.paymentStatus & 1);
        case 13:
            return Compare(a.latestPaymentCents, b.latestPaymentCents);
        case 14:
            return Compare(a.latestPaymentDate, b.latestPaymentDate);
        default:
            return 0;
        }
    };
    std::stable_sort(m_items.begin(), m_items.end(),
                     [&](const ARListItem& a, const ARListItem& b) { return cmp(a, b) * factor < 0; });
}

std::string Receivables::Money(std::int64_t cents)
{
    return SqlText::Format("%.2f", static_cast<double>(cents) / 100.0);
}

std::string Receivables::ShortDate(std::time_t t)
{
    if (t == 0)
        return {};
    std::tm tm{};
    localtime_r(&t, &tm);
    return SqlText::Format("%.2d/%.2d/%.2d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year % 100);
}

std::string Receivables::LongDate(std::time_t t)
{
    if (t == 0)
        return {};
    std::tm tm{};
    localtime_r(&t, &tm);
    return SqlText::Format("%.2d/%.2d/%d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900);
}

std::string Receivables::ColumnText(const ARListItem& item, int column)
{
    auto amount = [](std::int64_t cents) { return SqlText::Format("%5.2lf", static_cast<double>(cents) / 100.0); };
    switch (column) {
    case 0:
        return item.companyName;
    case 1:
        return item.accountNumber;
    case 2:
        return item.invoiceNo;
    case 3:
        return ShortDate(item.invoiceDate);
    case 4:
        return ShortDate(item.dueDate);
    case 5:
        return amount(item.OpenCents());
    case 6:
        return amount(item.collectedTotalCents);
    case 7:
        return amount(item.collectedTodayCents);
    case 8:
        return amount(item.invoiceCents);
    case 9:
        return std::to_string(item.ageDays);
    case 10:
        return item.comments;
    case 11:
        return Money(item.runningDueCents);
    case 12:
        return (item.paymentStatus & 1) != 0 ? "Partial" : "";
    case 13:
        return Money(item.latestPaymentCents);
    case 14:
        return ShortDate(item.latestPaymentDate);
    default:
        return {};
    }
}

std::optional<Receivables::HistoryOrder> Receivables::FindHistoryOrder(const std::string& invoiceNo) const
{
    OrderHistory history(m_poolKey);
    if (history.getByDistInvoice(invoiceNo) == 0 || history.IsEOF() != 0)
        return std::nullopt;
    return HistoryOrder{history.GetFieldValueInt(0), SqlText::Trim(history.GetFieldValueString(3)),
                        SqlText::Trim(history.GetFieldValueString(11))};
}

bool Receivables::LoadDepositRows(std::vector<DepositRow>& rows) const
{
    rows.clear();
    AR ar(m_poolKey);
    if (ar.Open(SqlText::Format("Select %s from %s where %s and AR.AmountCollectedToday <> 0 and (AR.Deposited <> 1 or "
                                "AR.Deposited is NULL)",
                                kSelect, ar.getTableName().c_str(), ar.getJoinCondition().c_str())) == 0)
        return Ran(ar);
    for (; ar.IsEOF() == 0; ar.MoveNext()) {
        DepositRow row;
        row.accountId = ar.GetFieldValueInt(0);
        row.companyName = SqlText::Trim(ar.GetFieldValueString(1));
        ProperCase(row.companyName);
        row.accountNumber = SqlText::Trim(ar.GetFieldValueString(2));
        row.invoiceNo = SqlText::Trim(ar.GetFieldValueString(4));
        row.todayCents = Cents(ar.GetFieldValueDouble(9));
        row.paymentType = ar.GetFieldValueInt(12);
        row.checkNumber = SqlText::Trim(ar.GetFieldValueString(14));
        rows.push_back(std::move(row));
    }
    return true;
}

bool Receivables::Deposit(const std::vector<DepositRow>& checked, const std::string& detail1,
                          const std::string& detail2) const
{
    AR ar(m_poolKey);
    if (ar.beginTransaction() == 0)
        return false;
    const std::string d1 = SqlText::Clean(detail1);
    const std::string d2 = SqlText::Clean(detail2);
    for (auto it = checked.rbegin(); it != checked.rend(); ++it) {
        ar.Exec(SqlText::Format("Update AR set AR.DepAttrib1='%s', AR.DepAttrib2='%s', AR.Deposited=1 where "
                                "AR.AccountID=%d and AR.InvoiceNo='%s'",
                                d1.c_str(), d2.c_str(), it->accountId, SqlText::Clean(it->invoiceNo).c_str()));
        if (!Ran(ar) || ar.getRS()->GetRowsAffected() != 1) {
            ar.rollbackTransaction();
            return false;
        }
    }
    if (ar.commitTransaction() == 0) {
        ar.rollbackTransaction();
        return false;
    }
    return true;
}

} // namespace zev
