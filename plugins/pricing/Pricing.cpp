// PRICING.so: case and single prices of an item from the local database.
// The program passes numbers as decimal texts and reads the prices back as
// texts; PriceBook holds the rules.

#include "plugins/PluginApi.h"
#include "plugins/common/DataFolder.h"
#include "plugins/pricing/PriceBook.h"

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace {

q9::PriceBook& Book()
{
    static q9::PriceBook book;
    return book;
}

std::mutex g_pathLock;
std::string g_chosenDatabase; // from Q9SetPricingDatabase

// The database to read: the one named by the program, else $ZEV_PRICING_DB,
// else the default database of the data folder.
std::string DatabasePath()
{
    {
        std::lock_guard<std::mutex> guard(g_pathLock);
        if (!g_chosenDatabase.empty())
            return g_chosenDatabase;
    }
    if (const char* env = std::getenv("ZEV_PRICING_DB"); env != nullptr && *env != '\0')
        return env;
    return q9::DataFolder::DatabasePath("master");
}

// Whole text must be a decimal integer (blanks around it allowed).
bool ParseLong(const char* text, long& out)
{
    if (text == nullptr)
        return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    out = v;
    return true;
}

bool ParseInt(const char* text, int& out)
{
    long v = 0;
    if (!ParseLong(text, v) || v < INT_MIN || v > INT_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

// "%.2f" without regard to the process locale: the program reads the text
// back as a number with a decimal point whatever language the desktop uses.
void Put(char* buffer, double value)
{
    const auto r = std::to_chars(buffer, buffer + Q9_PRICE_BUFFER_SIZE - 1, value, std::chars_format::fixed, 2);
    *(r.ec == std::errc() ? r.ptr : buffer) = '\0';
}

} // namespace

extern "C" {

int Q9CalculatePrice(const char* item, const char* deal, const char* catalog, const char* qty, const char*, const char*,
                     const char*, const char*, const char*, char* caseOut, char* singleOut)
{
    if (caseOut == nullptr || singleOut == nullptr)
        return 0;
    int itemId = 0;
    int catalogId = 0;
    long units = 0;
    long dealCode = 0;
    if (!ParseInt(item, itemId) || !ParseInt(catalog, catalogId) || !ParseLong(qty, units))
        return 0;
    // "%u" of a negative deal code arrives as a large number: both mean no
    // valid tier, which prices at the base tier.
    if (deal == nullptr || *deal == '\0')
        dealCode = 0;
    else if (!ParseLong(deal, dealCode))
        return 0;
    try {
        Book().SetDatabase(DatabasePath());
        const auto price =
            Book().Calculate(itemId, dealCode < 0 ? ULONG_MAX : static_cast<unsigned long>(dealCode), catalogId, units);
        if (!price)
            return 0;
        Put(caseOut, price->casePrice);
        Put(singleOut, price->singlePrice);
        return 1;
    } catch (...) {
        return 0;
    }
}

int Q9EnumeratePrices(const char* item, const char* index, const char*, const char*, const char*, const char*,
                      char* breakQtyOut, char* tierOut, char* caseOut, char* singleOut)
{
    if (tierOut == nullptr || caseOut == nullptr || singleOut == nullptr)
        return 0;
    int itemId = 0;
    int at = 0;
    if (!ParseInt(item, itemId) || !ParseInt(index, at))
        return 0;
    try {
        Book().SetDatabase(DatabasePath());
        const auto tier = Book().EnumerateTier(itemId, at);
        if (!tier)
            return 0;
        if (breakQtyOut != nullptr)
            std::snprintf(breakQtyOut, Q9_PRICE_BUFFER_SIZE, "%d", tier->firstBreakQty);
        std::snprintf(tierOut, Q9_PRICE_BUFFER_SIZE, "%d", tier->tier);
        Put(caseOut, tier->casePrice);
        Put(singleOut, tier->singlePrice);
        return 1;
    } catch (...) {
        return 0;
    }
}

int Q9ClosePricing(void)
{
    Book().Close();
    return 1;
}

void Q9SetPricingDatabase(const char* path)
{
    std::lock_guard<std::mutex> guard(g_pathLock);
    g_chosenDatabase = path != nullptr ? path : "";
}

void Q9SetDataDir(const char* dir) { q9::DataFolder::Set(dir); }

} // extern "C"
