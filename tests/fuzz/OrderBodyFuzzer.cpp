// The reference server's reading of a posted order.
#include "server/OrderBody.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string body(reinterpret_cast<const char*>(data), size);
    zev::server::ReceivedOrder order;
    std::string error;
    (void)zev::server::ParseOrderBody(body, order, error);
    return 0;
}
