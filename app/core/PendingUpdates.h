#pragma once

#include <string>

namespace zev {

// Installs updates left in the program folder: every "NAME.ex_" replaces the
// program file "NAME" (programs carry no extension on Linux, so
// "ZevSatchel.ex_" replaces "ZevSatchel"). The replacement is a single rename,
// so the program file is never missing; the new file gets the old file's
// permissions (or 0755 when there was none). Failures are not reported.
// Returns the number of files installed.
int InstallPendingUpdates(const std::string& programDir);

// Removes stale work files of earlier runs: every regular file in `tempDir`
// whose name begins with "SQLCE". Returns the number removed.
int RemoveStaleTempFiles(const std::string& tempDir);

} // namespace zev
