#pragma once

#include "base/ProgressSink.h"

#include <functional>
#include <string>
#include <vector>

// What the synchronisation engine talks to, handed in through its
// constructor: the posting function of the network library, the other helper
// library entry points, the settings file, the user profile, the local
// database and the distributor configuration. The program and the
// command-line companion wire the real ones; tests wire fakes.
namespace zev::sync {

// PostDataT2: (default host, backup host, URL path, form body, time-out ms,
// progress sink or null, port) -> 0 when the server answered; the reply
// body is then in the reply file.
using PostDataFn =
    std::function<int(const char*, const char*, const char*, const char*, int, zev::IProgressSink*, int)>;

// The same post with the reply going to a file the caller names, safe beside
// another such post; the last argument, when not null, asks a running post
// to stop once it points to non-zero. Optional: empty when the network
// library lacks it.
using PostToFileFn = std::function<int(const char*, const char*, const char*, const char*, int, zev::IProgressSink*,
                                       int, const char*, const int*)>;

// One request as it goes out: hosts, port, time-out and the path as sent.
struct PostTarget {
    std::string host;
    std::string backup;
    std::string path;
    int port = 80;
    int timeoutMs = 0;
};

struct HelperFunctions {
    std::function<int()> isConnected;                         // Q9IsConnected
    std::function<int(int)> testConnection;                   // Q9TestConnection
    std::function<int(const char*, void*)> connect;           // Q9Connect: 0 when opened
    std::function<int()> disconnect;                          // Q9Disconnect
    std::function<int(const char*, int)> compress;            // Q9Compress(database file, 0)
    std::function<int(const char*, int)> uncompress;          // Q9Uncompress(database file, 0)
    std::function<int(int, int, int, int, int, int)> setTime; // Q9SetTime
    std::function<std::string(const std::string&)> hash;      // Q9Hash: 32-character digest
};

// ZevSatchel.INI; every call reads the file afresh so an edit counts at the
// next exchange.
class ISyncSettings {
public:
    virtual ~ISyncSettings() = default;
    virtual std::string Value(const std::string& section, const std::string& key, const std::string& def) const = 0;
};

// The per-user profile, section "Application" unless named.
class ISyncProfile {
public:
    virtual ~ISyncProfile() = default;
    virtual std::string GetString(const std::string& name, const std::string& def = {}) const = 0;
    virtual void SetString(const std::string& name, const std::string& value) = 0;
    virtual int GetInt(const std::string& name, int def = 0) const = 0;
    virtual void SetInt(const std::string& name, int value) = 0;
    virtual void DeleteSection(const std::string& section) = 0;
    // Relaxed (false): writes need not reach the disk one by one (they stay
    // atomic). Back to durable (true): everything written so far is on the
    // disk when this returns true.
    [[nodiscard]] virtual bool SetWritesDurable(bool /*durable*/) { return true; }
};

using Row = std::vector<std::string>;
using Rows = std::vector<Row>;

// The local database as the exchanges use it. Statements are the program's
// templates in their own dialect; the implementation over the database
// library translates them.
class ISyncDb {
public:
    virtual ~ISyncDb() = default;
    // Creates the shared connection (pool 0) when it does not exist yet.
    virtual bool OpenAdmin() = 0;
    // Any statement; false when it failed.
    virtual bool Exec(const std::string& sql) = 0;
    // A select; false when it failed. Values as text, null as "".
    virtual bool Select(const std::string& sql, Rows& rows, std::vector<std::string>* columns = nullptr) = 0;
    // A new row with every value passed as text.
    virtual bool Insert(const std::string& table, const std::vector<std::string>& columns, const Row& values) = 0;
    // A statement with "?" placeholders and bound text values.
    virtual bool ExecBound(const std::string& sql, const Row& params) = 0;
    // Column names of a table, empty when it cannot be read.
    virtual std::vector<std::string> Columns(const std::string& table) = 0;
    virtual bool Begin() = 0;
    virtual bool Commit() = 0;
    virtual bool Rollback() = 0;
    // A bulk load (the complete update, guarded by its backup and the
    // RestoreOnOpen mark) may commit without syncing each commit and with a
    // larger page cache. EndBulkLoad makes everything committed so far
    // durable; false when that could not be assured.
    virtual void BeginBulkLoad() {}
    [[nodiscard]] virtual bool EndBulkLoad() { return true; }
    // Closes every pooled recordset and the connection (before the file is
    // replaced or tables are dropped); the next call reconnects.
    virtual void CloseAll() = 0;
};

// Files the exchanges read and write, already mapped to this machine.
struct SyncPaths {
    std::string replyFile;    // where the posting library leaves the reply
    std::string errorLog;     // synchronisation error log
    std::string tempDir;      // work files
    std::string programDir;   // schema file folder
    std::string databaseFile; // GENERAL/DATABASE value passed to the compressor
    std::string backupFile;   // the compressed copy it makes (default: databaseFile + ".gz")
};

} // namespace zev::sync
