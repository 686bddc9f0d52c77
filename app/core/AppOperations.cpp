#include "app/core/AppOperations.h"

#include "app/core/DistributorInfo.h"
#include "app/core/IniReader.h"
#include "app/core/Profile.h"

#include <unistd.h>

namespace zev {

bool IsDatabaseCurrent(const std::string& schemaFilePath, const Profile& profile)
{
    if (::access(schemaFilePath.c_str(), R_OK) != 0)
        return false;
    const std::string version = Trim(ReadProfileString("Database", "Version", "", 9, schemaFilePath));
    // A database never built has no "DBVersion" at all; it is not current even
    // when the schema file names no version.
    const auto stored = profile.FindText("DBVersion");
    return stored && version == *stored;
}

int ScreenAfterStart(const Profile& profile) { return profile.UserID().empty() ? 3 : 1; }

DistributorColumn8 ParseDistributorColumn8(std::string_view value)
{
    DistributorColumn8 result;
    result.text = Trim(value);
    if (!result.text.empty()) {
        const auto comma = result.text.find(',');
        result.number = ToInt(result.text.substr(0, comma));
    }
    return result;
}

} // namespace zev
