// The translation of the program's SQL dialect into SQLite, and the date
// reader it uses.
#include "tabula/SqlDialect.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string sql(reinterpret_cast<const char*>(data), size);
    static const tabula::SqlDialect dialect;
    (void)dialect.Translate(sql);
    (void)tabula::SqlDialect::CanonicalDateTime(sql);
    return 0;
}
