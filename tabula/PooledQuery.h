#pragma once

#include "tabula/CVORecordset.h"

// A recordset that lives in a QueryPool and is lent to one table object at a
// time.
class PooledQuery : public CVORecordset {
public:
    explicit PooledQuery(CVOConnection* connection) : CVORecordset(connection) {}
    ~PooledQuery() override { Close(); }
    PooledQuery(const PooledQuery&) = default;
    PooledQuery& operator=(const PooledQuery&) = default;

    int m_inUse = 0;
};
