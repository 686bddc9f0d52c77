#pragma once

#include <memory>
#include <string>

class CVOConnection;
class CVORecordset;

// One connection string and, while connected, the one connection made from
// it. Copies share the connection (it closes when the last holder lets go).
class DBLib {
public:
    virtual ~DBLib();
    DBLib(const DBLib& other);
    DBLib& operator=(const DBLib& other);

    // A new library for the string on every call; the caller keeps it.
    static DBLib* getInstance(const std::string& connectionString);

    // Folder in which "Database=name" connection strings find name.db.
    // Creating the folder is the caller's job.
    static void SetDatabaseFolder(const std::string& path);
    static std::string GetDatabaseFolder();

    // Connects when not connected; returns 1. Throws TabulaError when the
    // database file cannot be opened.
    int connect();
    void disconnect();
    int isConnected() const;
    // Connects first when needed (may throw like connect).
    CVOConnection* getConnection();
    // Runs the text on a new recordset that the caller owns and deletes; the
    // recordset is returned even when the open failed (see IsOpen). Call only
    // on a connected library.
    CVORecordset* exec(const std::string& sql);
    std::string getConString() const;

private:
    explicit DBLib(const std::string& connectionString);
    int init();
    void setConnectionType();

    int m_connected = 0;
    std::shared_ptr<CVOConnection> m_connection;
    std::string m_connectionString;
};
