#include "base/DatabaseFile.h"

#include <algorithm>

namespace zev {

std::string DatabaseFile(const std::string& folder, std::string_view name)
{
    std::string file(name.empty() ? std::string_view("master") : name);
    std::replace(file.begin(), file.end(), '/', '_');
    std::replace(file.begin(), file.end(), '\\', '_');
    if (file == "." || file == "..")
        file = "master";
    return folder + "/" + file + ".db";
}

} // namespace zev
