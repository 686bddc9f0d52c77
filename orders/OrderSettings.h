#pragma once

#include "tables/ReadyOrder.h"

#include <string>

namespace zev {

class ZevConfig;

// The distributor's switches and numbers that order entry reads, taken once
// from the settings record (and PRICEOVERRIDEMODE from the settings file), so
// the logic and its tests deal in names rather than offsets.
struct OrderSettings {
    bool quantitiesInUnits = false;
    bool lineTextPrefix = false;
    bool lineTextSuffix = false;
    bool flaggedItemBlocks = false;
    bool flaggedItemWarns = false;
    bool stockBlocks = false;
    bool stockWarns = false;
    bool licenceRequired = false;
    bool premiseRestricted = false;
    bool bottlesOfThree = false;
    bool premiseAsLimitedAvailability = false;
    bool orderMinimumWarns = false;
    bool orderMinimumBlocks = false;
    bool multiplesWarn = false;
    bool multiplesBlock = false;
    bool kegDepositCheck = false;
    bool waterCheck = false;
    bool saveHiddenLines = false;
    bool markCallOnOrder = false;
    std::string flagLabel;
    int largeOrderStep = 0; // five times this many cases asks; 0 off
    int orderMinimum = 0;   // whole dollars; 0 off
    int guideSortKey = 0;
    int dealCodeMin = 0;
    int dealCodeMax = 0;
    int orderNotesMaxLength = 255;
    int priceOverrideMode = 0; // 0 an override is a case price, 1 a single-unit price
    GuideResetSettings reset;

    static OrderSettings FromConfig(const ZevConfig& config, int priceOverrideMode);
};

} // namespace zev
