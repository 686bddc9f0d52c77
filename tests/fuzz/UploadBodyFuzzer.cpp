// The reference server's decoding of the upload pages' bodies. The first
// byte picks the page.
#include "server/UploadBody.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zev::server;
    if (size == 0)
        return 0;
    const auto& pages = UploadPages();
    const UploadPage& page = pages[data[0] % pages.size()];
    const std::string body(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<UploadField> fields;
    std::string error;
    (void)DecodeUpload(page, body, fields, error);
    (void)FindUploadPage(body);
    return 0;
}
