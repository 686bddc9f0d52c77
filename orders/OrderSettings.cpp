#include "orders/OrderSettings.h"

#include "app/core/ZevConfig.h"

namespace zev {

OrderSettings OrderSettings::FromConfig(const ZevConfig& c, int priceOverrideMode)
{
    OrderSettings s;
    s.quantitiesInUnits = c.IsOn(cfg::kQuantitiesInUnits);
    s.lineTextPrefix = c.IsOn(cfg::kLineTextPrefix);
    s.lineTextSuffix = c.IsOn(cfg::kLineTextSuffix);
    s.flaggedItemBlocks = c.IsOn(cfg::kFlaggedItemBlocks);
    s.flaggedItemWarns = c.IsOn(cfg::kFlaggedItemWarns);
    s.stockBlocks = c.IsOn(cfg::kStockBlocks);
    s.stockWarns = c.IsOn(cfg::kStockWarns);
    s.licenceRequired = c.IsOn(cfg::kLicenceRequired);
    s.premiseRestricted = c.IsOn(cfg::kPremiseRestricted);
    s.bottlesOfThree = c.IsOn(cfg::kBottlesOfThree);
    s.premiseAsLimitedAvailability = c.IsOn(cfg::kPremiseAsLimitedAvailability);
    s.orderMinimumWarns = c.IsOn(cfg::kOrderMinimumWarns);
    s.orderMinimumBlocks = c.IsOn(cfg::kOrderMinimumBlocks);
    s.multiplesWarn = c.IsOn(cfg::kMultiplesWarn);
    s.multiplesBlock = c.IsOn(cfg::kMultiplesBlock);
    s.kegDepositCheck = c.IsOn(cfg::kKegDepositCheck);
    s.waterCheck = c.IsOn(cfg::kWaterCheck);
    s.saveHiddenLines = c.IsOn(cfg::kSaveHiddenLines);
    s.markCallOnOrder = c.IsOn(cfg::kCallTracking);
    s.flagLabel = c.Text(cfg::kFlagLabel);
    s.largeOrderStep = c.Byte(cfg::kLargeOrderStep);
    s.orderMinimum = c.UInt16(cfg::kOrderMinimum);
    s.guideSortKey = c.Byte(cfg::kGuideSortKey);
    s.dealCodeMin = c.Int32(cfg::kDealCodeMin);
    s.dealCodeMax = c.Int32(cfg::kDealCodeMax);
    s.orderNotesMaxLength = c.Byte(cfg::kOrderNotesMaxLength) == 0 ? 255 : c.Byte(cfg::kOrderNotesMaxLength);
    s.priceOverrideMode = priceOverrideMode;
    s.reset.clearFreeMarks = c.IsOn(cfg::kClearFreeMarks);
    s.reset.clearInventory = c.IsOn(cfg::kClearInventory);
    s.reset.clearPriceOverride = c.IsOn(cfg::kClearPriceOverride);
    s.reset.clearDiscount = c.IsOn(cfg::kClearDiscount);
    s.reset.clearSpecialFlag = c.IsOn(cfg::kClearSpecialFlag);
    s.reset.clearPar = c.IsOn(cfg::kClearPar);
    return s;
}

} // namespace zev
