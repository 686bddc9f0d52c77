#pragma once

#include <cstddef>
#include <cstdint>

// Where everything lives in the distributor settings record (ZevConfig.dat,
// 17714 bytes, little-endian). Code reads the record only through these
// names; a switch is on when its byte holds 1.
namespace zev::cfg {

inline constexpr std::size_t kRecordSize = 17714;
inline constexpr std::uint32_t kMagicValue = 0xABADAD00u;
inline constexpr std::uint16_t kSupportedFormatVersion = 3;

// Header.
inline constexpr std::size_t kMagic = 0;              // uint32
inline constexpr std::size_t kFormatVersion = 8;      // uint16, must be 3
inline constexpr std::size_t kListLayoutVersion = 10; // uint16; a change discards saved list layouts

// Feature switches and small settings, one byte each.
inline constexpr std::size_t kSwitchFirst = 12;
inline constexpr std::size_t kSwitchLast = 267;

inline constexpr std::size_t kAccountDetails = 12;     // menu "AccountDetails", context menu "Details..."
inline constexpr std::size_t kEditAccount = 13;        // account editor, context menu "Edit..."
inline constexpr std::size_t kOrderHistory = 14;       // menu "Order History", BTN_ORDERHISTORY
inline constexpr std::size_t kAccountsReceivable = 16; // menu "Accounts Receivable"
inline constexpr std::size_t kPromotions = 17;         // menu "Promotions"
inline constexpr std::size_t kRecentOrders = 18;       // menu "Recent Orders"
inline constexpr std::size_t kCategoryPage = 19;       // product window: category page present
inline constexpr std::size_t kSalesData = 21;          // menu "Sales Data"
inline constexpr std::size_t kProductSearch = 22;      // menu "Search", search page present
inline constexpr std::size_t kMessageCenter = 23;      // menu "Message Center", new-messages check
inline constexpr std::size_t kExpressEntry = 24;       // menu "Express Entry"
inline constexpr std::size_t kSurveyMenu = 27;         // account list context menu "Survey..."
inline constexpr std::size_t kOpenOrders = 28;         // menu "Open Orders", context menu "Open Orders..."
inline constexpr std::size_t kReports = 30;            // menu "Reports" (or kManagerMode)
inline constexpr std::size_t kQuantitiesInUnits = 31;  // quantities as units alone, single prices hidden
inline constexpr std::size_t kSkuSortsAsText = 33;     // item numbers compare as text with regard to case
inline constexpr std::size_t kAccountNumberSortsAsText = 34;
inline constexpr std::size_t kListsGrowWithWindow = 35;  // screens stretch their lists on resize
inline constexpr std::size_t kAccountSetsWarehouse = 37; // selecting an account sets the current warehouse
inline constexpr std::size_t kUploadInventoryImports = 41;
inline constexpr std::size_t kBackorderKeyByInvoice = 44;
inline constexpr std::size_t kNoteTimeShown = 47;
inline constexpr std::size_t kFaxShown = 48;
inline constexpr std::size_t kAccountAttributes = 49;
inline constexpr std::size_t kAccountForms = 50;
// Account editor: a text field is editable when its byte is 1.
inline constexpr std::size_t kEditCompanyName = 51;
inline constexpr std::size_t kEditContact = 52;
inline constexpr std::size_t kEditAltContact = 53;
inline constexpr std::size_t kEditAddress1 = 54;
inline constexpr std::size_t kEditAddress2 = 55;
inline constexpr std::size_t kEditCity = 56;
inline constexpr std::size_t kEditState = 57;
inline constexpr std::size_t kEditZip = 58;
inline constexpr std::size_t kEditPhone = 59;
inline constexpr std::size_t kEditFax = 60;
inline constexpr std::size_t kEditEmail = 61;
inline constexpr std::size_t kDeliveryDaysLimited = 62; // delivery checks follow the distributor's days
inline constexpr std::size_t kDeliveryDaysShown = 63;
inline constexpr std::size_t kLineTextPrefix = 72;     // vintage before the description
inline constexpr std::size_t kLineTextSuffix = 73;     // size after the description
inline constexpr std::size_t kCaseQuantityInText = 74; // " (%d/cs)" after the description
inline constexpr std::size_t kDuplicateLines = 75;
inline constexpr std::size_t kOrderUpToPar = 82;
inline constexpr std::size_t kClearFreeMarks = 83;
inline constexpr std::size_t kClearInventory = 84;
inline constexpr std::size_t kClearPriceOverride = 85;
inline constexpr std::size_t kClearDiscount = 86;
inline constexpr std::size_t kClearSpecialFlag = 87;
inline constexpr std::size_t kClearPar = 88;
inline constexpr std::size_t kFlaggedItemBlocks = 89;
inline constexpr std::size_t kFlaggedItemWarns = 90;
inline constexpr std::size_t kStockBlocks = 91;
inline constexpr std::size_t kStockWarns = 92;
inline constexpr std::size_t kLicenceRequired = 93;
inline constexpr std::size_t kPremiseRestricted = 94;
inline constexpr std::size_t kInventoryQuantityFiles = 99;
inline constexpr std::size_t kBottlesOfThree = 100;
inline constexpr std::size_t kPremiseAsLimitedAvailability = 101;
inline constexpr std::size_t kOrderTotalShown = 102;
inline constexpr std::size_t kOrderMinimumWarns = 105;
inline constexpr std::size_t kOrderMinimumBlocks = 106;
inline constexpr std::size_t kMultiplesWarn = 107;
inline constexpr std::size_t kMultiplesBlock = 108;
inline constexpr std::size_t kRetailPriceWithheld = 109; // uploads send 0.00 as the retail price
inline constexpr std::size_t kKegDepositCheck = 110;
inline constexpr std::size_t kWaterCheck = 111;
inline constexpr std::size_t kWarnUnplacedOrder = 113;
inline constexpr std::size_t kSaveHiddenLines = 116;
inline constexpr std::size_t kODCEditable = 140;
inline constexpr std::size_t kODCShown = 141;
inline constexpr std::size_t kDeliveryFromTomorrow = 142;
inline constexpr std::size_t kFirstDayPreselected = 143;
inline constexpr std::size_t kCancelDateShown = 146;
inline constexpr std::size_t kCreditCardShown = 147;
inline constexpr std::size_t kDeliveryDatePicker = 149;
inline constexpr std::size_t kODCRequired = 154;
inline constexpr std::size_t kCreditCardRequired = 155;
inline constexpr std::size_t kCancelDateRequired = 156;
inline constexpr std::size_t kPrintOnApprove = 158;
inline constexpr std::size_t kInvParEntersInventory = 159;
inline constexpr std::size_t kExpressDoneToGuide = 161;
inline constexpr std::size_t kInvParFillsToPar = 163;
inline constexpr std::size_t kCollectButton = 168; // receivables BTN_COLLECT
inline constexpr std::size_t kDepositButton =
    169; // receivables BTN_DEPOSIT; deposited, uncollected invoices upload 0.00
inline constexpr std::size_t kInvoiceDateFields = 170;
inline constexpr std::size_t kInvoiceNumberFields = 171;
inline constexpr std::size_t kDueDateFields = 172;
inline constexpr std::size_t kInvoiceAmountFields = 173;
inline constexpr std::size_t kAmountCollectedFields = 174;
inline constexpr std::size_t kReceivablesPrintButton = 176;
inline constexpr std::size_t kReceivablesMineButton = 177;
inline constexpr std::size_t kDivisionsHidden = 180;
inline constexpr std::size_t kWineRatingsShown = 181;
inline constexpr std::size_t kCallPlanButton = 182;
inline constexpr std::size_t kNoOrderButton = 183;
inline constexpr std::size_t kCallTracking = 184; // also marks the call when an order is saved
inline constexpr std::size_t kMarkCallOnOrder = kCallTracking;
inline constexpr std::size_t kCompanyShowsCity = 185;
inline constexpr std::size_t kAccountPrintButton = 186;
inline constexpr std::size_t kCreditTermsColumn = 187;
inline constexpr std::size_t kCreateAccountButton = 188;
inline constexpr std::size_t kFindField = 189;
inline constexpr std::size_t kBackordersButton = 190;
inline constexpr std::size_t kDepAttrib1Shown = 191; // deposit window detail fields
inline constexpr std::size_t kDepAttrib2Shown = 192;
inline constexpr std::size_t kManagerMode = 200; // also shows "Reports"
inline constexpr std::size_t kExportItemsButton = 201;

// Screen titles: 64 texts of 32 bytes; title number n lives at kTitles + 32 * n.
// Numbers in use: 9 account list, 11 account details, 15 recent orders, 16 order
// guide, 17 ready orders, 18 order history, 19 express entry, 21 sales data,
// 22 receivables, 24 order summary, 25 order options, 26 promotions, 36-38
// product note captions, 39 first-time setup, 40 maintenance, 46 survey,
// 48 open orders.
inline constexpr std::size_t kTitles = 268;
inline constexpr std::size_t kTitleCount = 64;
inline constexpr std::size_t kTextWidth = 32;

// List definitions: 2316..15915 (see ListDefinitionLayout below).
inline constexpr std::size_t kListDefinitionsBegin = 2316;
inline constexpr std::size_t kListDefinitionsEnd = 15916;

// Order option names: 12 slots of 32 bytes; the list ends at the first empty slot.
inline constexpr std::size_t kOrderOptionNames = 15916;
inline constexpr std::size_t kOrderOptionSlots = 12;

// 32-byte texts read by single screens.
inline constexpr std::size_t kODCCaption = 17148;
inline constexpr std::size_t kCancelDateCaption = 17180;
inline constexpr std::size_t kPhoneText = 17372; // about box LBL_PHONE
inline constexpr std::size_t kNoCallChoice1Caption = 17404;
inline constexpr std::size_t kNoCallChoice2Caption = 17436;
inline constexpr std::size_t kFlagLabel = 17532;
inline constexpr std::size_t kCreditCardCaption = 17564;
inline constexpr std::size_t kBackorderOrderTypes = 17628;   // "'B','R'": placed inside "in (...)"
inline constexpr std::size_t kBackorderOrderTypesWidth = 64; // nothing else lives up to 17691

// Numbers.
inline constexpr std::size_t kDealCodeMin = 17692;         // int32
inline constexpr std::size_t kDealCodeMax = 17696;         // int32
inline constexpr std::size_t kGuideMode = 17700;           // byte; 3 = family-plan guides
inline constexpr std::size_t kWarehouseLimit = 17701;      // byte
inline constexpr std::size_t kGuideSortKey = 17702;        // byte 0..20; refreshed from DistributorInfo
inline constexpr std::size_t kProductSortColumn = 17703;   // byte: 4 SKU, 5 UPC, 6 catalogue page, else description
inline constexpr std::size_t kAccountSortColumn = 17704;   // byte
inline constexpr std::size_t kLargeOrderStep = 17705;      // byte; 5 x value cases; 0 = off
inline constexpr std::size_t kOrderNotesMaxLength = 17707; // byte; 0 means 255 (also the No Call note)
inline constexpr std::size_t kPricePercent = 17709;        // byte; x 0.01 for the price calculation
inline constexpr std::size_t kOrderMinimum = 17710;        // uint16 dollars; refreshed from DistributorInfo
inline constexpr std::size_t kEndOfRecord = 17712;         // 2 bytes

// One list definition's blocks. Lists 1, 2 and 8 have 32 columns, the others
// 20; only lists 1 and 2 carry per-column flags (flags == 0 otherwise).
struct ListDefinitionLayout {
    int number;       // 1..17
    const char* name; // also the profile prefix in section "ListData"
    std::size_t headings;
    std::size_t widths;
    std::size_t formats;
    std::size_t order;
    std::size_t flags;
    std::size_t columns;
};

inline constexpr int kListCount = 17;
inline constexpr std::size_t kHeadingWidth = 32;

// In record order; use ListLayoutFor(number) to find a list by its number.
inline constexpr ListDefinitionLayout kListLayouts[kListCount] = {
    {2, "Accounts", 2316, 3340, 3404, 3436, 3468, 32},
    {1, "OrderGuide", 3500, 4524, 4588, 4620, 4652, 32},
    {5, "ReadyOrders", 4684, 5324, 5364, 5384, 0, 20},
    {6, "ReadyOrderItems", 5404, 6044, 6084, 6104, 0, 20},
    {7, "OrderSummary", 6124, 6764, 6804, 6824, 0, 20},
    {3, "OrderHistory", 6844, 7484, 7524, 7544, 0, 20},
    {4, "OrderHistoryItems", 7564, 8204, 8244, 8264, 0, 20},
    {9, "RecentOrders", 8284, 8924, 8964, 8984, 0, 20},
    {8, "Receivables", 9004, 10028, 10092, 10124, 0, 32},
    {10, "Products", 10156, 10796, 10836, 10856, 0, 20},
    {11, "SalesData", 10876, 11516, 11556, 11576, 0, 20},
    {12, "ARDeposit", 11596, 12236, 12276, 12296, 0, 20},
    {13, "OpenOrders", 12316, 12956, 12996, 13016, 0, 20},
    {14, "OpenOrderItems", 13036, 13676, 13716, 13736, 0, 20},
    {15, "BackorderItems", 13756, 14396, 14436, 14456, 0, 20},
    {16, "CancelBackorders", 14476, 15116, 15156, 15176, 0, 20},
    {17, "ItemInvoices", 15196, 15836, 15876, 15896, 0, 20},
};

// nullptr for a number outside 1..17.
constexpr const ListDefinitionLayout* ListLayoutFor(int number)
{
    for (const auto& l : kListLayouts)
        if (l.number == number)
            return &l;
    return nullptr;
}

} // namespace zev::cfg
