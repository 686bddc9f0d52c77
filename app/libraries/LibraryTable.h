#pragma once

#include "app/core/MessageBox.h"
#include "app/libraries/LoadedModule.h"
#include "plugins/PluginApi.h"

#include <string>

namespace zev {

class IMessageBox;

// Q9UTIL.so: digests, clock, dial-up connection.
struct UtilLibrary {
    LoadedModule module;
    Q9HashFn Hash = nullptr;
    Q9HashFileFn HashFile = nullptr;
    Q9SetTimeFn SetTime = nullptr;
    Q9ConnectFn Connect = nullptr;
    Q9DisconnectFn Disconnect = nullptr;
    Q9IsConnectedFn IsConnected = nullptr;
};

// Q9CPRS.so: compressed backup of the database file.
struct CprsLibrary {
    LoadedModule module;
    Q9CompressFn Compress = nullptr;
    Q9UncompressFn Uncompress = nullptr;
};

// Q9INET.so: network test and posting to the server.
struct InetLibrary {
    LoadedModule module;
    Q9TestConnectionFn TestConnection = nullptr;
    PostDataT2Fn PostData = nullptr;
    // Optional: posting into a file of the caller's; null when the library
    // lacks it (the caller then uses PostData alone).
    Q9PostToFileFn PostToFile = nullptr;
};

// PRICING.so and the price percentage kept beside it (the configured whole
// percentage x 0.01). The module is released when the record is destroyed.
struct PricingLibrary {
    LoadedModule module;
    Q9CalculatePriceFn CalculatePrice = nullptr;
    Q9ClosePricingFn ClosePricing = nullptr;
    Q9EnumeratePricesFn EnumeratePrices = nullptr;
    double pricePercentage = 0.0;

    // The program's price operation: asks the library for the case and single
    // price of `item` for a quantity in units, a catalogue and a deal code
    // (0 = none), passing the numbers as texts and reading back the leading
    // number of each output buffer. False when the library is not loaded or
    // fails; the outputs are then left as they were. Thread-safe as far as
    // the library is (PRICING.so is).
    [[nodiscard]] bool Price(int item, float& casePrice, float& singlePrice, int units, int catalog,
                             unsigned dealCode) const;
};

// The installed tree's private folder of the helper libraries, found from the
// executable's location (bin/../lib/<multiarch>/zevsatchel).
std::string InstalledLibraryDir();

// What the loader needs to know about the installation and the user's data.
struct LibraryLoadOptions {
    // Folder holding Q9UTIL.so, Q9CPRS.so, Q9INET.so and PRICING.so.
    std::string programDir;
    // Where a library missing from programDir is taken from: an installed
    // kit folder holds no code, the libraries live in the private folder.
    // Empty: programDir only.
    std::string libraryDir = InstalledLibraryDir();
    // File that receives the one "<NAME> Failed to load" line
    // (<data>/Temp/$debug.txt); its folder is created when missing.
    std::string debugFile;
    // Per-user data folder handed to the libraries that honour
    // Q9SetDataDir (reply file, backups of plain database names). Empty: the
    // libraries apply the same ZEV_DATA_DIR / XDG rule themselves.
    std::string dataDir;
    // Database file PRICING.so reads prices from (absolute). Empty: its own
    // default (<data>/master.db or $ZEV_PRICING_DB).
    std::string pricingDatabase;
    // Byte 17709 of the distributor settings record: a whole percentage.
    int pricePercentage = 0;
};

// The helper libraries and their entry points, held by the application object
// for the whole run. Loading happens once at start-up, in the fixed order
// Q9UTIL, Q9CPRS, Q9INET, PRICING; a library that cannot be opened or lacks any
// of its entry points counts as missing and stops the loading there.
class LibraryTable {
public:
    LibraryTable() = default;
    LibraryTable(const LibraryTable&) = delete;
    LibraryTable& operator=(const LibraryTable&) = delete;

    // Loads all four. At the first missing library the debug file is created
    // anew holding exactly "<NAME> Failed to load\r\n" (NAME = UTIL, CPRS,
    // INET or PRICING), message 65119 is shown with caption 65099 and the stop
    // icon, the libraries loaded so far are released and false is returned:
    // the program must end.
    [[nodiscard]] bool Load(const LibraryLoadOptions& options, IMessageBox& messages);

    // Releases every library (PRICING is told to close first).
    void Unload();

    [[nodiscard]] bool IsLoaded() const { return pricing.module.IsOpen(); }

    // The loader's error text for the library that failed (dlerror or the
    // missing symbol), for logs. Empty after a successful Load.
    [[nodiscard]] const std::string& LastError() const { return m_lastError; }

    // Name written to the debug file for a library missing at Load, or empty.
    [[nodiscard]] const std::string& MissingLibrary() const { return m_missing; }

    UtilLibrary util;
    CprsLibrary cprs;
    InetLibrary inet;
    PricingLibrary pricing;

    // File names of the libraries in the program folder.
    static constexpr const char* kUtilFile = "Q9UTIL.so";
    static constexpr const char* kCprsFile = "Q9CPRS.so";
    static constexpr const char* kInetFile = "Q9INET.so";
    static constexpr const char* kPricingFile = "PRICING.so";

    // String-table numbers of the failure box.
    static constexpr int kMissingLibraryText = 65119;
    static constexpr Caption kErrorCaption = Caption::Error;

private:
    bool Fail(const LibraryLoadOptions& options, IMessageBox& messages, const char* name);

    std::string m_lastError;
    std::string m_missing;
};

} // namespace zev
