#pragma once

#include <string>

namespace q9 {

// The compressed backup of the local database file: "<file>.gz" in gzip
// format beside it. Both directions write through a temporary file renamed
// into place, so an interruption leaves the previous backup (or database)
// whole.
class DatabaseBackup {
public:
    explicit DatabaseBackup(std::string databaseFile);

    // Checkpoints a left-over write-ahead log into the file (the caller has
    // closed its connections), then compresses the file. False when the file
    // cannot be read, the log cannot be folded in, or the copy not written.
    [[nodiscard]] bool Compress();

    // Decompresses the backup after checking it is a complete gzip stream,
    // removes stale -wal/-shm/-journal files, then puts the restored file in
    // place. False (database untouched) when the backup is missing, not gzip,
    // truncated or corrupt.
    [[nodiscard]] bool Uncompress();

    [[nodiscard]] const std::string& BackupFile() const { return m_backup; }

private:
    bool CheckpointLog();

    std::string m_database;
    std::string m_backup;
};

} // namespace q9
