#include "tabula/Query.h"

#include "tabula/QueryPool.h"
#include "tabula/TabulaError.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

// Returns the borrowed recordset to its pool when the last copy of the
// table object goes (and only if the pool is still registered).
struct Query::Borrow {
    QueryPool* pool = nullptr;
    CVORecordset* rs = nullptr;
    ~Borrow()
    {
        for (const QueryPoolContainer* entry : QueryPool::m_QueryPools) {
            if (entry->m_pPool == pool) {
                pool->releaseRecordset(rs);
                return;
            }
        }
    }
};

Query::Query() = default;

Query::Query(const std::string& tableName, const std::string& keyColumn, int poolKey)
{
    attachPool(poolKey);
    initSQL(tableName, keyColumn);
}

Query::~Query() = default;
Query::Query(const Query& other) = default;
Query& Query::operator=(const Query& other) = default;

void Query::attachPool(int poolKey)
{
    QueryPool* pool = QueryPool::GetInstance(poolKey);
    if (pool == nullptr) {
        throw TabulaError("no query pool registered under key " + std::to_string(poolKey));
    }
    auto borrow = std::make_shared<Borrow>();
    borrow->pool = pool;
    borrow->rs = pool->getRecordset();
    m_pPool = pool;
    m_pRS = borrow->rs;
    m_borrow = std::move(borrow);
}

void Query::initSQL(const std::string& tableName, const std::string& keyColumn)
{
    m_strTable = tableName;
    m_strKey = keyColumn;
    m_strSelectAll = "select * from " + tableName;
    m_strByPK = m_strSelectAll + " where " + keyColumn + "=";
    m_strNewPK = "select max(" + keyColumn + ") + 1 from " + tableName;
    m_strCount = "select count(*) from " + tableName;
}

int Query::Open(const std::string& sql, CommandTypeEnum type)
{
    if (m_pRS == nullptr) {
        return 0;
    }
    if (!m_pRS->Open(sql, adOpenStatic, adLockReadOnly, type)) {
        return 0;
    }
    std::size_t start = 0;
    while (start < sql.size() && std::isspace(static_cast<unsigned char>(sql[start]))) {
        ++start;
    }
    static const char select[] = "select";
    bool isSelect = sql.size() - start >= 6;
    for (std::size_t i = 0; isSelect && i < 6; ++i) {
        isSelect = std::tolower(static_cast<unsigned char>(sql[start + i])) == select[i];
    }
    if (!isSelect) {
        return 1;
    }
    return m_pRS->getRSRecordCount() != 0 ? 1 : 0;
}

int Query::OpenNoCount(const std::string& sql, CommandTypeEnum type)
{
    if (m_pRS == nullptr) {
        return 0;
    }
    return m_pRS->Open(sql, adOpenStatic, adLockReadOnly, type) ? 1 : 0;
}

void Query::Exec(const std::string& sql) { Open(sql, adCmdText); }

int Query::getAll()
{
    m_strSQL = m_strSelectAll;
    return Open(m_strSQL);
}

int Query::getByPK(int key)
{
    m_strSQL = m_strByPK + std::to_string(key);
    return Open(m_strSQL);
}

int Query::getWhereUpdated()
{
    m_strSQL = m_strSelectAll + " where Updated != 0";
    return Open(m_strSQL);
}

int Query::getUpdatedAndStatus()
{
    m_strSQL = m_strSelectAll + " where Updated != 0 and visitstatus in ('M','D','R','O','N','C')";
    return Open(m_strSQL);
}

int Query::setAllUpdated(int value)
{
    m_strSQL = "update " + m_strTable + " set Updated = " + std::to_string(value);
    return Open(m_strSQL);
}

int Query::setUpdated(int key, int flag) { return updateSingleField(key, "Updated", flag); }

int Query::updateSingleField(int key, const std::string& column, int value)
{
    m_strSQL = "update " + m_strTable + " set " + column + "=" + std::to_string(value) + " where " + m_strKey + "=" +
               std::to_string(key);
    return Open(m_strSQL);
}

int Query::updateSingleField(int key, const std::string& column, const std::string& value)
{
    m_strSQL = "update " + m_strTable + " set " + column + "='" + fixApost(value) + "' where " + m_strKey + "=" +
               std::to_string(key);
    return Open(m_strSQL);
}

int Query::deleteByPK(int key)
{
    m_strSQL = "delete " + m_strTable + " where " + m_strKey + "=" + std::to_string(key);
    return Open(m_strSQL);
}

int Query::deleteAllUpdated(int value)
{
    m_strSQL = "delete from " + m_strTable + " where Updated = " + std::to_string(value);
    return Open(m_strSQL);
}

int Query::deleteAllUpdatedAndStatus(int value)
{
    m_strSQL = "delete from " + m_strTable + " where Updated = " + std::to_string(value) +
               " and visitstatus in ('M','D','R','O','N','C')";
    return Open(m_strSQL);
}

std::string Query::getSingleField(int key, const std::string& column)
{
    m_strSQL = "select " + column + " from " + m_strTable + " where " + m_strKey + "=" + std::to_string(key);
    if (Open(m_strSQL)) {
        return GetFieldValueString(0);
    }
    return "Error!!!";
}

int Query::getSQLCount()
{
    m_strSQL = m_strCount;
    if (!Open(m_strSQL)) {
        return 0;
    }
    return GetFieldValueInt(0);
}

int Query::getNewPK()
{
    m_strSQL = m_strCount;
    if (!Open(m_strSQL) || GetFieldValueInt(0) == 0) {
        return 1;
    }
    m_strSQL = m_strNewPK;
    if (Open(m_strSQL)) {
        return GetFieldValueInt(0);
    }
    return -1;
}

long Query::getCount() { return m_pRS ? m_pRS->getRSRecordCount() : 0; }

long Query::getRSRecordCount() { return getCount(); }

int Query::getPK() { return GetFieldValueInt(0); }

int Query::Find(const std::string& criteria, int direction) { return m_pRS ? m_pRS->Find(criteria, direction) : 0; }

int Query::IsEOF() { return m_pRS ? m_pRS->IsEOF() : 1; }

int Query::IsBOF() { return m_pRS ? m_pRS->IsBOF() : 0; }

int Query::IsOpen() { return m_pRS ? m_pRS->IsOpen() : 0; }

int Query::Close() { return m_pRS ? m_pRS->Close() : 0; }

int Query::MoveFirst() { return m_pRS ? m_pRS->MoveFirst() : 0; }

int Query::MoveNext() { return m_pRS ? m_pRS->MoveNext() : 0; }

int Query::MovePrevious() { return m_pRS ? m_pRS->MovePrevious() : 0; }

int Query::beginTransaction() { return m_pRS ? m_pRS->BeginTrans() : 0; }

int Query::commitTransaction() { return m_pRS ? m_pRS->CommitTrans() : 0; }

int Query::rollbackTransaction() { return m_pRS ? m_pRS->RollbackTrans() : 0; }

int Query::GetFieldValueInt(long index)
{
    if (m_pRS == nullptr) {
        return 0;
    }
    return m_pRS->GetFieldValue(index).ToInt();
}

double Query::GetFieldValueDouble(long index)
{
    if (m_pRS == nullptr) {
        return 0.0;
    }
    return m_pRS->GetFieldValue(index).ToDouble();
}

float Query::GetFieldValueFloat(long index) { return static_cast<float>(GetFieldValueDouble(index)); }

std::string Query::GetFieldValueString(long index) { return m_pRS ? m_pRS->GetFieldValueString(index) : std::string(); }

void Query::FillFromFieldValueString(long index, std::string& out)
{
    out.clear();
    if (m_pRS) {
        m_pRS->FillFieldValueString(index, out);
    }
}

std::string Query::fixApost(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 4);
    for (char c : text) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    return out;
}

std::string Query::zeroPadDate(const std::string& date)
{
    int month = 0;
    int day = 0;
    int year = 0;
    if (std::sscanf(date.c_str(), "%d/%d/%d", &month, &day, &year) != 3) {
        return date;
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%d", month, day, year);
    return buf;
}

// ---------------------------------------------------------------------------

CompoundKeyQuery::CompoundKeyQuery(const std::string& tableName, const std::string& keyColumn,
                                   const std::string& secondKeyColumn, int poolKey)
    : Query(tableName, keyColumn, poolKey), m_strKey2(secondKeyColumn)
{
    m_strByPK = "select * from " + tableName + " where " + keyColumn + "=%d and " + secondKeyColumn + "=%d";
    m_strNewPK.clear();
}

CompoundKeyQuery::~CompoundKeyQuery() = default;

int CompoundKeyQuery::getByPK(int key, int secondKey)
{
    // The two %d of the by-key text, filled in order; names are not formats.
    std::string out;
    const std::string values[2] = {std::to_string(key), std::to_string(secondKey)};
    int used = 0;
    for (std::size_t i = 0; i < m_strByPK.size(); ++i) {
        if (used < 2 && m_strByPK.compare(i, 2, "%d") == 0) {
            out += values[used++];
            ++i;
        } else {
            out += m_strByPK[i];
        }
    }
    m_strSQL = out;
    return Open(m_strSQL);
}

int CompoundKeyQuery::getByPK(int /*key*/) { return 0; }

JoinedQuery::JoinedQuery(const std::string& tables, const std::string& keyColumn, const std::string& joinCondition,
                         int poolKey)
    : Query(tables, keyColumn, poolKey), m_strJoin(joinCondition)
{
    m_strSelectAll = "select * from " + tables + " where " + joinCondition + " ";
    m_strByPK = m_strSelectAll + " and " + keyColumn + "=";
    m_strNewPK.clear();
    m_strCount = "select count(*) from " + tables + " where " + joinCondition;
}

JoinedQuery::~JoinedQuery() = default;
