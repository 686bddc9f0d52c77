#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zev {

// Writes a file so that readers only ever see the old or the complete new
// contents: data goes to a temporary file in the same folder (so the rename
// stays on one file system), which Commit() flushes to disk and renames over
// the target, then syncs the folder so the rename itself is durable. A writer
// destroyed (or a process killed) before Commit() leaves the target
// untouched; the destructor removes the temporary file.
class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file with permissions `mode`; false when the
    // folder is not writable.
    [[nodiscard]] bool Open(unsigned mode = 0600);
    [[nodiscard]] int Fd() const { return m_fd; }
    [[nodiscard]] bool Write(const void* data, std::size_t size);

    // fsync, rename over the target, fsync the folder. Without syncToDisk
    // the rename is still atomic for every reader, but a power loss may
    // bring back the old file (for scratch files read at once).
    [[nodiscard]] bool Commit(bool syncToDisk = true);

    // Removes the temporary file without touching the target.
    void Discard();

    [[nodiscard]] const std::string& TempPath() const { return m_temp; }

    // Removes temporary files of `target` left by a writer that was killed
    // (only one writer per target runs at a time in this program).
    static void RemoveStale(const std::string& target);

private:
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
};

// Replaces `path` with `contents` through an AtomicFile. `mode` applies to
// the new file. False with `error` filled on failure; the old file is then
// untouched. Without `syncToDisk` the replacement is still atomic for every
// process, but a power loss may bring back the old file.
[[nodiscard]] bool WriteFileAtomically(const std::string& path, std::string_view contents, unsigned mode = 0600,
                                       std::string* error = nullptr, bool syncToDisk = true);

// Forces `path` and the folder entry naming it to the disk.
[[nodiscard]] bool SyncFileToDisk(const std::string& path);

// Whole file into `contents`; false when it cannot be read.
[[nodiscard]] bool ReadWholeFile(const std::string& path, std::string& contents);

} // namespace zev
