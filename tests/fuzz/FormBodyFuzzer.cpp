// The reference server's form and query splitting and the unescaping of the
// program's replacement sets.
#include "server/FormBody.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zev::server;
    const std::string body(reinterpret_cast<const char*>(data), size);
    auto fields = SplitForm(body);
    (void)FindField(fields, "ID");
    (void)SplitQuery("/MobileServer/v1/grabdata.cfm?" + body);
    (void)SplitQuery(body);
    for (const auto* set : {&EscapeSetA(), &EscapeSetB(), &EscapeSetC(), &EscapeSetD(), &EscapeSetE()})
        (void)Unescape(body, *set);
    (void)ParseInteger(body);
    (void)ParseDecimal(body);
    return 0;
}
