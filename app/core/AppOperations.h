#pragma once

#include <string>

namespace zev {

class Profile;

// True when the schema file's [Database] Version (at most 9 characters,
// trimmed) equals the profile's "DBVersion"; false when the schema file is
// missing.
[[nodiscard]] bool IsDatabaseCurrent(const std::string& schemaFilePath, const Profile& profile);

// The screen the start screen leads to: the first-time setup (3) while no
// user is registered ("UserID" empty), otherwise the sign-in screen (1).
int ScreenAfterStart(const Profile& profile);

} // namespace zev
