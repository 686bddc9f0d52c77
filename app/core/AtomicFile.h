#pragma once

#include <string>
#include <string_view>

namespace zev {

// Replaces `path` with `contents` so that readers see either the old file or
// the new one, never a part: a temporary file in the same folder is written,
// flushed to disk and renamed over the target, then the folder is synced.
// `mode` applies to the new file. False with `error` filled on failure; the
// old file is then untouched. Without `syncToDisk` the replacement is still
// atomic for every process, but a power loss may bring back the old file.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view contents, unsigned mode = 0600,
                                       std::string* error = nullptr, bool syncToDisk = true);

// Forces `path` and the folder entry naming it to the disk.
[[nodiscard]] bool SyncFileToDisk(const std::string& path);

// Whole file into `contents`; false when it cannot be read.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& contents);

} // namespace zev
