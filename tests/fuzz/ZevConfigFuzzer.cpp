// The distributor settings record: any 17,714 bytes behind a valid magic and
// format version, read through every accessor the program uses. Shorter
// inputs are padded with zeros, so the whole record is reachable.
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace zev;
    // The raw input as it stands (most are refused by length or magic).
    (void)ZevConfig().LoadBytes(std::vector<std::uint8_t>(data, data + size));

    std::vector<std::uint8_t> bytes(cfg::kRecordSize, 0);
    std::memcpy(bytes.data(), data, size < bytes.size() ? size : bytes.size());
    const std::uint32_t magic = cfg::kMagicValue;
    std::memcpy(bytes.data() + cfg::kMagic, &magic, sizeof magic);
    const std::uint16_t version = 3;
    std::memcpy(bytes.data() + cfg::kFormatVersion, &version, sizeof version);
    ZevConfig config;
    if (config.LoadBytes(bytes) != ZevConfig::LoadResult::Ok)
        return 0;
    for (int n = -1; n <= 65; ++n)
        (void)config.Title(n);
    (void)config.OrderOptionNames();
    for (int list = 0; list <= 18; ++list)
        (void)config.List(list);
    for (std::size_t offset = 0; offset < cfg::kRecordSize + 8; offset += 97) {
        (void)config.Byte(offset);
        (void)config.UInt16(offset);
        (void)config.Int32(offset);
        (void)config.Text(offset);
    }
    return 0;
}
