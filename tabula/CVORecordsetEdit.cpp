// Row insertion and searching of CVORecordset.

#include "tabula/CLocaleScope.h"
#include "tabula/CVORecordset.h"

#include "tabula/CVOConnection.h"
#include "tabula/ConnectionImpl.h"
#include "tabula/ResultSet.h"
#include "tabula/SqlDialect.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

using tabula::detail::CachedInsert;
using tabula::detail::ColumnKind;
using tabula::detail::ConnectionImpl;

namespace {

std::string trimBlanks(const std::string& s)
{
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) {
        return {};
    }
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool digitsAt(const std::string& s, std::size_t at, std::size_t n)
{
    for (std::size_t i = at; i < at + n; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) {
            return false;
        }
    }
    return true;
}

// Already 'YYYY-MM-DD HH:MM:SS' with plausible fields (the server's own
// downloads): stored as it is without a full parse.
bool looksCanonical(const std::string& s)
{
    if (s.size() != 19 || s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != ':' || s[16] != ':' ||
        !digitsAt(s, 0, 4) || !digitsAt(s, 5, 2) || !digitsAt(s, 8, 2) || !digitsAt(s, 11, 2) || !digitsAt(s, 14, 2) ||
        !digitsAt(s, 17, 2)) {
        return false;
    }
    const int month = (s[5] - '0') * 10 + (s[6] - '0');
    const int day = (s[8] - '0') * 10 + (s[9] - '0');
    const int hour = (s[11] - '0') * 10 + (s[12] - '0');
    const int minute = (s[14] - '0') * 10 + (s[15] - '0');
    const int second = (s[17] - '0') * 10 + (s[18] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 28 && hour <= 23 && minute <= 59 && second <= 59;
}

// A plain decimal number ([+-]digits[.digits][e[+-]digits]) without blanks.
// Such text is bound as it is: the column's numeric affinity stores it as
// the number, exactly as the server's conversion would.
bool plainNumber(const std::string& t)
{
    std::size_t i = 0;
    const std::size_t n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
        ++i;
        ++digits;
    }
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) {
            ++i;
        }
        std::size_t exp = 0;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            ++i;
            ++exp;
        }
        if (exp == 0) {
            return false;
        }
    }
    return i == n;
}

// Binds one text as the server would store it in a column of that kind.
// Returns false when the text cannot be converted (the insert then fails as
// the server's would). A text bound as is must outlive the step.
bool bindText(sqlite3_stmt* stmt, int index, const std::string& text, ColumnKind kind, bool blankDateIsNull,
              std::string& err)
{
    if (kind == ColumnKind::Numeric) {
        if (plainNumber(text)) {
            return sqlite3_bind_text(stmt, index, text.c_str(), static_cast<int>(text.size()), SQLITE_STATIC) ==
                   SQLITE_OK;
        }
        std::string t = trimBlanks(text);
        if (t.empty()) {
            return sqlite3_bind_int(stmt, index, 0) == SQLITE_OK; // a blank number is 0
        }
        char* end = nullptr;
        long long i = std::strtoll(t.c_str(), &end, 10);
        if (*end == '\0' && end != t.c_str()) {
            return sqlite3_bind_int64(stmt, index, i) == SQLITE_OK;
        }
        double d = tabula::CLocaleScope::ParseDouble(t.c_str(), &end);
        if (*end == '\0' && end != t.c_str() && t.find_first_of("xXnNiI") == std::string::npos) {
            return sqlite3_bind_double(stmt, index, d) == SQLITE_OK;
        }
        err = "conversion failed for value '" + text + "'";
        return false;
    }
    if (kind == ColumnKind::DateTime) {
        if (looksCanonical(text)) {
            return sqlite3_bind_text(stmt, index, text.c_str(), 19, SQLITE_STATIC) == SQLITE_OK;
        }
        std::string t = trimBlanks(text);
        if (t.empty()) {
            if (blankDateIsNull) {
                return sqlite3_bind_null(stmt, index) == SQLITE_OK;
            }
            t = "1900-01-01 00:00:00"; // the server's zero date
        } else {
            auto c = tabula::SqlDialect::CanonicalDateTime(t);
            if (!c) {
                err = "conversion failed when converting date and/or time from '" + text + "'";
                return false;
            }
            t = *c;
        }
        return sqlite3_bind_text(stmt, index, t.c_str(), static_cast<int>(t.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    return sqlite3_bind_text(stmt, index, text.c_str(), static_cast<int>(text.size()), SQLITE_STATIC) == SQLITE_OK;
}

bool bindValue(sqlite3_stmt* stmt, int index, const Variant& v, ColumnKind kind, std::string& err)
{
    switch (v.type()) {
    case Variant::Type::Null:
        return sqlite3_bind_null(stmt, index) == SQLITE_OK;
    case Variant::Type::Integer:
        return sqlite3_bind_int64(stmt, index, v.ToInt64()) == SQLITE_OK;
    case Variant::Type::Real:
        return sqlite3_bind_double(stmt, index, v.ToDouble()) == SQLITE_OK;
    case Variant::Type::Text:
        break;
    }
    return bindText(stmt, index, v.Text(), kind, false, err);
}

// One criterion of Find: "Column op value".
struct Criterion {
    std::string column;
    std::string op;
    Variant value;
    bool quoted = false;
};

bool parseCriterion(const std::string& c, Criterion& out)
{
    std::size_t i = 0;
    auto blanks = [&] {
        while (i < c.size() && std::isspace(static_cast<unsigned char>(c[i]))) {
            ++i;
        }
    };
    blanks();
    if (i < c.size() && c[i] == '[') {
        std::size_t e = c.find(']', i);
        if (e == std::string::npos) {
            return false;
        }
        out.column = c.substr(i + 1, e - i - 1);
        i = e + 1;
    } else {
        std::size_t b = i;
        while (i < c.size() && (std::isalnum(static_cast<unsigned char>(c[i])) || c[i] == '_' || c[i] == '.')) {
            ++i;
        }
        out.column = c.substr(b, i - b);
    }
    if (out.column.empty()) {
        return false;
    }
    blanks();
    static const char* const ops[] = {"<>", "!=", "<=", ">=", "=", "<", ">"};
    for (const char* o : ops) {
        if (c.compare(i, std::char_traits<char>::length(o), o) == 0) {
            out.op = o;
            i += out.op.size();
            break;
        }
    }
    if (out.op.empty()) {
        if (c.size() >= i + 4 && tabula::detail::IEquals(c.substr(i, 4), "like")) {
            out.op = "like";
            i += 4;
        } else {
            return false;
        }
    }
    blanks();
    std::string rest = c.substr(i);
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back()))) {
        rest.pop_back();
    }
    if (rest.size() >= 2 && (rest.front() == '\'' || rest.front() == '#') && rest.back() == rest.front()) {
        std::string v;
        for (std::size_t k = 1; k + 1 < rest.size(); ++k) {
            v += rest[k];
            if (rest[k] == '\'' && k + 2 < rest.size() && rest[k + 1] == '\'') {
                ++k;
            }
        }
        out.value = Variant(v);
        out.quoted = true;
        return true;
    }
    if (tabula::detail::IEquals(rest, "null")) {
        out.value = Variant();
        return true;
    }
    char* end = nullptr;
    double d = tabula::CLocaleScope::ParseDouble(rest.c_str(), &end);
    if (rest.empty() || *end != '\0') {
        return false;
    }
    out.value = Variant(d);
    return true;
}

// Case-insensitive pattern match; * and % match any run, _ and ? one character.
bool likeMatch(const char* s, const char* p)
{
    if (*p == '\0') {
        return *s == '\0';
    }
    if (*p == '*' || *p == '%') {
        for (const char* k = s;; ++k) {
            if (likeMatch(k, p + 1)) {
                return true;
            }
            if (*k == '\0') {
                return false;
            }
        }
    }
    if (*s == '\0') {
        return false;
    }
    if (*p == '_' || *p == '?' ||
        std::tolower(static_cast<unsigned char>(*p)) == std::tolower(static_cast<unsigned char>(*s))) {
        return likeMatch(s + 1, p + 1);
    }
    return false;
}

bool matches(const Variant& cell, const Criterion& c)
{
    if (c.value.IsNull() || cell.IsNull()) {
        bool bothNull = c.value.IsNull() && cell.IsNull();
        if (c.op == "=") {
            return bothNull;
        }
        if (c.op == "<>" || c.op == "!=") {
            return !bothNull && c.value.IsNull();
        }
        return false;
    }
    if (c.op == "like") {
        return likeMatch(cell.ToString().c_str(), c.value.ToString().c_str());
    }
    int cmp;
    if (cell.IsText() && c.quoted) {
        std::string a = tabula::detail::ToLower(cell.Text());
        std::string b = tabula::detail::ToLower(c.value.Text());
        cmp = a < b ? -1 : (a > b ? 1 : 0);
    } else {
        double a = cell.ToDouble();
        double b = c.value.ToDouble();
        cmp = a < b ? -1 : (a > b ? 1 : 0);
    }
    if (c.op == "=") {
        return cmp == 0;
    }
    if (c.op == "<>" || c.op == "!=") {
        return cmp != 0;
    }
    if (c.op == "<") {
        return cmp < 0;
    }
    if (c.op == ">") {
        return cmp > 0;
    }
    if (c.op == "<=") {
        return cmp <= 0;
    }
    return cmp >= 0;
}

} // namespace

int CVORecordset::Find(const std::string& criteria, int direction)
{
    if (!m_open || !m_result) {
        return 0;
    }
    Criterion c;
    if (!parseCriterion(criteria, c)) {
        m_lastError = "bad criteria: " + criteria;
        return 0;
    }
    long col = -1;
    for (std::size_t i = 0; i < m_result->names.size(); ++i) {
        const std::string& n = m_result->names[i];
        std::size_t dot = c.column.rfind('.');
        if (tabula::detail::IEquals(n, c.column) ||
            (dot != std::string::npos && tabula::detail::IEquals(n, c.column.substr(dot + 1)))) {
            col = static_cast<long>(i);
            break;
        }
    }
    if (col < 0) {
        m_lastError = "no such column: " + c.column;
        return 0;
    }
    const long rows = static_cast<long>(m_result->RowCount());
    long pos = m_result->pos;
    if (direction) {
        for (pos = std::max(pos, 0L); pos < rows; ++pos) {
            if (matches(m_result->Get(static_cast<std::size_t>(pos), static_cast<std::size_t>(col)), c)) {
                break;
            }
        }
        m_result->pos = pos; // rows = past the end: not found
    } else {
        for (pos = std::min(pos, rows - 1); pos >= 0; --pos) {
            if (matches(m_result->Get(static_cast<std::size_t>(pos), static_cast<std::size_t>(col)), c)) {
                break;
            }
        }
        m_result->pos = pos; // -1 = before the start: not found
    }
    return 1;
}

// The prepared insert for this field list on the open table, or null with
// the failure reported.
void* CVORecordset::insertFor(const std::vector<std::string>& fields, std::size_t valueCount, long* resultCode)
{
    auto failWith = [&](long code, const std::string& why) -> void* {
        m_lastError = why;
        if (resultCode != nullptr) {
            *resultCode = code;
        }
        return nullptr;
    };
    if (m_connection == nullptr || !m_open || !m_result) {
        return failWith(SQLITE_MISUSE, "recordset not open");
    }
    if (m_result->sourceTable.empty()) {
        return failWith(SQLITE_MISUSE, "the open result is not a single table");
    }
    if (fields.empty() || fields.size() != valueCount) {
        return failWith(SQLITE_MISUSE, "field list and value list differ");
    }
    ConnectionImpl& conn = m_connection->Impl();
    // The download repeats one field list for every row: skip the lookup.
    if (m_lastInsert != nullptr && m_lastInsertGeneration == conn.generation && m_lastFields == fields) {
        return m_lastInsert;
    }
    std::string err;
    CachedInsert* ins = conn.InsertFor(m_result->sourceTable, fields, &err);
    if (ins == nullptr) {
        m_lastInsert = nullptr;
        return failWith(SQLITE_ERROR, err);
    }
    m_lastInsert = ins;
    m_lastInsertGeneration = conn.generation;
    m_lastFields = fields;
    return ins;
}

// Every parameter is bound again for each row, so the bindings are never
// cleared; a failed row only resets the statement.
template <typename Bind> int CVORecordset::addNewWith(void* cached, std::size_t count, Bind bind, long* resultCode)
{
    auto* ins = static_cast<CachedInsert*>(cached);
    sqlite3_stmt* stmt = ins->stmt;
    std::string err;
    for (std::size_t i = 0; i < count; ++i) {
        if (!bind(stmt, static_cast<int>(i) + 1, i, ins->kinds[i], err)) {
            sqlite3_reset(stmt);
            m_lastError = err.empty() ? "bind failed" : err;
            if (resultCode != nullptr) {
                *resultCode = SQLITE_MISMATCH;
            }
            return 0;
        }
    }
    const int rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE) {
        sqlite3* db = m_connection->Impl().db;
        const long code = sqlite3_extended_errcode(db);
        m_lastError = sqlite3_errmsg(db);
        sqlite3_reset(stmt);
        if (resultCode != nullptr) {
            *resultCode = code;
        }
        return 0;
    }
    sqlite3_reset(stmt);
    if (!m_lastError.empty()) {
        m_lastError.clear();
    }
    return 1;
}

int CVORecordset::AddNew(const std::vector<std::string>& fields, const std::vector<Variant>& values, long* resultCode)
{
    void* ins = insertFor(fields, values.size(), resultCode);
    if (ins == nullptr) {
        return 0;
    }
    return addNewWith(
        ins, values.size(),
        [&](sqlite3_stmt* stmt, int index, std::size_t i, ColumnKind kind, std::string& err) {
            return bindValue(stmt, index, values[i], kind, err);
        },
        resultCode);
}

int CVORecordset::AddNewText(const std::vector<std::string>& fields, const std::vector<std::string>& values,
                             bool blankDateIsNull, long* resultCode)
{
    void* ins = insertFor(fields, values.size(), resultCode);
    if (ins == nullptr) {
        return 0;
    }
    return addNewWith(
        ins, values.size(),
        [&](sqlite3_stmt* stmt, int index, std::size_t i, ColumnKind kind, std::string& err) {
            return bindText(stmt, index, values[i], kind, blankDateIsNull, err);
        },
        resultCode);
}
