#pragma once

#include "app/core/ZevConfigLayout.h"

#include <cstddef>
#include <string_view>

// Every named value of the distributor settings record, by name, for the
// record's text description (the zevconfig tool) and for diagnostics. Two
// names may share an offset (CallTracking / MarkCallOnOrder); the first one
// is the one a dump prints.
namespace zev::cfg {

enum class FieldKind { Byte, UInt16, Int32, Text };

struct ConfigField {
    const char* name;
    std::size_t offset;
    FieldKind kind;
    std::size_t width;
};

inline constexpr ConfigField kConfigFields[] = {
    {"AccountDetails", cfg::kAccountDetails, FieldKind::Byte, 1},
    {"EditAccount", cfg::kEditAccount, FieldKind::Byte, 1},
    {"OrderHistory", cfg::kOrderHistory, FieldKind::Byte, 1},
    {"AccountsReceivable", cfg::kAccountsReceivable, FieldKind::Byte, 1},
    {"Promotions", cfg::kPromotions, FieldKind::Byte, 1},
    {"RecentOrders", cfg::kRecentOrders, FieldKind::Byte, 1},
    {"CategoryPage", cfg::kCategoryPage, FieldKind::Byte, 1},
    {"SalesData", cfg::kSalesData, FieldKind::Byte, 1},
    {"ProductSearch", cfg::kProductSearch, FieldKind::Byte, 1},
    {"MessageCenter", cfg::kMessageCenter, FieldKind::Byte, 1},
    {"ExpressEntry", cfg::kExpressEntry, FieldKind::Byte, 1},
    {"SurveyMenu", cfg::kSurveyMenu, FieldKind::Byte, 1},
    {"OpenOrders", cfg::kOpenOrders, FieldKind::Byte, 1},
    {"Reports", cfg::kReports, FieldKind::Byte, 1},
    {"QuantitiesInUnits", cfg::kQuantitiesInUnits, FieldKind::Byte, 1},
    {"SkuSortsAsText", cfg::kSkuSortsAsText, FieldKind::Byte, 1},
    {"AccountNumberSortsAsText", cfg::kAccountNumberSortsAsText, FieldKind::Byte, 1},
    {"ListsGrowWithWindow", cfg::kListsGrowWithWindow, FieldKind::Byte, 1},
    {"AccountSetsWarehouse", cfg::kAccountSetsWarehouse, FieldKind::Byte, 1},
    {"UploadInventoryImports", cfg::kUploadInventoryImports, FieldKind::Byte, 1},
    {"BackorderKeyByInvoice", cfg::kBackorderKeyByInvoice, FieldKind::Byte, 1},
    {"NoteTimeShown", cfg::kNoteTimeShown, FieldKind::Byte, 1},
    {"FaxShown", cfg::kFaxShown, FieldKind::Byte, 1},
    {"AccountAttributes", cfg::kAccountAttributes, FieldKind::Byte, 1},
    {"AccountForms", cfg::kAccountForms, FieldKind::Byte, 1},
    {"EditCompanyName", cfg::kEditCompanyName, FieldKind::Byte, 1},
    {"EditContact", cfg::kEditContact, FieldKind::Byte, 1},
    {"EditAltContact", cfg::kEditAltContact, FieldKind::Byte, 1},
    {"EditAddress1", cfg::kEditAddress1, FieldKind::Byte, 1},
    {"EditAddress2", cfg::kEditAddress2, FieldKind::Byte, 1},
    {"EditCity", cfg::kEditCity, FieldKind::Byte, 1},
    {"EditState", cfg::kEditState, FieldKind::Byte, 1},
    {"EditZip", cfg::kEditZip, FieldKind::Byte, 1},
    {"EditPhone", cfg::kEditPhone, FieldKind::Byte, 1},
    {"EditFax", cfg::kEditFax, FieldKind::Byte, 1},
    {"EditEmail", cfg::kEditEmail, FieldKind::Byte, 1},
    {"DeliveryDaysLimited", cfg::kDeliveryDaysLimited, FieldKind::Byte, 1},
    {"DeliveryDaysShown", cfg::kDeliveryDaysShown, FieldKind::Byte, 1},
    {"LineTextPrefix", cfg::kLineTextPrefix, FieldKind::Byte, 1},
    {"LineTextSuffix", cfg::kLineTextSuffix, FieldKind::Byte, 1},
    {"CaseQuantityInText", cfg::kCaseQuantityInText, FieldKind::Byte, 1},
    {"DuplicateLines", cfg::kDuplicateLines, FieldKind::Byte, 1},
    {"OrderUpToPar", cfg::kOrderUpToPar, FieldKind::Byte, 1},
    {"ClearFreeMarks", cfg::kClearFreeMarks, FieldKind::Byte, 1},
    {"ClearInventory", cfg::kClearInventory, FieldKind::Byte, 1},
    {"ClearPriceOverride", cfg::kClearPriceOverride, FieldKind::Byte, 1},
    {"ClearDiscount", cfg::kClearDiscount, FieldKind::Byte, 1},
    {"ClearSpecialFlag", cfg::kClearSpecialFlag, FieldKind::Byte, 1},
    {"ClearPar", cfg::kClearPar, FieldKind::Byte, 1},
    {"FlaggedItemBlocks", cfg::kFlaggedItemBlocks, FieldKind::Byte, 1},
    {"FlaggedItemWarns", cfg::kFlaggedItemWarns, FieldKind::Byte, 1},
    {"StockBlocks", cfg::kStockBlocks, FieldKind::Byte, 1},
    {"StockWarns", cfg::kStockWarns, FieldKind::Byte, 1},
    {"LicenceRequired", cfg::kLicenceRequired, FieldKind::Byte, 1},
    {"PremiseRestricted", cfg::kPremiseRestricted, FieldKind::Byte, 1},
    {"InventoryQuantityFiles", cfg::kInventoryQuantityFiles, FieldKind::Byte, 1},
    {"BottlesOfThree", cfg::kBottlesOfThree, FieldKind::Byte, 1},
    {"PremiseAsLimitedAvailability", cfg::kPremiseAsLimitedAvailability, FieldKind::Byte, 1},
    {"OrderTotalShown", cfg::kOrderTotalShown, FieldKind::Byte, 1},
    {"OrderMinimumWarns", cfg::kOrderMinimumWarns, FieldKind::Byte, 1},
    {"OrderMinimumBlocks", cfg::kOrderMinimumBlocks, FieldKind::Byte, 1},
    {"MultiplesWarn", cfg::kMultiplesWarn, FieldKind::Byte, 1},
    {"MultiplesBlock", cfg::kMultiplesBlock, FieldKind::Byte, 1},
    {"RetailPriceWithheld", cfg::kRetailPriceWithheld, FieldKind::Byte, 1},
    {"KegDepositCheck", cfg::kKegDepositCheck, FieldKind::Byte, 1},
    {"WaterCheck", cfg::kWaterCheck, FieldKind::Byte, 1},
    {"WarnUnplacedOrder", cfg::kWarnUnplacedOrder, FieldKind::Byte, 1},
    {"SaveHiddenLines", cfg::kSaveHiddenLines, FieldKind::Byte, 1},
    {"ODCEditable", cfg::kODCEditable, FieldKind::Byte, 1},
    {"ODCShown", cfg::kODCShown, FieldKind::Byte, 1},
    {"DeliveryFromTomorrow", cfg::kDeliveryFromTomorrow, FieldKind::Byte, 1},
    {"FirstDayPreselected", cfg::kFirstDayPreselected, FieldKind::Byte, 1},
    {"CancelDateShown", cfg::kCancelDateShown, FieldKind::Byte, 1},
    {"CreditCardShown", cfg::kCreditCardShown, FieldKind::Byte, 1},
    {"DeliveryDatePicker", cfg::kDeliveryDatePicker, FieldKind::Byte, 1},
    {"ODCRequired", cfg::kODCRequired, FieldKind::Byte, 1},
    {"CreditCardRequired", cfg::kCreditCardRequired, FieldKind::Byte, 1},
    {"CancelDateRequired", cfg::kCancelDateRequired, FieldKind::Byte, 1},
    {"PrintOnApprove", cfg::kPrintOnApprove, FieldKind::Byte, 1},
    {"InvParEntersInventory", cfg::kInvParEntersInventory, FieldKind::Byte, 1},
    {"ExpressDoneToGuide", cfg::kExpressDoneToGuide, FieldKind::Byte, 1},
    {"InvParFillsToPar", cfg::kInvParFillsToPar, FieldKind::Byte, 1},
    {"CollectButton", cfg::kCollectButton, FieldKind::Byte, 1},
    {"DepositButton", cfg::kDepositButton, FieldKind::Byte, 1},
    {"InvoiceDateFields", cfg::kInvoiceDateFields, FieldKind::Byte, 1},
    {"InvoiceNumberFields", cfg::kInvoiceNumberFields, FieldKind::Byte, 1},
    {"DueDateFields", cfg::kDueDateFields, FieldKind::Byte, 1},
    {"InvoiceAmountFields", cfg::kInvoiceAmountFields, FieldKind::Byte, 1},
    {"AmountCollectedFields", cfg::kAmountCollectedFields, FieldKind::Byte, 1},
    {"ReceivablesPrintButton", cfg::kReceivablesPrintButton, FieldKind::Byte, 1},
    {"ReceivablesMineButton", cfg::kReceivablesMineButton, FieldKind::Byte, 1},
    {"DivisionsHidden", cfg::kDivisionsHidden, FieldKind::Byte, 1},
    {"WineRatingsShown", cfg::kWineRatingsShown, FieldKind::Byte, 1},
    {"CallPlanButton", cfg::kCallPlanButton, FieldKind::Byte, 1},
    {"NoOrderButton", cfg::kNoOrderButton, FieldKind::Byte, 1},
    {"CallTracking", cfg::kCallTracking, FieldKind::Byte, 1},
    {"CompanyShowsCity", cfg::kCompanyShowsCity, FieldKind::Byte, 1},
    {"AccountPrintButton", cfg::kAccountPrintButton, FieldKind::Byte, 1},
    {"CreditTermsColumn", cfg::kCreditTermsColumn, FieldKind::Byte, 1},
    {"CreateAccountButton", cfg::kCreateAccountButton, FieldKind::Byte, 1},
    {"FindField", cfg::kFindField, FieldKind::Byte, 1},
    {"BackordersButton", cfg::kBackordersButton, FieldKind::Byte, 1},
    {"DepAttrib1Shown", cfg::kDepAttrib1Shown, FieldKind::Byte, 1},
    {"DepAttrib2Shown", cfg::kDepAttrib2Shown, FieldKind::Byte, 1},
    {"ManagerMode", cfg::kManagerMode, FieldKind::Byte, 1},
    {"ExportItemsButton", cfg::kExportItemsButton, FieldKind::Byte, 1},
    {"ODCCaption", cfg::kODCCaption, FieldKind::Text, cfg::kTextWidth},
    {"CancelDateCaption", cfg::kCancelDateCaption, FieldKind::Text, cfg::kTextWidth},
    {"PhoneText", cfg::kPhoneText, FieldKind::Text, cfg::kTextWidth},
    {"NoCallChoice1Caption", cfg::kNoCallChoice1Caption, FieldKind::Text, cfg::kTextWidth},
    {"NoCallChoice2Caption", cfg::kNoCallChoice2Caption, FieldKind::Text, cfg::kTextWidth},
    {"FlagLabel", cfg::kFlagLabel, FieldKind::Text, cfg::kTextWidth},
    {"CreditCardCaption", cfg::kCreditCardCaption, FieldKind::Text, cfg::kTextWidth},
    {"BackorderOrderTypes", cfg::kBackorderOrderTypes, FieldKind::Text, cfg::kBackorderOrderTypesWidth},
    {"DealCodeMin", cfg::kDealCodeMin, FieldKind::Int32, 4},
    {"DealCodeMax", cfg::kDealCodeMax, FieldKind::Int32, 4},
    {"GuideMode", cfg::kGuideMode, FieldKind::Byte, 1},
    {"WarehouseLimit", cfg::kWarehouseLimit, FieldKind::Byte, 1},
    {"GuideSortKey", cfg::kGuideSortKey, FieldKind::Byte, 1},
    {"ProductSortColumn", cfg::kProductSortColumn, FieldKind::Byte, 1},
    {"AccountSortColumn", cfg::kAccountSortColumn, FieldKind::Byte, 1},
    {"LargeOrderStep", cfg::kLargeOrderStep, FieldKind::Byte, 1},
    {"OrderNotesMaxLength", cfg::kOrderNotesMaxLength, FieldKind::Byte, 1},
    {"PricePercent", cfg::kPricePercent, FieldKind::Byte, 1},
    {"OrderMinimum", cfg::kOrderMinimum, FieldKind::UInt16, 2},
    {"MarkCallOnOrder", cfg::kMarkCallOnOrder, FieldKind::Byte, 1},
};

// nullptr when no field has that name (names compare exactly).
constexpr const ConfigField* FindConfigField(std::string_view name)
{
    for (const auto& f : kConfigFields)
        if (name == f.name)
            return &f;
    return nullptr;
}

} // namespace zev::cfg
