#include "tools/demogen/DemoAccountsBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zev::demo {

using server::SqlDatabase;

void DemoAccountsBuilder::Run()
{
    Accounts();
    Guides();
    History();
    OpenOrders();
    Receivables();
}

std::string DemoAccountsBuilder::DayString(int pattern)
{
    switch (pattern) {
    case 0:
        return "YYYYYYY";
    case 1:
        return "NYYYYYN";
    default: {
        std::string days = "NNNNNNN";
        days[static_cast<size_t>(m_random.Between(1, 5))] = 'Y';
        if (m_random.Chance(0.4))
            days[static_cast<size_t>(m_random.Between(1, 5))] = 'Y';
        return days;
    }
    }
}

void DemoAccountsBuilder::Accounts()
{
    int total = m_options.scale ? 2000 : 120;
    for (int n = 0; n < total; ++n) {
        Account account{};
        account.id = 5001 + n;
        account.rep = n % 2 == 0 ? kRepA : kRepB;
        account.onPremise = m_random.Chance(0.55);
        account.tier = m_random.Between(0, 5);
        account.catalog = account.onPremise ? 20 : (m_random.Chance(0.2) ? 30 : 10);
        // Some accounts are called on every day (every weekday for most), so any day's itinerary has
        // calls.
        int pattern = n % 20 < 2 ? 0 : n % 10 < 4 ? 1 : 2;
        std::string appt = DayString(pattern);
        std::string name = m_random.Pick(kPlaceFirst);
        name += std::string(" ") + (account.onPremise ? m_random.Pick(kOnPremise) : m_random.Pick(kOffPremise));
        auto city = m_random.Pick(kCities);
        std::string street = std::to_string(m_random.Between(10, 9999));
        street += std::string(" ") + m_random.Pick(kStreets);
        auto& w = Writer("Accounts");
        w.Set("AccountID", account.id)
            .Set("CompanyName", name)
            .Set("ContactName", Name())
            .Set("AltContactName", m_random.Chance(0.5) ? Name() : "")
            .Set("Address1", street)
            .Set("Address2", m_random.Chance(0.2) ? "Suite " + std::to_string(m_random.Between(100, 400)) : "")
            .Set("City", city.first)
            .Set("State", city.second)
            .Set("Zip", "97" + m_random.Digits(3))
            .Set("Phone", Phone())
            .Set("Fax", m_random.Chance(0.5) ? Phone() : "")
            .Set("NoSplitCaseCharge", m_random.Chance(0.3) ? 1 : 0)
            .Set("ApptDays", appt)
            .Set("DelivDays", m_random.Pick({"NYNYNYN", "NNYNYNN", "NYYYYYN", "NYNNYNN"}))
            .Set("AccountNumber", "A" + Format("%05lld", 10000 + n))
            .Set("PricingTier", account.tier)
            .Set("DistRepID", std::stoi(account.rep))
            .Set("Email", "buyer" + std::to_string(account.id) + "@example.com")
            .Set("LiquorLicenseNumber", m_random.Chance(0.05) ? "" : "OLCC-" + m_random.Digits(6))
            .Set("Comment1", m_random.Chance(0.3) ? "Prefers morning deliveries" : "")
            .Set("Comment2", m_random.Chance(0.2) ? "Ask about the new by-the-glass list" : "")
            .Set("CatalogIDs", account.catalog == 10 ? "10" : std::to_string(account.catalog) + ",10")
            .Set("AcctStatus", m_random.Between(0, 3))
            .Set("Updated", 0)
            .Set("CreditLimit", Cents(m_random.Between(2000.0, 25000.0)))
            .Set("CreditTerms", m_random.Pick({"COD", "Net 15", "Net 30"}))
            .Set("BillToCompany", name)
            .Set("BillToAddress1", "PO Box " + m_random.Digits(4))
            .Set("BillToCity", city.first)
            .Set("BillToState", city.second)
            .Set("BillToZip", "97" + m_random.Digits(3))
            .Set("CustomerType", account.onPremise ? 1 : 0)
            .Set("Warehouse", m_random.Chance(0.7) ? 1 : 2)
            .Set("YTDSales", Cents(m_random.Between(5000.0, 180000.0)))
            .Set("LYTDSales", Cents(m_random.Between(5000.0, 160000.0)));
        if (m_random.Chance(0.9))
            w.Set("LastVisitDate", DateText(m_today - m_random.Between(1, 14)));
        for (int d = 0; d < 7; ++d) {
            std::string time =
                appt[static_cast<size_t>(d)] == 'Y' ? Format("%04lld", 800 + 100 * m_random.Between(0, 8)) : "";
            w.Set("ApptTime" + std::to_string(d + 1), time);
        }
        Put("Accounts", account.rep);
        AccountExtras(account);
        m_accounts.push_back(account);
    }
}

void DemoAccountsBuilder::AccountExtras(const Account& a)
{
    auto attribute = [&](const char* name, const std::string& value) {
        Writer("AccountAttributes").Set("AccountID", a.id).Set("AttributeName", name).Set("AttributeValue", value);
        Put("AccountAttributes", a.rep);
    };
    if (a.onPremise) {
        attribute("Seats", std::to_string(m_random.Between(20, 220)));
        attribute("Wines by the glass", std::to_string(m_random.Between(4, 40)));
    } else {
        attribute("Store size (sq ft)", std::to_string(m_random.Between(800, 12000)));
        attribute("Cold box doors", std::to_string(m_random.Between(2, 30)));
    }
    double ytd = Cents(m_random.Between(5000.0, 150000.0));
    double quota = Cents(ytd * m_random.Between(0.8, 1.3));
    auto& w = Writer("AccountSalesData");
    w.Set("AccountID", a.id)
        .Set("BalanceAmount", Cents(m_random.Between(0.0, 4000.0)))
        .Set("MTDAmount", Cents(ytd / 12 * m_random.Between(0.5, 1.2)))
        .Set("QTDAmount", Cents(ytd / 4 * m_random.Between(0.5, 1.2)))
        .Set("YTDAmount", ytd)
        .Set("LYTDAmount", Cents(ytd * m_random.Between(0.7, 1.2)))
        .Set("PastDueAmount", m_random.Chance(0.2) ? Cents(m_random.Between(50.0, 900.0)) : 0.0)
        .Set("BalanceQuota", Cents(quota / 12))
        .Set("MTDQuota", Cents(quota / 12))
        .Set("QTDQuota", Cents(quota / 4))
        .Set("YTDQuota", quota)
        .Set("LYTDQuota", Cents(quota * 0.95))
        .Set("PastDueQuota", 0.0);
    Put("AccountSalesData", a.rep);
}

double DemoAccountsBuilder::CasePrice(const Item& item, const Account& a) const
{
    double factor = a.catalog == 20 && item.inCatalog20 ? 1.04 : a.catalog == 30 && item.inCatalog30 ? 0.97 : 1.0;
    return Cents(item.casePrice * factor * (1.0 - 0.02 * a.tier));
}

void DemoAccountsBuilder::Guides()
{
    for (Account& a : m_accounts) {
        Writer("WorkOrder").Set("AccountID", a.id).Set("WorkOrderID", a.id).Set("Updated", 0).Set("Active", 1);
        Put("WorkOrder", a.rep);
        int lines = m_random.Between(15, 40);
        while (static_cast<int>(a.guide.size()) < lines) {
            size_t i = RandomItem(a.onPremise);
            if (std::find(a.guide.begin(), a.guide.end(), i) == a.guide.end())
                a.guide.push_back(i);
        }
        int number = 1;
        for (size_t i : a.guide) {
            const Item& item = m_items[i];
            double c = CasePrice(item, a);
            int lastQty = m_random.Chance(0.7) ? m_random.Between(1, 5) * item.qtyPerCase : 0;
            if (lastQty > 0)
                lastQty += m_random.Below(item.qtyPerCase);
            Writer("WorkOrderItems")
                .Set("AccountID", a.id)
                .Set("WorkOrderID", a.id)
                .Set("ItemID", item.id)
                .Set("catalogID", a.catalog)
                .Set("CaseQTY", 0)
                .Set("SingleQTY", 0)
                .Set("CDistPrice", c)
                .Set("SDistPrice", Cents(c / item.qtyPerCase * 1.1))
                .Set("LastQty", lastQty)
                .Set("OrderCount", m_random.Between(0, 30))
                .Set("LineItemNumber", number++)
                .Set("SpecialFlag", "0")
                .Set("DiscountAmount", "0")
                .Set("PriceOverride", "0")
                .Set("Par", m_random.Chance(0.4) ? m_random.Between(1, 4) * item.qtyPerCase : 0)
                .Set("Inv", 0)
                .Set("RetailPrice", Cents(c / item.qtyPerCase * 1.5))
                .Set("Warehouse", 0)
                .Set("Filter", m_random.Chance(0.5)   ? 1
                               : m_random.Chance(0.3) ? 4
                                                      : 0)
                .Set("LineComment", "")
                .Set("HTDItemCount", m_random.Between(0, 12))
                .Set("Updated", 0);
            Put("WorkOrderItems", a.rep);
            Writer("ItemHistory")
                .Set("AccountID", a.id)
                .Set("ItemID", item.id)
                .Set("YTDPurchaseQty", m_random.Between(0, 40) * item.qtyPerCase)
                .Set("OnOrderQty", m_random.Chance(0.1) ? item.qtyPerCase : 0)
                .Set("YTDOrderCount", m_random.Between(0, 25))
                .Set("LastOrderDate", DateText(m_today - m_random.Between(1, 90)));
            Put("ItemHistory", a.rep);
        }
        for (size_t i : a.guide) {
            if (m_items[i].kind == Kind::Wine && m_random.Chance(0.03)) {
                Writer("ApportionedItems")
                    .Set("AccountID", a.id)
                    .Set("ItemID", m_items[i].id)
                    .Set("ApportionedQuantity", m_random.Between(1, 6) * m_items[i].qtyPerCase)
                    .Set("Premise", a.onPremise ? 1 : 2);
                Put("ApportionedItems", a.rep);
            }
        }
    }
}

void DemoAccountsBuilder::History()
{
    // About a year of invoiced orders, spread so the line count reaches the target.
    long target = m_options.scale ? 300000 : 24000;
    double linesPerOrder = 5.5;
    double ordersPerAccount = target / linesPerOrder / static_cast<double>(m_accounts.size());
    double interval = std::max(1.0, 365.0 / ordersPerAccount);
    long orderNumber = 700001;
    long lines = 0;
    for (const Account& a : m_accounts) {
        // The first accounts of each representative also ordered today and yesterday, which the
        // program refreshes at every synchronisation.
        for (double t = 365.0 - m_random.Between(0.0, interval); lines < target && t >= 0; t -= interval) {
            long day = m_today - static_cast<long>(t);
            if (a.id < 5005)
                day = std::min(day, m_today);
            Order(a, orderNumber++, day, lines);
        }
        if (a.id < 5005) {
            Order(a, orderNumber++, m_today - 1, lines);
            Order(a, orderNumber++, m_today, lines);
        }
    }
    m_db.Exec("update Accounts set LastOrder = (select max(TransDate) from OrderHistory o where o.AccountID = "
              "Accounts.AccountID)");
}

void DemoAccountsBuilder::Order(const Account& a, long number, long day, long& lineCount)
{
    int lines = m_random.Between(3, 8);
    double total = 0;
    int hour = m_random.Between(8, 17);
    std::string date = DateText(day, hour, m_random.Between(0, 59), 0);
    bool invoiced = day < m_today - 1;
    for (int l = 1; l <= lines; ++l) {
        const Item& item = m_items[a.guide[static_cast<size_t>(m_random.Below(static_cast<int>(a.guide.size())))]];
        int cases = m_random.Between(0, 5);
        int singles = cases == 0             ? m_random.Between(1, std::max(1, item.qtyPerCase - 1))
                      : m_random.Chance(0.2) ? m_random.Between(1, std::max(1, item.qtyPerCase - 1))
                                             : 0;
        if (item.qtyPerCase == 1) {
            cases = std::max(cases, 1);
            singles = 0;
        }
        double c = CasePrice(item, a);
        double s = Cents(c / item.qtyPerCase * 1.1);
        double ext = Cents(cases * c + singles * s);
        total += ext;
        Writer("OrderHistoryItems")
            .Set("OrderNumber", static_cast<long long>(number))
            .Set("LineNumber", l)
            .Set("ItemID", item.id)
            .Set("DistributorSKU", item.sku)
            .Set("CQty", cases)
            .Set("SQty", singles)
            .Set("CQtyShipped", invoiced ? cases : 0)
            .Set("SQtyShipped", invoiced ? singles : 0)
            .Set("CPrice", c)
            .Set("SPrice", s)
            .Set("ExtPrice", ext)
            .Set("TransDate", date);
        Put("OrderHistoryItems", a.rep);
        ++lineCount;
    }
    Writer("OrderHistory")
        .Set("OrderNumber", static_cast<long long>(number))
        .Set("AccountID", a.id)
        .Set("DistInvoice", "INV" + std::to_string(number))
        .Set("TransDate", date)
        .Set("ActivateDate", date)
        .Set("TransmitDate", date)
        .Set("SiteID", invoiced ? 3 : 1)
        .Set("OrderTotal", Cents(total))
        .Set("OrderType", 0)
        .Set("DeliveryDate", DateText(day + m_random.Between(1, 3)))
        .Set("DistRepID", std::stoi(a.rep))
        .Set("Status", invoiced ? "Invoiced" : "Open")
        .Set("PONumber", m_random.Chance(0.3) ? "PO" + m_random.Digits(5) : "");
    Put("OrderHistory", a.rep);
}

void DemoAccountsBuilder::OpenOrders()
{
    int invoice = 880001;
    for (const Account& a : m_accounts) {
        if (!m_random.Chance(0.3))
            continue;
        int orders = m_random.Between(1, 2);
        for (int o = 0; o < orders; ++o) {
            std::string number = "SO" + std::to_string(invoice++);
            bool backorder = m_random.Chance(0.5);
            int lines = m_random.Between(1, 4);
            double total = 0;
            for (int l = 1; l <= lines; ++l) {
                const Item& item =
                    m_items[a.guide[static_cast<size_t>(m_random.Below(static_cast<int>(a.guide.size())))]];
                bool inCases = m_random.Chance(0.7);
                int ordered = inCases ? m_random.Between(1, 5) * item.qtyPerCase : m_random.Between(1, 11);
                int shipped = backorder ? ordered / 2 : 0;
                double ext = Cents(CasePrice(item, a) / item.qtyPerCase * ordered);
                total += ext;
                Writer("OpenOrderItems")
                    .Set("AccountID", a.id)
                    .Set("InvoiceNumber", number)
                    .Set("LineNumber", l)
                    .Set("ItemID", item.id)
                    .Set("QtyOrdered", ordered)
                    .Set("CaseFlag", inCases ? 1 : 0)
                    .Set("ExtPrice", ext)
                    .Set("QtyShipped", shipped);
                Put("OpenOrderItems", a.rep);
            }
            Writer("OpenOrders")
                .Set("AccountID", a.id)
                .Set("InvoiceNumber", number)
                .Set("ItemCount", lines)
                .Set("InvoiceTotal", Cents(total))
                .Set("TSOrderType", backorder ? m_random.Pick({"BO", "MO", "IN"}) : "SO")
                .Set("InvoiceDate", DateText(m_today - m_random.Between(1, 20)))
                .Set("DeliveryDate", DateText(m_today + m_random.Between(1, 10)))
                .Set("PONumber", m_random.Chance(0.3) ? "PO" + m_random.Digits(5) : "");
            Put("OpenOrders", a.rep);
        }
    }
}

void DemoAccountsBuilder::Receivables()
{
    long invoice = 450001;
    for (const Account& a : m_accounts) {
        if (!m_random.Chance(0.5))
            continue;
        int count = m_random.Between(1, 4);
        double balance = 0;
        for (int i = 0; i < count; ++i) {
            long date = m_today - m_random.Between(3, 75);
            double amount = Cents(m_random.Between(80.0, 3500.0));
            bool partial = m_random.Chance(0.2);
            double paid = partial ? Cents(amount * m_random.Between(0.1, 0.6)) : 0.0;
            balance += amount - paid;
            Writer("AR")
                .Set("AccountID", a.id)
                .Set("InvoiceNo", "INV" + std::to_string(invoice++))
                .Set("DistRepID", m_random.Chance(0.9) ? std::stoi(a.rep) : 0)
                .Set("InvoiceDate", DateText(date))
                .Set("InvoiceDueDate", DateText(date + 30))
                .Set("InvoiceAmount", amount)
                .Set("AmountCollectedTotal", paid)
                .Set("AmountCollectedToday", 0.0)
                .Set("Collected", 0)
                .Set("Updated", 0)
                .Set("PaymentType", partial ? 1 : 0)
                .Set("Comments", date + 30 < m_today ? "Past due" : "")
                .Set("CheckNumber", partial ? m_random.Digits(4) : "")
                .Set("Deposited", 0)
                .Set("DepAttrib1", "")
                .Set("DepAttrib2", "")
                .Set("PaymentStatus", partial ? 1 : 0)
                .Set("LatestPaymentAmount", paid);
            if (partial)
                Writer("AR").Set("LatestPaymentDate", DateText(date + m_random.Between(1, 20)));
            Put("AR", a.rep);
        }
        m_db.Prepare("update Accounts set BalanceDue = ?, LastPaymentDate = ? where AccountID = ?")
            .Bind(1, Cents(balance))
            .Bind(2, DateText(m_today - m_random.Between(5, 40)))
            .Bind(3, a.id)
            .Run();
    }
}

} // namespace zev::demo
