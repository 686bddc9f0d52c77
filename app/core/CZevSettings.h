#pragma once

#include "app/core/Screen.h"
#include "app/core/ZevConfig.h"

#include <string>

namespace zev {

class IMessageBox;
class Profile;

// Settings read once at start-up from the settings file (SETTINGS and GENERAL
// sections) and the distributor settings record.
class CZevSettings {
public:
    int priceOverrideMode = 0;             // SETTINGS/PRICEOVERRIDEMODE
    int enforceValidCatalogs = 1;          // SETTINGS/ENFORCEVALIDCATALOGS
    std::string pingHost;                  // GENERAL/PINGHOST (259)
    std::string downloadFolder = "\\Temp"; // GENERAL/DLTEMPDIR (259), a program path: map it with ZevFolders
    int renewMode = 1;                     // SETTINGS/RENEWMODE
    int backupBeforeRenew = 1;             // SETTINGS/BBEFORERENEW
    int backupBeforeSync = 1;              // SETTINGS/BBEFORESYNC
    std::string beltHatCategories;         // GENERAL/BeltHatCategories (1023)
    int deliveryDays = 0;                  // SETTINGS/DDAYS
    bool configurationChanged = false;     // record's format version differs from the profile's
    bool listLayoutChanged = false;        // record's list layout version differs from the profile's
    ZevConfig config;                      // the distributor settings record

    // Reads the settings file's values of this object (start-up step 15).
    void ReadSettingsFile(const std::string& iniPath);

    // Start-up step 11: loads ZevConfig.dat (messages 65028 / 65029 on
    // rejection), compares its versions with the profile's "Configuration"
    // and "ConfigurationData", sets the changed flags and stores the new
    // values. False when the record is rejected.
    [[nodiscard]] bool LoadConfig(const std::string& datPath, Profile& profile, IMessageBox& messages);
};

// The application object's fields that are not windows.
struct AppState {
    std::string mobileVersion;                                       // GENERAL/MOBILEVERSION
    std::string programDir;                                          // without trailing slash
    std::string schemaFilePath;                                      // program folder + GENERAL/SCHEMAFILE
    std::string settingsFilePath;                                    // program folder + "ZevSatchel.INI"
    std::string databaseName;                                        // GENERAL/DATABASE
    std::string registrySection = "Application";                     // string 65013
    std::string regKey = "Marvane Software";                         // SETTINGS/REGKEY
    std::string regPath = "\\Software\\Marvane Software\\Satchel\\"; // SETTINGS/REGPATH
    bool maximized = false;
    bool accountCurrent = false;
    bool signedIn = false;
    bool busy = false;
    bool spare = false;
    Screen currentScreen = Screen::None;
    int sqlVersion = 0;     // GENERAL/SQLVERSION
    std::string signInText; // filled by sign-in
    CZevSettings settings;
};

} // namespace zev
