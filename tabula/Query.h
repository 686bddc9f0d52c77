#pragma once

#include "tabula/AdoEnums.h"
#include "tabula/CVORecordset.h"

#include <memory>
#include <string>

class QueryPool;

// A table object's base: bound to one table (or join) and its integer key
// column, holding ready SQL texts for that table and one recordset borrowed
// from a pool for its whole life. Copies share the borrowed recordset; it
// returns to the pool when the last copy goes.
//
// Select operations return 1 only when the result has rows (0 = failed or
// empty); other statements return 1 when they ran.
class Query {
public:
    Query(const std::string& tableName, const std::string& keyColumn, int poolKey);
    virtual ~Query();
    Query(const Query& other);
    Query& operator=(const Query& other);

    void initSQL(const std::string& tableName, const std::string& keyColumn);

    int Open(const std::string& sql, CommandTypeEnum type = adCmdText);
    int OpenNoCount(const std::string& sql, CommandTypeEnum type = adCmdText);
    void Exec(const std::string& sql);

    int getAll();
    int getByPK(int key);
    int getWhereUpdated();
    int getUpdatedAndStatus();
    int setAllUpdated(int value);
    int setUpdated(int key, int flag);
    int updateSingleField(int key, const std::string& column, int value);
    int updateSingleField(int key, const std::string& column, const std::string& value);
    int deleteByPK(int key);
    int deleteAllUpdated(int value);
    int deleteAllUpdatedAndStatus(int value);
    // First column of the first row, or "Error!!!" when nothing was read.
    std::string getSingleField(int key, const std::string& column);
    int getSQLCount();
    // Next free key: 1 for an empty table, max+1 otherwise, -1 on failure.
    int getNewPK();
    long getCount();
    long getRSRecordCount();
    int getPK();
    CVORecordset* getRS() const { return m_pRS; }
    int Find(const std::string& criteria, int direction);

    int IsEOF();
    int IsBOF();
    int IsOpen();
    int Close();
    int MoveFirst();
    int MoveNext();
    int MovePrevious();

    // The shared connection's transaction (nesting: see CVOConnection).
    int beginTransaction();
    int commitTransaction();
    int rollbackTransaction();

    int GetFieldValueInt(long index);
    double GetFieldValueDouble(long index);
    float GetFieldValueFloat(long index);
    std::string GetFieldValueString(long index);
    void FillFromFieldValueString(long index, std::string& out);

    static std::string fixApost(const std::string& text);
    // "m/d/yyyy" -> "mm/dd/yyyy"; text of another shape is returned unchanged.
    static std::string zeroPadDate(const std::string& date);

    const std::string& getTableName() const { return m_strTable; }
    const std::string& getKeyColumn() const { return m_strKey; }
    // The statement the last operation ran.
    const std::string& getLastSQL() const { return m_strSQL; }

protected:
    Query();
    // Borrows a recordset from the pool registered under the key (used by
    // derived classes that set themselves up). Throws TabulaError when no
    // pool has that key.
    void attachPool(int poolKey);

    QueryPool* m_pPool = nullptr;
    CVORecordset* m_pRS = nullptr;
    std::string m_strTable;
    std::string m_strSelectAll;
    std::string m_strSQL;
    std::string m_strByPK;
    std::string m_strKey;
    std::string m_strNewPK;
    std::string m_strCount;

private:
    void doState() {}
    struct Borrow;
    std::shared_ptr<Borrow> m_borrow;
};

// A table keyed by two integer columns.
class CompoundKeyQuery : public Query {
public:
    CompoundKeyQuery(const std::string& tableName, const std::string& keyColumn, const std::string& secondKeyColumn,
                     int poolKey);
    ~CompoundKeyQuery() override;
    CompoundKeyQuery(const CompoundKeyQuery&) = default;
    CompoundKeyQuery& operator=(const CompoundKeyQuery&) = default;

    int getByPK(int key, int secondKey);

protected:
    std::string m_strKey2;

private:
    int getByPK(int key);
};

// A join of several tables ("A, B") under a join condition.
class JoinedQuery : public Query {
public:
    JoinedQuery(const std::string& tables, const std::string& keyColumn, const std::string& joinCondition, int poolKey);
    ~JoinedQuery() override;
    JoinedQuery(const JoinedQuery&) = default;
    JoinedQuery& operator=(const JoinedQuery&) = default;

    const std::string& getJoinCondition() const { return m_strJoin; }

protected:
    std::string m_strJoin;

private:
    int getNewPK() { return 0; }
};
