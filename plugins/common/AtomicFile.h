#pragma once

#include <cstddef>
#include <string>

namespace q9 {

// Writes a file so that readers only ever see the old or the complete new
// contents: data goes to a temporary file in the same folder, which Commit()
// flushes to disk and renames over the target. A writer destroyed (or a
// process killed) before Commit() leaves the target untouched; the destructor
// removes the temporary file.
class AtomicFile {
public:
    explicit AtomicFile(std::string target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; false when the folder is not writable.
    [[nodiscard]] bool Open();
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

} // namespace q9
