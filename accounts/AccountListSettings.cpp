#include "accounts/AccountListSettings.h"

#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"

namespace zev {

AccountListSettings AccountListSettings::FromConfig(const ZevConfig& c)
{
    AccountListSettings s;
    s.detailsMenu = c.IsOn(cfg::kAccountDetails);
    s.editMenu = c.IsOn(cfg::kEditAccount);
    s.newMessagesCheck = c.IsOn(cfg::kMessageCenter);
    s.surveyMenu = c.IsOn(cfg::kSurveyMenu);
    s.openOrdersMenu = c.IsOn(cfg::kOpenOrders);
    s.accountNumberAsText = c.IsOn(cfg::kAccountNumberSortsAsText);
    s.listGrows = c.IsOn(cfg::kListsGrowWithWindow);
    s.warehouseOnSelect = c.IsOn(cfg::kAccountSetsWarehouse);
    s.callPlanButton = c.IsOn(cfg::kCallPlanButton);
    s.noOrderButton = c.IsOn(cfg::kNoOrderButton);
    s.callTracking = c.IsOn(cfg::kCallTracking);
    s.companyWithCity = c.IsOn(cfg::kCompanyShowsCity);
    s.printButton = c.IsOn(cfg::kAccountPrintButton);
    s.creditTermsComment = c.IsOn(cfg::kCreditTermsColumn);
    s.createButton = c.IsOn(cfg::kCreateAccountButton);
    s.findBox = c.IsOn(cfg::kFindField);
    s.backordersButton = c.IsOn(cfg::kBackordersButton);
    s.initialSortColumn = c.Byte(cfg::kAccountSortColumn);
    const int length = c.Byte(cfg::kOrderNotesMaxLength);
    s.noteMaxLength = length == 0 ? 255 : length;
    s.noSaleCaption = c.Text(cfg::kNoCallChoice1Caption);
    s.noCallCaption = c.Text(cfg::kNoCallChoice2Caption);
    return s;
}

} // namespace zev
