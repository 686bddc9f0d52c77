#pragma once

#include <string>
#include <vector>

class CVOConnection;
class CVORecordset;
class DBLib;
class PooledQuery;
class QueryPool;

// One entry of the registry of pools.
struct QueryPoolContainer {
    QueryPool* m_pPool = nullptr;
    int m_nKey = 0;
};

// Lends recordsets on one shared connection to table objects. Recordsets are
// only marked free when returned and reused in creation order. Pools are
// registered by key; the program uses key 0. Not thread-safe: one thread uses
// a pool (a worker thread opens its own DBLib/connection).
class QueryPool {
public:
    // The pool registered under the key, created (and connected) for the
    // connection string when there is none; an existing pool ignores the
    // string. Throws TabulaError when the database cannot be opened.
    static QueryPool* GetInstance(const std::string& connectionString, int key);
    // The registered pool, or null.
    static QueryPool* GetInstance(int key);
    // Deletes every registered pool (closing their connections).
    static void DestroyAll();

    ~QueryPool();
    QueryPool(const QueryPool&) = delete;
    QueryPool& operator=(const QueryPool&) = delete;

    // First free recordset in creation order, or a new one (connecting
    // first when needed; may throw TabulaError).
    CVORecordset* getRecordset();
    void releaseRecordset(CVORecordset* recordset);
    void closeAll();
    // Deletes every free recordset and disconnects; the next getRecordset
    // reconnects. A recordset still lent to a table object is detached
    // instead (its calls fail from now on) and deleted when returned, so a
    // table object that outlives this call fails rather than reaching freed
    // memory.
    void removeAll();

    DBLib* getLibrary() const { return m_pLib; }
    // Number of recordsets the pool holds (free or lent).
    std::size_t size() const { return m_recordsets.size(); }

    static std::vector<QueryPoolContainer*> m_QueryPools;

private:
    explicit QueryPool(const std::string& connectionString);
    static QueryPoolContainer* findQueryPool(QueryPool* pool, bool remove);
    static QueryPoolContainer* findQueryPool(int key, bool remove);
    PooledQuery* findRecordset();
    PooledQuery* allocRecordset();
    CVOConnection* getConnection();

    DBLib* m_pLib = nullptr;
    std::vector<PooledQuery*> m_recordsets;
    std::vector<PooledQuery*> m_detached; // lent when removeAll ran
};
