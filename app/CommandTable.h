#pragma once

namespace zev {

// Commands of the main window's menu and toolbar.
enum Command {
    kCmdExit = 32772,
    kCmdSignIn = 32773,
    kCmdSetup = 32774,
    kCmdMaintenance = 32775,
    kCmdAccounts = 32776,
    kCmdAccountDetails = 32777,
    kCmdOrderGuide = 32778,
    kCmdRecentOrders = 32779,
    kCmdExpressEntry = 32780,
    kCmdSalesData = 32781,
    kCmdReceivables = 32782,
    kCmdProductSearch = 32793,
    kCmdProductBrowse = 32809,
    kCmdReadyOrders = 32812,
    kCmdOrderHistory = 32832,
    kCmdPromotions = 32859,
    kCmdMessageCenter = 32860,
    kCmdOpenOrders = 32863,
    kCmdReports = 32877,
    kCmdAbout = 57664,
};

// Where a command sits and what it does. `screen` 0: not a screen switch.
// `switchByte`: the distributor record byte that must be 1 for the command to
// be offered (-1: always); `altSwitchByte` a second byte that also suffices.
struct CommandDef {
    int id;
    const char* menu; // submenu of "JumpTo", or "" for a direct item
    const char* text;
    const char* statusText;
    int screen;
    int switchByte;
    int altSwitchByte;
    const char* shortcut;
    const char* themeIcon;   // freedesktop icon name
    const char* bundledIcon; // fallback in the resources
};

inline constexpr CommandDef kCommands[] = {
    {kCmdAccounts, "&Account", "&Accounts", "Account List", 4, -1, -1, "Ctrl+L", "system-users",
     ":/icons/accounts.png"},
    {kCmdAccountDetails, "&Account", "Account&Details", "Show account's details", 6, 12, -1, "Ctrl+D", "contact-new",
     ":/icons/details.png"},
    {kCmdSalesData, "&Account", "&Sales Data", "Sales Data", 10, 21, -1, "Ctrl+T", "office-chart-bar",
     ":/icons/sales.png"},
    {kCmdOrderGuide, "&Orders", "Order&Guide", "Order Guide", 5, -1, -1, "Ctrl+G", "x-office-spreadsheet",
     ":/icons/orderguide.png"},
    {kCmdExpressEntry, "&Orders", "&Express Entry", "Express Entry", 8, 24, -1, "Ctrl+E", "document-edit",
     ":/icons/express.png"},
    {kCmdRecentOrders, "&Orders", "&Recent Orders", "Recent Orders", 9, 18, -1, "Ctrl+R", "document-open-recent",
     ":/icons/recent.png"},
    {kCmdReadyOrders, "&Orders", "Read&y Orders", "Ready Orders", 16, -1, -1, "Ctrl+Y", "mail-outbox",
     ":/icons/ready.png"},
    {kCmdOrderHistory, "&Orders", "Order &History", "Order History", 17, 14, -1, "Ctrl+H", "view-history",
     ":/icons/history.png"},
    {kCmdOpenOrders, "&Orders", "&Open Orders", "Open Orders", 20, 28, -1, "Ctrl+O", "folder-open",
     ":/icons/openorders.png"},
    {kCmdProductBrowse, "&Product", "&Browse", "Product Categories", 0, -1, -1, "Ctrl+B", "view-list-tree",
     ":/icons/browse.png"},
    {kCmdProductSearch, "&Product", "&Search", "Product Search", 0, 22, -1, "Ctrl+F", "edit-find",
     ":/icons/search.png"},
    {kCmdPromotions, "&Product", "&Promotions", "Promotions", 18, 17, -1, "Ctrl+Shift+P", "emblem-favorite",
     ":/icons/promotions.png"},
    {kCmdReceivables, "", "Accounts Re&ceivable", "Accounts Receivable", 7, 16, -1, "Ctrl+Shift+R",
     "accessories-calculator", ":/icons/receivables.png"},
    {kCmdMessageCenter, "", "&Message Center", "Message Center", 19, 23, -1, "Ctrl+Shift+M", "mail-message",
     ":/icons/messages.png"},
    {kCmdReports, "", "Re&ports", "Reports", 22, 200, 30, "Ctrl+Shift+T", "x-office-document", ":/icons/reports.png"},
    {kCmdMaintenance, "", "Mai&ntenance", "Maintenance", 2, -1, -1, "Ctrl+M", "view-refresh",
     ":/icons/maintenance.png"},
    {kCmdExit, "", "E&xit", "Exit", 0, -1, -1, "Ctrl+Q", "application-exit", ":/icons/exit.png"},
};

// The toolbar, in order; 0 is a separator.
inline constexpr int kToolbar[] = {kCmdAccounts,
                                   kCmdAccountDetails,
                                   kCmdSalesData,
                                   0,
                                   kCmdOrderGuide,
                                   kCmdExpressEntry,
                                   kCmdRecentOrders,
                                   kCmdReadyOrders,
                                   kCmdOrderHistory,
                                   0,
                                   kCmdProductBrowse,
                                   kCmdProductSearch,
                                   0,
                                   kCmdReceivables,
                                   kCmdMaintenance};

// Screens the frame knows, with their fixed title numbers (-1: the screen
// sets its own title).
struct ScreenDef {
    int number;
    int titleNumber;
};

inline constexpr ScreenDef kScreens[] = {
    {1, -1},  {2, 40},  {3, 39},  {4, 9},   {5, 16},  {6, 11},  {7, 22},  {8, 19},  {9, 15},  {10, 21},
    {11, 24}, {12, 25}, {16, 17}, {17, 18}, {18, 26}, {19, -1}, {20, 48}, {21, 46}, {22, -1},
};

} // namespace zev
