#include "tabula/QueryPool.h"

#include "tabula/DBLib.h"
#include "tabula/PooledQuery.h"

#include <algorithm>

std::vector<QueryPoolContainer*> QueryPool::m_QueryPools;

QueryPool::QueryPool(const std::string& connectionString) : m_pLib(DBLib::getInstance(connectionString))
{
    try {
        m_pLib->connect();
    } catch (...) {
        delete m_pLib;
        m_pLib = nullptr;
        throw;
    }
}

QueryPool::~QueryPool()
{
    findQueryPool(this, true);
    removeAll();
    for (PooledQuery* rs : m_detached) {
        delete rs;
    }
    delete m_pLib;
}

QueryPool* QueryPool::GetInstance(const std::string& connectionString, int key)
{
    if (QueryPoolContainer* entry = findQueryPool(key, false)) {
        return entry->m_pPool;
    }
    // Constructed before it is registered, so a failed connect leaves no entry.
    auto* pool = new QueryPool(connectionString);
    auto* entry = new QueryPoolContainer;
    entry->m_pPool = pool;
    entry->m_nKey = key;
    m_QueryPools.push_back(entry);
    return pool;
}

QueryPool* QueryPool::GetInstance(int key)
{
    QueryPoolContainer* entry = findQueryPool(key, false);
    return entry ? entry->m_pPool : nullptr;
}

void QueryPool::DestroyAll()
{
    while (!m_QueryPools.empty()) {
        delete m_QueryPools.front()->m_pPool; // removes its own entry
    }
}

QueryPoolContainer* QueryPool::findQueryPool(QueryPool* pool, bool remove)
{
    auto it = std::find_if(m_QueryPools.begin(), m_QueryPools.end(),
                           [pool](const QueryPoolContainer* e) { return e->m_pPool == pool; });
    if (it == m_QueryPools.end()) {
        return nullptr;
    }
    if (remove) {
        delete *it;
        m_QueryPools.erase(it);
        return nullptr;
    }
    return *it;
}

QueryPoolContainer* QueryPool::findQueryPool(int key, bool remove)
{
    auto it = std::find_if(m_QueryPools.begin(), m_QueryPools.end(),
                           [key](const QueryPoolContainer* e) { return e->m_nKey == key; });
    if (it == m_QueryPools.end()) {
        return nullptr;
    }
    if (remove) {
        delete *it;
        m_QueryPools.erase(it);
        return nullptr;
    }
    return *it;
}

PooledQuery* QueryPool::findRecordset()
{
    for (PooledQuery* rs : m_recordsets) {
        if (!rs->m_inUse) {
            return rs;
        }
    }
    return nullptr;
}

PooledQuery* QueryPool::allocRecordset()
{
    auto* rs = new PooledQuery(getConnection());
    m_recordsets.push_back(rs);
    return rs;
}

CVOConnection* QueryPool::getConnection() { return m_pLib->getConnection(); }

CVORecordset* QueryPool::getRecordset()
{
    PooledQuery* rs = findRecordset();
    if (rs == nullptr) {
        rs = allocRecordset();
    }
    rs->m_inUse = 1;
    return rs;
}

void QueryPool::releaseRecordset(CVORecordset* recordset)
{
    if (recordset == nullptr) {
        return;
    }
    for (auto it = m_detached.begin(); it != m_detached.end(); ++it) {
        if (*it == recordset) {
            delete *it;
            m_detached.erase(it);
            return;
        }
    }
    for (PooledQuery* rs : m_recordsets) {
        if (rs == recordset) {
            rs->m_inUse = 0;
            rs->Close();
            return;
        }
    }
}

void QueryPool::closeAll()
{
    for (PooledQuery* rs : m_recordsets) {
        rs->Close();
    }
}

void QueryPool::removeAll()
{
    for (PooledQuery* rs : m_recordsets) {
        if (rs->m_inUse) {
            rs->Detach();
            m_detached.push_back(rs);
        } else {
            delete rs;
        }
    }
    m_recordsets.clear();
    if (m_pLib) {
        m_pLib->disconnect();
    }
}
