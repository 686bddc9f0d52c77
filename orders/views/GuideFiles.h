#pragma once

#include "orders/GuideExport.h"
#include "orders/InventoryImport.h"

#include <array>
#include <ctime>
#include <string>

namespace zev {

class IMessageBox;
class OrderGuide;
class Profile;
class ZevConfig;
class ZevFolders;

// The order guide's two file commands without their widgets: the guide
// written as a spreadsheet to the desktop, and a scanner file read into it.
// They take the account's texts from its record and report through the
// message box.
class GuideFiles {
public:
    // The export's page header: the account's name, its two address lines and
    // "City, ST Zip"; empty texts for an account not found.
    static std::array<std::string, 4> AccountHeader(int accountId);

    // Writes the visible rows to `folder` and says where (or why not).
    static GuideExport::Result Export(const OrderGuide& guide, const std::string& folder, std::time_t now,
                                      IMessageBox& box);

    static InventoryImport::Kind ImportKind(const ZevConfig& config);

    // The file the import dialog offers: the last one imported (profile value
    // "ImportFile") while its folder exists, else the scanner's default name
    // in <data>/OnHand/.
    static std::string ImportStartPath(const Profile& profile, const ZevFolders& folders, InventoryImport::Kind kind);

    struct ImportInputs {
        const ZevConfig& config;
        Profile& profile;
        IMessageBox& box;
        int catalogId = 10;
        InventoryImport::PriceFn price;
        std::time_t now = 0;
    };

    // Imports `path` into the guide (the counts replace those in the guide
    // when `reset`), remembering the path under "ImportFile" once the file
    // is found.
    static InventoryImport::Outcome Import(OrderGuide& guide, const std::string& path, bool reset,
                                           const ImportInputs& in);
};

} // namespace zev
