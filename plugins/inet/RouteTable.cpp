#include "plugins/inet/RouteTable.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace q9 {

namespace {

constexpr unsigned long kRouteUp = 0x0001;

std::string ReadAll(const char* path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

bool RouteTable::HasDefaultRouteV4(const std::string& procNetRoute)
{
    std::istringstream in(procNetRoute);
    std::string line;
    std::getline(in, line); // column titles
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string iface, dest, gateway, flags, refcnt, use, metric, mask;
        if (!(fields >> iface >> dest >> gateway >> flags >> refcnt >> use >> metric >> mask))
            continue;
        if (iface == "lo" || dest != "00000000" || mask != "00000000")
            continue;
        if (std::strtoul(flags.c_str(), nullptr, 16) & kRouteUp)
            return true;
    }
    return false;
}

bool RouteTable::HasDefaultRouteV6(const std::string& procIpv6Route)
{
    std::istringstream in(procIpv6Route);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string dest, destLen, src, srcLen, next, metric, ref, use, flags, iface;
        if (!(fields >> dest >> destLen >> src >> srcLen >> next >> metric >> ref >> use >> flags >> iface))
            continue;
        if (iface == "lo" || destLen != "00" || dest != std::string(32, '0'))
            continue;
        // Unreachable placeholders (RTF_REJECT 0x0200) are not a way out.
        const unsigned long f = std::strtoul(flags.c_str(), nullptr, 16);
        if ((f & kRouteUp) && !(f & 0x0200))
            return true;
    }
    return false;
}

bool RouteTable::HasDefaultRoute()
{
    return HasDefaultRouteV4(ReadAll("/proc/net/route")) || HasDefaultRouteV6(ReadAll("/proc/net/ipv6_route"));
}

} // namespace q9
