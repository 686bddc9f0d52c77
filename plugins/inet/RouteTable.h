#pragma once

#include <string>

namespace q9 {

// Whether the kernel's routing tables hold an active default route, the sign
// that traffic can leave the machine without dialling first.
class RouteTable {
public:
    // Parses the text of /proc/net/route: a line whose destination and mask
    // are 00000000 and whose flags have RTF_UP.
    static bool HasDefaultRouteV4(const std::string& procNetRoute);
    // Parses /proc/net/ipv6_route: destination ::/0 on an interface other than lo.
    static bool HasDefaultRouteV6(const std::string& procIpv6Route);

    // Reads both files of the running system.
    static bool HasDefaultRoute();
};

} // namespace q9
