#pragma once

#include "app/core/Screen.h"

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

// Where a command sits and what it does. `screen` None: not a screen switch.
// `switchByte`: the distributor record byte that must be 1 for the command to
// be offered (-1: always); `altSwitchByte` a second byte that also suffices.
struct CommandDef {
    int id;
    const char* menu; // submenu of "JumpTo", or "" for a direct item
    const char* text;
    const char* statusText;
    Screen screen;
    int switchByte;
    int altSwitchByte;
    const char* shortcut;
    const char* themeIcon;   // freedesktop icon name
    const char* bundledIcon; // fallback in the resources
};

inline constexpr CommandDef kCommands[] = {
    {kCmdAccounts, "&Account", "&Accounts", "Account List", Screen::Accounts, -1, -1, "Ctrl+L", "system-users",
     ":/icons/accounts.png"},
    {kCmdAccountDetails, "&Account", "Account&Details", "Show account's details", Screen::AccountDetails, 12, -1,
     "Ctrl+D", "contact-new", ":/icons/details.png"},
    {kCmdSalesData, "&Account", "&Sales Data", "Sales Data", Screen::SalesData, 21, -1, "Ctrl+T", "office-chart-bar",
     ":/icons/sales.png"},
    {kCmdOrderGuide, "&Orders", "Order&Guide", "Order Guide", Screen::OrderGuide, -1, -1, "Ctrl+G",
     "x-office-spreadsheet", ":/icons/orderguide.png"},
    {kCmdExpressEntry, "&Orders", "&Express Entry", "Express Entry", Screen::ExpressEntry, 24, -1, "Ctrl+E",
     "document-edit", ":/icons/express.png"},
    {kCmdRecentOrders, "&Orders", "&Recent Orders", "Recent Orders", Screen::RecentOrders, 18, -1, "Ctrl+R",
     "document-open-recent", ":/icons/recent.png"},
    {kCmdReadyOrders, "&Orders", "Read&y Orders", "Ready Orders", Screen::ReadyOrders, -1, -1, "Ctrl+Y", "mail-outbox",
     ":/icons/ready.png"},
    {kCmdOrderHistory, "&Orders", "Order &History", "Order History", Screen::OrderHistory, 14, -1, "Ctrl+H",
     "view-history", ":/icons/history.png"},
    {kCmdOpenOrders, "&Orders", "&Open Orders", "Open Orders", Screen::OpenOrders, 28, -1, "Ctrl+O", "folder-open",
     ":/icons/openorders.png"},
    {kCmdProductBrowse, "&Product", "&Browse", "Product Categories", Screen::None, -1, -1, "Ctrl+B", "view-list-tree",
     ":/icons/browse.png"},
    {kCmdProductSearch, "&Product", "&Search", "Product Search", Screen::None, 22, -1, "Ctrl+F", "edit-find",
     ":/icons/search.png"},
    {kCmdPromotions, "&Product", "&Promotions", "Promotions", Screen::Promotions, 17, -1, "Ctrl+Shift+P",
     "emblem-favorite", ":/icons/promotions.png"},
    {kCmdReceivables, "", "Accounts Re&ceivable", "Accounts Receivable", Screen::Receivables, 16, -1, "Ctrl+Shift+R",
     "accessories-calculator", ":/icons/receivables.png"},
    {kCmdMessageCenter, "", "&Message Center", "Message Center", Screen::MessageCenter, 23, -1, "Ctrl+Shift+M",
     "mail-message", ":/icons/messages.png"},
    {kCmdReports, "", "Re&ports", "Reports", Screen::Reports, 200, 30, "Ctrl+Shift+T", "x-office-document",
     ":/icons/reports.png"},
    {kCmdMaintenance, "", "Mai&ntenance", "Maintenance", Screen::Maintenance, -1, -1, "Ctrl+M", "view-refresh",
     ":/icons/maintenance.png"},
    {kCmdExit, "", "E&xit", "Exit", Screen::None, -1, -1, "Ctrl+Q", "application-exit", ":/icons/exit.png"},
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
    Screen screen;
    int titleNumber;
};

inline constexpr ScreenDef kScreens[] = {
    {Screen::Login, -1},        {Screen::Maintenance, 40},    {Screen::InitialSetup, 39}, {Screen::Accounts, 9},
    {Screen::OrderGuide, 16},   {Screen::AccountDetails, 11}, {Screen::Receivables, 22},  {Screen::ExpressEntry, 19},
    {Screen::RecentOrders, 15}, {Screen::SalesData, 21},      {Screen::OrderSummary, 24}, {Screen::DeliveryOptions, 25},
    {Screen::ReadyOrders, 17},  {Screen::OrderHistory, 18},   {Screen::Promotions, 26},   {Screen::MessageCenter, -1},
    {Screen::OpenOrders, 48},   {Screen::Survey, 46},         {Screen::Reports, -1},
};

} // namespace zev
