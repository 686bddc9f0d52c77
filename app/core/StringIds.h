#pragma once

#include "app/core/MessageBox.h"

// Numbers of string-table texts used by more than one place.
namespace zev::ids {

inline constexpr int kAppTitle = 57344; // "Satchel"
inline constexpr int kExitQuestion = 65008;
inline constexpr int kRegistrySection = 65013; // "Application"
inline constexpr int kSunday = 65016;          // 65016..65022 Sunday..Saturday
inline constexpr int kSaturday = 65022;
inline constexpr int kConfigCorrupted = 65028;
inline constexpr int kConfigWrongVersion = 65029;
inline constexpr int kIniNotFound = 65118;
inline constexpr int kNewMessages = 65140; // "You have new messages in your inbox."
inline constexpr int kLibrariesMissing = 65119;

// Captions.
inline constexpr Caption kCaptionInformation = Caption::Information;
inline constexpr Caption kCaptionWarning = Caption::Warning;
inline constexpr Caption kCaptionError = Caption::Error;
inline constexpr Caption kCaptionQuestion = Caption::Question;
inline constexpr Caption kCaptionAppTitle = Caption{kAppTitle}; // "Satchel", for a plain notice

// Settings file sections, keys and defaults of the string-table reader.
inline constexpr int kSecSettings = 65116;             // "SETTINGS"
inline constexpr int kSecGeneral = 65133;              // "GENERAL"
inline constexpr int kKeyRegKey = 65114;               // "REGKEY"
inline constexpr int kKeyRegPath = 65115;              // "REGPATH"
inline constexpr int kKeyPriceOverrideMode = 65117;    // "PRICEOVERRIDEMODE"
inline constexpr int kKeyEnforceValidCatalogs = 65120; // "ENFORCEVALIDCATALOGS"
inline constexpr int kKeyRenewMode = 65123;            // "RENEWMODE"
inline constexpr int kKeyBBeforeRenew = 65125;         // "BBEFORERENEW"
inline constexpr int kKeyBBeforeSync = 65126;          // "BBEFORESYNC"
inline constexpr int kKeyDDays = 65127;                // "DDAYS"
inline constexpr int kKeySchemaFile = 65128;           // "SCHEMAFILE"
inline constexpr int kKeyDatabase = 65129;             // "DATABASE"
inline constexpr int kKeySqlVersion = 65130;           // "SQLVERSION"
inline constexpr int kKeyMobileVersion = 65131;        // "MOBILEVERSION"
inline constexpr int kKeyPingHost = 65132;             // "PINGHOST"
inline constexpr int kKeyDlTempDir = 65134;            // "DLTEMPDIR"
inline constexpr int kKeyBeltHatCategories = 65143;    // "BeltHatCategories"
inline constexpr int kKeyWindowed = 65145;             // "WINDOWED"
inline constexpr int kDefaultOne = 65135;              // "1"
inline constexpr int kDefaultZero = 65136;             // "0"

} // namespace zev::ids
