#pragma once

namespace zev {

// The program's screens by their fixed numbers (the layout records and the
// command table know them by these), typed so that no other number passes
// for one.
enum class Screen : int {
    None = 0,
    Login = 1,
    Maintenance = 2,
    InitialSetup = 3,
    Accounts = 4,
    OrderGuide = 5,
    AccountDetails = 6,
    Receivables = 7,
    ExpressEntry = 8,
    RecentOrders = 9,
    SalesData = 10,
    OrderSummary = 11,
    DeliveryOptions = 12,
    ReadyOrders = 16,
    OrderHistory = 17,
    Promotions = 18,
    MessageCenter = 19,
    OpenOrders = 20,
    Survey = 21,
    Reports = 22,
};

constexpr int ScreenNumber(Screen screen) { return static_cast<int>(screen); }

} // namespace zev
