#include "orders/RecentOrders.h"

#include "tables/SqlText.h"
#include "tabula/Query.h"

#include <cstdio>

namespace zev {

namespace {

std::time_t LocalTime(int year, int month, int day)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day; // mktime carries days outside the month into the next or previous
    t.tm_isdst = -1;
    return std::mktime(&t);
}

std::string Iso(std::time_t t)
{
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

std::string Shown(std::time_t t)
{
    if (t < 0)
        return {};
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%m/%d/%Y", &local);
    return text;
}

} // namespace

const char* RecentOrders::Name(Period period)
{
    switch (period) {
    case Period::Today:
        return "Today's Orders";
    case Period::Yesterday:
        return "Yesterday's Orders";
    case Period::ThisWeek:
        return "This Week's Orders";
    case Period::ThisMonth:
        return "This Month's Orders";
    case Period::Open:
        break;
    }
    return "Open Order";
}

RecentOrders::Range RecentOrders::RangeOf(Period period, std::time_t now)
{
    std::tm today{};
    localtime_r(&now, &today);
    const int y = today.tm_year + 1900;
    const int m = today.tm_mon + 1;
    const int d = today.tm_mday;
    switch (period) {
    case Period::Today:
        return {LocalTime(y, m, d), LocalTime(y, m, d + 1)};
    case Period::Yesterday:
        return {LocalTime(y, m, d - 1), LocalTime(y, m, d)};
    case Period::ThisWeek:
        return {LocalTime(y, m, d - today.tm_wday), LocalTime(y, m, d - today.tm_wday + 7)};
    case Period::ThisMonth:
        return {LocalTime(y, m, 1), LocalTime(y, m + 1, 1)};
    case Period::Open:
        break;
    }
    return {};
}

std::time_t RecentOrders::ParseStamp(const std::string& text)
{
    std::string t = SqlText::Trim(text);
    if (t.rfind("{ts '", 0) == 0)
        t = t.substr(5);
    int a = 0, b = 0, c = 0, hh = 0, mm = 0, ss = 0;
    if (std::sscanf(t.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &a, &b, &c, &hh, &mm, &ss) >= 3 ||
        (std::sscanf(t.c_str(), "%2d/%2d/%4d", &b, &c, &a) == 3)) {
        if (a < 1900 || b < 1 || b > 12 || c < 1 || c > 31)
            return -1;
        std::tm tm{};
        tm.tm_year = a - 1900;
        tm.tm_mon = b - 1;
        tm.tm_mday = c;
        tm.tm_hour = hh;
        tm.tm_min = mm;
        tm.tm_sec = ss;
        tm.tm_isdst = -1;
        return std::mktime(&tm);
    }
    return -1;
}

std::string RecentOrders::SentStatement(const Range& range)
{
    return SqlText::Format(
        "select H.OrderNumber, H.AccountID, A.CompanyName, H.DistInvoice, H.TransDate, H.OrderTotal, "
        "(select count(*) from OrderHistoryItems I where I.OrderNumber = H.OrderNumber) from OrderHistory H left join "
        "Accounts A on A.AccountID = H.AccountID where H.TransDate >= '%s' and H.TransDate < '%s' order by "
        "H.TransDate desc, H.OrderNumber desc",
        Iso(range.from).c_str(), Iso(range.to).c_str());
}

std::vector<RecentOrders::Row> RecentOrders::Load(Period period, std::time_t now, int poolKey)
{
    std::vector<Row> rows;
    const Range range = RangeOf(period, now);
    Query ready("", "", poolKey);
    if (ready.Open("select R.ReadyID, R.AccountID, A.CompanyName, R.CreateTime, "
                   "(select sum(ExtPrice) from ReadyOrderItems I where I.ReadyID = R.ReadyID and I.AccountID = "
                   "R.AccountID), (select count(*) from ReadyOrderItems I where I.ReadyID = R.ReadyID and "
                   "I.AccountID = R.AccountID) from ReadyOrder R left join Accounts A on A.AccountID = R.AccountID "
                   "order by R.ReadyID") != 0) {
        for (; ready.IsEOF() == 0; ready.MoveNext()) {
            const std::time_t created = ParseStamp(ready.GetFieldValueString(3));
            // An unsent order is never hidden for want of a readable date.
            if (period != Period::Open && created >= 0 && (created < range.from || created >= range.to))
                continue;
            Row r;
            r.sent = false;
            r.readyId = ready.GetFieldValueInt(0);
            r.accountId = ready.GetFieldValueInt(1);
            r.account = SqlText::Trim(ready.GetFieldValueString(2));
            r.number = "Ready " + std::to_string(r.readyId);
            r.date = Shown(created);
            r.total = ready.GetFieldValueDouble(4);
            r.lines = ready.GetFieldValueInt(5);
            rows.push_back(std::move(r));
        }
    }
    if (period == Period::Open)
        return rows;
    Query sent("", "", poolKey);
    const std::string sql = SentStatement(range);
    if (sent.Open(sql) != 0) {
        for (; sent.IsEOF() == 0; sent.MoveNext()) {
            Row r;
            r.orderNumber = sent.GetFieldValueInt(0);
            r.accountId = sent.GetFieldValueInt(1);
            r.account = SqlText::Trim(sent.GetFieldValueString(2));
            r.number = SqlText::Trim(sent.GetFieldValueString(3));
            if (r.number.empty())
                r.number = std::to_string(r.orderNumber);
            r.date = Shown(ParseStamp(sent.GetFieldValueString(4)));
            r.total = sent.GetFieldValueDouble(5);
            r.lines = sent.GetFieldValueInt(6);
            rows.push_back(std::move(r));
        }
    }
    return rows;
}

OrderDetails RecentOrders::Details(const Row& row, bool quantitiesInUnits, int poolKey)
{
    Query q("", "", poolKey);
    const std::string sql =
        row.sent ? SqlText::Format("select I.Description, O.DistributorSKU, O.CQty, O.SQty, O.ExtPrice, I.QtyPerCase, "
                                   "O.ItemID from OrderHistoryItems O left join Items I on I.ItemID = O.ItemID where "
                                   "O.OrderNumber=%d order by O.LineNumber",
                                   row.orderNumber)
                 : SqlText::Format("select I.Description, I.DistributorSKU, R.CQty, R.SQty, R.ExtPrice, I.QtyPerCase, "
                                   "R.ItemID from ReadyOrderItems R left join Items I on I.ItemID = R.ItemID where "
                                   "R.ReadyID=%d and R.AccountID=%d order by R.LineItemNumber",
                                   row.readyId, row.accountId);
    OrderDetails details;
    details.number = (row.sent ? "Order " : "") + row.number;
    details.date = row.date;
    details.account = row.account;
    details.status = !row.sent ? "Not sent yet" : row.status.empty() ? "Sent" : row.status;
    if (q.Open(sql) != 0) {
        for (; q.IsEOF() == 0; q.MoveNext()) {
            OrderDetails::Line line;
            line.description = SqlText::Trim(q.GetFieldValueString(0));
            line.sku = SqlText::Trim(q.GetFieldValueString(1));
            if (line.description.empty())
                line.description = "Item " + (line.sku.empty() ? std::to_string(q.GetFieldValueInt(6)) : line.sku) +
                                   " (no longer in the catalogue)";
            const int cases = q.GetFieldValueInt(2);
            const int singles = q.GetFieldValueInt(3);
            const int perCase = q.GetFieldValueInt(5) > 0 ? q.GetFieldValueInt(5) : 1;
            line.quantity = quantitiesInUnits ? std::to_string(cases * perCase + singles)
                                              : SqlText::Format("%d / %d", cases, singles);
            line.amount = q.GetFieldValueDouble(4);
            details.lines.push_back(std::move(line));
        }
    }
    return details;
}

int RecentOrders::Waiting(int poolKey)
{
    Query q("", "", poolKey);
    if (q.Open("select count(*) from ReadyOrder") == 0 || q.IsEOF() != 0)
        return 0;
    return q.GetFieldValueInt(0);
}

} // namespace zev
