#pragma once

#include <string>
#include <vector>

namespace q9 {

// Runs nmcli directly (no shell: the connection name is one argv entry, so
// quotes or semicolons in it are just characters of the name).
class NetworkManager {
public:
    enum class Outcome { Ok, NotInstalled, Failed };

    // Runs "nmcli <args...>", waiting for it; stdout goes to `output`.
    static Outcome Run(const std::vector<std::string>& args, std::string* output = nullptr);

    static Outcome Up(const std::string& name);
    static Outcome Down(const std::string& name);
    static bool IsActive(const std::string& name);
};

} // namespace q9
