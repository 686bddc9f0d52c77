#pragma once

#include <string>
#include <string_view>

// Readers of the local "DistributorInfo" table (through the database library,
// query pool 0, which must be open).
namespace zev {

class ZevConfig;

// After sign-in and from maintenance: column 16 of the first row goes to the
// record's order minimum when it is 0 or more (stored as 16 bits), column 7 to
// the guide sort key when it lies in 0..20. Nothing changes without a row.
// Always succeeds.
bool RefreshFromDistributorInfo(ZevConfig& config);

// Column 8: trimmed text, a number optionally followed by "," and more text.
struct DistributorColumn8 {
    std::string text;
    int number = 10; // leading number; 10 when the text is empty
};

DistributorColumn8 ReadDistributorColumn8();

// The parsing part of the reader, usable without a database.
DistributorColumn8 ParseDistributorColumn8(std::string_view value);

} // namespace zev
