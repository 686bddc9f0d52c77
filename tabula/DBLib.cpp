#include "tabula/DBLib.h"

#include "tabula/CVOConnection.h"
#include "tabula/CVORecordset.h"

#include <mutex>

namespace {

std::mutex& folderMutex()
{
    static std::mutex m;
    return m;
}

std::string& folderValue()
{
    static std::string folder;
    return folder;
}

} // namespace

void DBLib::SetDatabaseFolder(const std::string& path)
{
    std::lock_guard<std::mutex> lock(folderMutex());
    folderValue() = path;
}

std::string DBLib::GetDatabaseFolder()
{
    std::lock_guard<std::mutex> lock(folderMutex());
    return folderValue();
}

DBLib::DBLib(const std::string& connectionString) : m_connectionString(connectionString) { setConnectionType(); }

DBLib::~DBLib() = default;
DBLib::DBLib(const DBLib& other) = default;
DBLib& DBLib::operator=(const DBLib& other) = default;

DBLib* DBLib::getInstance(const std::string& connectionString) { return new DBLib(connectionString); }

int DBLib::init()
{
    setConnectionType();
    return 1;
}

void DBLib::setConnectionType()
{
    // The string is kept exactly as given; CVOConnection maps it to a file.
}

int DBLib::connect()
{
    if (!m_connected) {
        m_connection = std::make_shared<CVOConnection>(m_connectionString);
        m_connected = 1;
    }
    return 1;
}

void DBLib::disconnect()
{
    if (m_connected) {
        m_connection.reset();
        m_connected = 0;
    }
}

int DBLib::isConnected() const { return m_connected; }

CVOConnection* DBLib::getConnection()
{
    connect();
    return m_connection.get();
}

CVORecordset* DBLib::exec(const std::string& sql)
{
    auto* rs = new CVORecordset(m_connection.get());
    rs->Open(sql, adOpenDynamic, adLockReadOnly, adCmdText);
    return rs;
}

std::string DBLib::getConString() const { return m_connectionString; }
