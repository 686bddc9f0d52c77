#include "orders/views/GuideFiles.h"

#include "accounts/AccountRecord.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/core/ZevFolders.h"
#include "orders/OrderGuide.h"
#include "tables/Accounts.h"
#include "tables/SqlText.h"

#include <filesystem>

namespace zev {

namespace fs = std::filesystem;

namespace {

constexpr const char* kImportFile = "ImportFile";

// The account's name and number, for the name the imported file is moved to.
std::pair<std::string, std::string> NameAndNumber(int accountId)
{
    Accounts accounts;
    if (accounts.getAccount(accountId) == 0 || accounts.IsEOF() != 0)
        return {};
    const AccountRecord r = AccountRecord::Read(accounts);
    return {SqlText::Trim(r.companyName), SqlText::Trim(r.accountNumber)};
}

} // namespace

std::array<std::string, 4> GuideFiles::AccountHeader(int accountId)
{
    Accounts accounts;
    if (accounts.getAccount(accountId) == 0 || accounts.IsEOF() != 0)
        return {};
    const AccountRecord r = AccountRecord::Read(accounts);
    const std::string city = SqlText::Trim(r.city);
    const std::string state = SqlText::Trim(r.state);
    const std::string zip = SqlText::Trim(r.zip);
    std::string cityLine = city;
    if (!state.empty() || !zip.empty())
        cityLine += (city.empty() ? "" : ", ") + state + (state.empty() || zip.empty() ? "" : " ") + zip;
    return {SqlText::Trim(r.companyName), SqlText::Trim(r.address1), SqlText::Trim(r.address2), cityLine};
}

GuideExport::Result GuideFiles::Export(const OrderGuide& guide, const std::string& folder, std::time_t now,
                                       IMessageBox& box)
{
    const GuideExport::Result r = GuideExport::Write(guide.Rows(), AccountHeader(guide.AccountId()),
                                                     guide.Settings().quantitiesInUnits, folder, now);
    if (r.ok)
        box.ShowText(fs::path(r.path).filename().string() + " has been created on your desktop",
                     ids::kCaptionInformation, MbButtons::Ok, MbIcon::Information);
    else
        box.ShowText("The order guide could not be exported: " + r.error, ids::kCaptionError, MbButtons::Ok,
                     MbIcon::Stop);
    return r;
}

InventoryImport::Kind GuideFiles::ImportKind(const ZevConfig& config)
{
    return config.IsOn(cfg::kInventoryQuantityFiles) ? InventoryImport::Kind::CountsAndQuantities
                                                     : InventoryImport::Kind::Counts;
}

std::string GuideFiles::ImportStartPath(const Profile& profile, const ZevFolders& folders, InventoryImport::Kind kind)
{
    const std::string last = profile.GetText(kImportFile);
    std::error_code ec;
    // The last file was moved aside by its import; a new one of the same
    // name in the same folder is the usual next file.
    if (!last.empty() && fs::is_directory(fs::path(last).parent_path(), ec))
        return last;
    return (fs::path(folders.DataDir()) / "OnHand" / InventoryImport::DefaultName(kind)).string();
}

InventoryImport::Outcome GuideFiles::Import(OrderGuide& guide, const std::string& path, bool reset,
                                            const ImportInputs& in)
{
    InventoryImport::Options o;
    o.kind = ImportKind(in.config);
    o.reset = reset;
    o.orderUpToPar = in.config.IsOn(cfg::kOrderUpToPar);
    o.catalogId = in.catalogId;
    o.price = in.price;
    std::tie(o.accountText1, o.accountText2) = NameAndNumber(guide.AccountId());
    o.now = in.now;
    std::error_code ec;
    // Losing the remembered name costs the user a click next time, nothing more.
    if (!SqlText::Trim(path).empty() && fs::is_regular_file(path, ec))
        (void)in.profile.SetText(kImportFile, path);
    return InventoryImport::Run(guide, path, o, in.box);
}

} // namespace zev
