#include "app/core/CZevSettings.h"

#include "app/core/IniReader.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/core/StringTable.h"

namespace zev {

namespace {

int ReadInt(int keyId, int defaultId, const std::string& path)
{
    return ToInt(TrimRight(ReadIniValue(ids::kSecSettings, keyId, defaultId, 5, path)));
}

std::string ReadGeneral(int keyId, std::size_t maxChars, const std::string& path, std::string_view defaultText = "")
{
    return TrimRight(
        ReadIniValue(StringTable::Text(ids::kSecGeneral), StringTable::Text(keyId), defaultText, maxChars, path));
}

} // namespace

void CZevSettings::ReadSettingsFile(const std::string& iniPath)
{
    pingHost = ReadGeneral(ids::kKeyPingHost, 259, iniPath);
    downloadFolder = ReadGeneral(ids::kKeyDlTempDir, 259, iniPath, "\\Temp");
    priceOverrideMode = ReadInt(ids::kKeyPriceOverrideMode, ids::kDefaultZero, iniPath);
    enforceValidCatalogs = ReadInt(ids::kKeyEnforceValidCatalogs, ids::kDefaultOne, iniPath);
    renewMode = ReadInt(ids::kKeyRenewMode, ids::kDefaultOne, iniPath);
    backupBeforeRenew = ReadInt(ids::kKeyBBeforeRenew, ids::kDefaultOne, iniPath);
    backupBeforeSync = ReadInt(ids::kKeyBBeforeSync, ids::kDefaultOne, iniPath);
    beltHatCategories = ReadGeneral(ids::kKeyBeltHatCategories, 1023, iniPath);
    deliveryDays = ReadInt(ids::kKeyDDays, ids::kDefaultZero, iniPath);
}

bool CZevSettings::LoadConfig(const std::string& datPath, Profile& profile, IMessageBox& messages)
{
    configurationChanged = false;
    listLayoutChanged = false;
    if (config.Load(datPath, messages) != ZevConfig::LoadResult::Ok)
        return false;
    const int format = config.FormatVersion();
    const int layout = config.ListLayoutVersion();
    if (profile.GetInt("Configuration") != format) {
        configurationChanged = true;
        (void)profile.SetInt("Configuration", format);
    }
    if (profile.GetInt("ConfigurationData") != layout) {
        listLayoutChanged = true;
        (void)profile.SetInt("ConfigurationData", layout);
    }
    return true;
}

} // namespace zev
