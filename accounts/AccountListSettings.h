#pragma once

#include <string>

namespace zev {

class ZevConfig;

// The switches of the distributor settings record that shape the account list
// (each byte is on when it holds 1). Plain fields, so the list logic can be
// driven without the record; FromConfig fills them from it.
struct AccountListSettings {
    bool detailsMenu = false;         // 12
    bool editMenu = false;            // 13
    bool newMessagesCheck = false;    // 23
    bool surveyMenu = false;          // 27
    bool openOrdersMenu = false;      // 28
    bool accountNumberAsText = false; // 34
    bool listGrows = false;           // 35
    bool warehouseOnSelect = false;   // 37
    bool callPlanButton = false;      // 182
    bool noOrderButton = false;       // 183
    bool callTracking = false;        // 184
    bool companyWithCity = false;     // 185
    bool printButton = false;         // 186
    bool creditTermsComment = false;  // 187
    bool createButton = false;        // 188
    bool findBox = false;             // 189
    bool backordersButton = false;    // 190
    int initialSortColumn = 0;        // 17704
    int noteMaxLength = 255;          // 17707 (0 in the record means 255)
    std::string noSaleCaption;        // 17404, empty keeps the dialog's own
    std::string noCallCaption;        // 17436

    static AccountListSettings FromConfig(const ZevConfig& config);
};

} // namespace zev
