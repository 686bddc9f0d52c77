#include "app/libraries/LibraryTable.h"

#include "app/core/MessageBox.h"
#include "app/core/ZevFolders.h"

#include "ZevVersion.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace zev {

namespace {

// The file in the program folder, else in the library folder when it is there.
std::string LibraryPath(const LibraryLoadOptions& options, const char* file)
{
    const std::string inProgramDir = (options.programDir.empty() ? std::string(".") : options.programDir) + "/" + file;
    if (options.libraryDir.empty())
        return inProgramDir;
    std::error_code ec;
    if (std::filesystem::exists(inProgramDir, ec))
        return inProgramDir;
    const std::string inLibraryDir = options.libraryDir + "/" + file;
    return std::filesystem::exists(inLibraryDir, ec) ? inLibraryDir : inProgramDir;
}

// Opens `file` from the program (or library) folder and resolves every entry
// point listed; any failure leaves the module closed and the reason in `error`.
template <typename Library, typename Resolver>
bool OpenLibrary(Library& lib, const LibraryLoadOptions& options, const char* file, std::string& error,
                 Resolver resolve)
{
    const std::string path = LibraryPath(options, file);
    if (!lib.module.Open(path, error))
        return false;
    const char* missing = resolve(lib);
    if (missing != nullptr) {
        error = std::string(file) + ": entry point " + missing + " not found";
        lib = Library{};
        return false;
    }
    return true;
}

// Hands the data folder to a library that takes it; the entry point is
// optional because a library following the default folder rule needs nothing.
void TellDataDir(const LoadedModule& module, const std::string& dataDir)
{
    Q9SetDataDirFn setDir = nullptr;
    if (!dataDir.empty() && module.Resolve("Q9SetDataDir", setDir))
        setDir(dataDir.c_str());
}

// The number a text starts with (after blanks), 0 when there is none. Read
// with a decimal point whatever the process locale.
double LeadingNumber(const char* text)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    double value = 0.0;
    const char* end = text + std::strlen(text);
    const bool negative = *text == '-';
    if (*text == '+' || negative)
        ++text;
    if (std::from_chars(text, end, value, std::chars_format::fixed).ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

} // namespace

std::string InstalledLibraryDir()
{
    return (std::filesystem::path(ZevFolders::ExecutableDir()) / ZEV_PLUGINS_FROM_BINDIR).lexically_normal().string();
}

bool LibraryTable::Load(const LibraryLoadOptions& options, IMessageBox& messages)
{
    Unload();
    m_lastError.clear();
    m_missing.clear();

    if (!OpenLibrary(util, options, kUtilFile, m_lastError, [](UtilLibrary& l) -> const char* {
            if (!l.module.Resolve("Q9Hash", l.Hash))
                return "Q9Hash";
            if (!l.module.Resolve("Q9HashFile", l.HashFile))
                return "Q9HashFile";
            if (!l.module.Resolve("Q9SetTime", l.SetTime))
                return "Q9SetTime";
            if (!l.module.Resolve("Q9Connect", l.Connect))
                return "Q9Connect";
            if (!l.module.Resolve("Q9Disconnect", l.Disconnect))
                return "Q9Disconnect";
            if (!l.module.Resolve("Q9IsConnected", l.IsConnected))
                return "Q9IsConnected";
            return nullptr;
        }))
        return Fail(options, messages, "UTIL");

    if (!OpenLibrary(cprs, options, kCprsFile, m_lastError, [](CprsLibrary& l) -> const char* {
            if (!l.module.Resolve("Q9Compress", l.Compress))
                return "Q9Compress";
            if (!l.module.Resolve("Q9Uncompress", l.Uncompress))
                return "Q9Uncompress";
            return nullptr;
        }))
        return Fail(options, messages, "CPRS");

    if (!OpenLibrary(inet, options, kInetFile, m_lastError, [](InetLibrary& l) -> const char* {
            if (!l.module.Resolve("Q9TestConnection", l.TestConnection))
                return "Q9TestConnection";
            if (!l.module.Resolve("PostDataT2", l.PostData))
                return "PostDataT2";
            return nullptr;
        }))
        return Fail(options, messages, "INET");
    // Optional: a library without it still counts as whole.
    (void)inet.module.Resolve("Q9PostToFile", inet.PostToFile);

    if (!OpenLibrary(pricing, options, kPricingFile, m_lastError, [](PricingLibrary& l) -> const char* {
            if (!l.module.Resolve("Q9CalculatePrice", l.CalculatePrice))
                return "Q9CalculatePrice";
            if (!l.module.Resolve("Q9ClosePricing", l.ClosePricing))
                return "Q9ClosePricing";
            if (!l.module.Resolve("Q9EnumeratePrices", l.EnumeratePrices))
                return "Q9EnumeratePrices";
            return nullptr;
        }))
        return Fail(options, messages, "PRICING");
    pricing.pricePercentage = options.pricePercentage * 0.01;

    TellDataDir(util.module, options.dataDir);
    TellDataDir(cprs.module, options.dataDir);
    TellDataDir(inet.module, options.dataDir);
    TellDataDir(pricing.module, options.dataDir);
    Q9SetPricingDatabaseFn setDatabase = nullptr;
    if (!options.pricingDatabase.empty() && pricing.module.Resolve("Q9SetPricingDatabase", setDatabase))
        setDatabase(options.pricingDatabase.c_str());
    return true;
}

bool LibraryTable::Fail(const LibraryLoadOptions& options, IMessageBox& messages, const char* name)
{
    m_missing = std::string(name);
    Unload();

    // The debug file is created anew so it names only this start's failure.
    if (!options.debugFile.empty()) {
        // The data folder is private to its user; create missing levels so.
        const std::filesystem::path folder = std::filesystem::path(options.debugFile).parent_path();
        std::filesystem::path level;
        for (const auto& part : folder) {
            level /= part;
            ::mkdir(level.c_str(), 0700);
        }
        if (std::FILE* out = std::fopen(options.debugFile.c_str(), "w+")) {
            std::fprintf(out, "%s\r\n", (m_missing + " Failed to load").c_str());
            std::fclose(out);
        }
    }
    messages.Show(kMissingLibraryText, kErrorCaption, MbButtons::Ok, MbIcon::Stop);
    return false;
}

bool PricingLibrary::Price(int item, float& casePrice, float& singlePrice, int units, int catalog,
                           unsigned dealCode) const
{
    if (CalculatePrice == nullptr)
        return false;
    char itemText[32], dealText[32], catalogText[32], unitsText[32];
    std::snprintf(itemText, sizeof itemText, "%d", item);
    std::snprintf(dealText, sizeof dealText, "%u", dealCode);
    std::snprintf(catalogText, sizeof catalogText, "%d", catalog);
    std::snprintf(unitsText, sizeof unitsText, "%d", units);
    // Filled with spaces and terminated, so a library that writes nothing
    // reads back as no number rather than as stale bytes.
    char caseText[Q9_PRICE_BUFFER_SIZE];
    char singleText[Q9_PRICE_BUFFER_SIZE];
    std::memset(caseText, ' ', sizeof caseText);
    std::memset(singleText, ' ', sizeof singleText);
    caseText[sizeof caseText - 1] = '\0';
    singleText[sizeof singleText - 1] = '\0';
    if (CalculatePrice(itemText, dealText, catalogText, unitsText, "", "", "", "", "", caseText, singleText) == 0)
        return false;
    caseText[sizeof caseText - 1] = '\0';
    singleText[sizeof singleText - 1] = '\0';
    casePrice = static_cast<float>(LeadingNumber(caseText));
    singlePrice = static_cast<float>(LeadingNumber(singleText));
    return true;
}

void LibraryTable::Unload()
{
    // Pricing keeps a database connection open; let it close it cleanly.
    if (pricing.module.IsOpen() && pricing.ClosePricing != nullptr)
        pricing.ClosePricing();
    pricing = PricingLibrary{};
    inet = InetLibrary{};
    cprs = CprsLibrary{};
    util = UtilLibrary{};
}

} // namespace zev
