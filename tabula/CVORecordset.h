#pragma once

#include "tabula/AdoEnums.h"
#include "tabula/Variant.h"

#include <memory>
#include <string>
#include <vector>

class CVOConnection;

namespace tabula::detail {
class ResultSet;
}

// One column of the current row, as GetField hands it out.
struct CVOField {
    std::string Name;
    Variant Value;
};

// Runs one statement at a time on a connection and walks its result. Every
// result is static: it is read whole when opened, so the record count is
// known and every move (first, next, previous, Find) works. Results are held
// compactly; a few hundred thousand rows are fine.
//
// Statements are written in the server's dialect and translated before they
// run; a statement that cannot be translated fails like any failing one.
// Copies share the result of the recordset they were copied from.
class CVORecordset {
public:
    explicit CVORecordset(CVOConnection* connection);
    virtual ~CVORecordset();
    CVORecordset(const CVORecordset& other);
    CVORecordset& operator=(const CVORecordset& other);

    // 1 on success, 0 on failure (the recordset is then closed). A previous
    // result is closed first. adCmdTable / adCmdTableDirect take a table name.
    int Open(const std::string& sql, CursorTypeEnum cursor = adOpenStatic, LockTypeEnum lock = adLockReadOnly,
             CommandTypeEnum type = adCmdText);
    // 0 without a connection; 1 otherwise (also when already closed).
    int Close();
    int IsOpen() const;
    // Non-zero past the last row, and when nothing is open.
    int IsEOF() const;
    int IsBOF() const;
    int MoveFirst();
    int MoveNext();
    int MovePrevious();
    int MoveLast();

    // Rows of the open result (0 when closed). For an insert/update/delete,
    // 0 as well; see GetRowsAffected.
    long getRSRecordCount();
    long GetFieldCount() const;
    // Rows changed by the last insert/update/delete statement.
    long GetRowsAffected() const;

    // Column of the current row (zero-based); null when there is no such
    // column or no current row. Valid until the next call on this recordset.
    const CVOField* GetField(long index);
    // Column name; empty when there is no such column.
    std::string GetFieldName(long index) const;
    // Null when there is no such column or no current row.
    Variant GetFieldValue(long index) const;
    // The value as text: text as it is, null as "", numbers in their ordinary
    // form ("12", "3.5"). No length limit.
    std::string GetFieldValueString(long index) const;
    void FillFieldValueString(long index, std::string& out) const;

    // Searches from the current row for the first row meeting the criteria
    // ("Column op value", op one of = <> != < > <= >= LIKE; text values in
    // single quotes, LIKE with * or % wildcards). Forward when direction is
    // non-zero, backward when 0. Returns 1 when the search ran (see IsEOF /
    // IsBOF for whether a row was found), 0 for bad criteria or no result.
    int Find(const std::string& criteria, int direction);

    // Adds one row to the table the recordset was opened on (a table name or
    // a "select ... from <table>"). Field names and values pair up in order;
    // text values are converted by the columns' declared types (a blank
    // number reads as 0, a date in any accepted form is stored canonically).
    // Returns 1, or 0 with the SQLite error code stored in *resultCode.
    int AddNew(const std::vector<std::string>& fields, const std::vector<Variant>& values, long* resultCode = nullptr);
    // The same with the values as the texts of a downloaded line, bound
    // straight from them (they must stay alive for the call). With
    // blankDateIsNull a blank date is stored as null rather than the zero date.
    int AddNewText(const std::vector<std::string>& fields, const std::vector<std::string>& values, bool blankDateIsNull,
                   long* resultCode = nullptr);

    // Begin/commit/roll back the transaction of the shared connection (see
    // CVOConnection for nesting). 1 on success, 0 on failure.
    int Initialize();
    int BeginTrans();
    int CommitTrans();
    int RollbackTrans();

    CVOConnection* GetConnection() const { return m_connection; }
    // Closes the recordset and forgets its connection (which is about to
    // go): later calls fail with "no connection" instead of reaching it.
    void Detach()
    {
        Close();
        m_connection = nullptr;
    }
    // Message of the last failure on this recordset (empty after a success).
    const std::string& GetLastError() const { return m_lastError; }

private:
    bool allocADO();
    bool hasRow() const;
    void* insertFor(const std::vector<std::string>& fields, std::size_t valueCount, long* resultCode);
    template <typename Bind> int addNewWith(void* cached, std::size_t count, Bind bind, long* resultCode);

    int m_open = 0;
    CVOConnection* m_connection = nullptr;
    std::shared_ptr<tabula::detail::ResultSet> m_result;
    CVOField m_lastField;
    long m_fieldCount = 0;
    long m_rowsAffected = 0;
    std::string m_lastError;
    // The insert AddNew used last, kept while the field list repeats.
    std::vector<std::string> m_lastFields;
    void* m_lastInsert = nullptr;
    unsigned m_lastInsertGeneration = 0;
};
