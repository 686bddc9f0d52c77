#include "tabula/SqlDialectParts.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

// Schema statements: CREATE, ALTER and DROP.

namespace tabula::dialect {

// ---------------------------------------------------------------------------
// Schema statements

// Removes storage clauses the server allows after a definition.
Nodes stripStorage(const Nodes& n)
{
    Nodes out;
    for (std::size_t i = 0; i < n.size(); ++i) {
        if ((n[i].IsWord("on") || n[i].IsWord("textimage_on")) && i + 1 < n.size() &&
            (n[i + 1].Is(Token::Quoted) || n[i + 1].IsWord("primary") || n[i + 1].Is(Token::Word)) &&
            i + 2 == n.size()) {
            break;
        }
        if (n[i].IsWord("with") && i + 1 < n.size() && n[i + 1].IsGroup()) {
            ++i;
            continue;
        }
        if (n[i].IsWord("clustered") || n[i].IsWord("nonclustered")) {
            continue;
        }
        out.push_back(n[i]);
    }
    return out;
}

std::string Translator::columnDef(const Nodes& def, bool& identityUsed, bool tableHasOtherKey,
                                  const std::string& pkColumn)
{
    if (def.size() < 2 || !isName(def[0]) || !isName(def[1])) {
        fail("bad column definition");
    }
    const std::string name = nameOf(def[0]);
    std::string type = ToLower(def[1].tok.text);
    std::size_t i = 2;
    std::string typeArgs;
    if (i < def.size() && def[i].IsGroup()) {
        auto parts = splitCommas(def[i].kids);
        bool numeric = !parts.empty();
        for (const auto& p : parts) {
            numeric = numeric && p.size() == 1 && p[0].Is(Token::Number);
        }
        if (numeric) {
            typeArgs = render({def[i]});
        } else if (!(parts.size() == 1 && parts[0].size() == 1 && parts[0][0].IsWord("max"))) {
            fail("bad type arguments for " + name);
        }
        ++i;
    }
    if (def[1].IsWord("as")) {
        fail("computed columns are not supported");
    }
    std::string out;
    Nodes rest;
    bool identity = false;
    for (; i < def.size(); ++i) {
        const Node& x = def[i];
        if (x.IsWord("identity")) {
            identity = true;
            if (i + 1 < def.size() && def[i + 1].IsGroup()) {
                ++i;
            }
            continue;
        }
        if (x.IsWord("collate")) {
            ++i; // the server's collation names mean nothing here
            continue;
        }
        if (x.IsWord("rowguidcol") || x.IsWord("clustered") || x.IsWord("nonclustered")) {
            continue;
        }
        if (x.IsWord("not") && i + 2 < def.size() && def[i + 1].IsWord("for") && def[i + 2].IsWord("replication")) {
            i += 2;
            continue;
        }
        if (x.IsWord("default") && i + 1 < def.size()) {
            rest.push_back(x);
            // Expressions need parentheses in SQLite; getdate() becomes the
            // local time text.
            Nodes value{def[i + 1]};
            if (i + 2 < def.size() && (def[i + 1].IsOp("-") || def[i + 1].IsOp("+")) && def[i + 2].Is(Token::Number)) {
                rest.push_back(num(def[i + 1].tok.text == "-" ? "-" + def[i + 2].tok.text : def[i + 2].tok.text));
                i += 2;
                continue;
            }
            if (i + 2 < def.size() && def[i + 1].Is(Token::Word) && def[i + 2].IsGroup()) {
                value.push_back(def[i + 2]);
                ++i;
            }
            ++i;
            Scope none = scopeFor(nullptr);
            Nodes v = level(value, none);
            if (v.size() == 1 && (v[0].Is(Token::String) || v[0].Is(Token::Number) || v[0].IsWord("null"))) {
                rest.push_back(v[0]);
            } else {
                rest.push_back(group(v));
            }
            continue;
        }
        rest.push_back(x);
    }
    const bool intType = type == "int" || type == "integer" || type == "bigint" || type == "smallint" ||
                         type == "tinyint" || type == "numeric" || type == "decimal";
    if (identity && intType && !tableHasOtherKey && (pkColumn.empty() || IEquals(pkColumn, name)) && !identityUsed) {
        identityUsed = true;
        // Strip a column-level PRIMARY KEY; the rowid alias is the key.
        Nodes kept;
        for (std::size_t k = 0; k < rest.size(); ++k) {
            if (rest[k].IsWord("primary") && k + 1 < rest.size() && rest[k + 1].IsWord("key")) {
                ++k;
                continue;
            }
            kept.push_back(rest[k]);
        }
        out = detail::QuoteIdent(name) + " INTEGER PRIMARY KEY AUTOINCREMENT";
        if (!kept.empty()) {
            out += " " + render(kept);
        }
        return out;
    }
    if (identity) {
        fail("IDENTITY column " + name + " cannot be numbered automatically here");
    }
    out = detail::QuoteIdent(name) + " " + type + typeArgs;
    if (SqlDialect::IsTextType(type)) {
        // The server compares text without regard to case.
        out += " COLLATE NOCASE";
    }
    if (!rest.empty()) {
        out += " " + render(rest);
    }
    return out;
}

void Translator::createStmt(const Nodes& n, Translation& tr)
{
    tr.kind = StatementKind::Create;
    tr.changesSchema = true;
    std::size_t i = 1;
    bool unique = false;
    // A bare CREATE has nothing after it (found by fuzzing).
    if (i < n.size() && n[i].IsWord("unique")) {
        unique = true;
        ++i;
    }
    while (i < n.size() && (n[i].IsWord("clustered") || n[i].IsWord("nonclustered"))) {
        ++i;
    }
    if (i < n.size() && n[i].IsWord("index")) {
        // CREATE INDEX name ON table (cols)
        if (i + 4 > n.size() || !isName(n[i + 1]) || !n[i + 2].IsWord("on") || !isName(n[i + 3])) {
            fail("bad CREATE INDEX");
        }
        const std::string index = nameOf(n[i + 1]);
        const std::string table = nameOf(n[i + 3]);
        tr.table = table;
        Nodes rest = stripStorage(slice(n, i + 4, n.size()));
        if (rest.empty() || !rest[0].IsGroup()) {
            fail("CREATE INDEX without columns");
        }
        Nodes out{word("CREATE")};
        if (unique) {
            out.push_back(word("UNIQUE"));
        }
        // Index names belong to their table on the server, to the database here.
        append(out, {word("INDEX"), ident(table + "." + index), word("ON"), ident(table)});
        append(out, rest);
        tr.statements.push_back(render(out));
        return;
    }
    if (unique || i >= n.size() || !n[i].IsWord("table")) {
        fail("unsupported CREATE statement");
    }
    ++i;
    if (i >= n.size() || !isName(n[i])) {
        fail("CREATE TABLE without a name");
    }
    const std::string table = nameOf(n[i]);
    tr.table = table;
    ++i;
    if (i >= n.size() || !n[i].IsGroup()) {
        fail("CREATE TABLE without columns");
    }
    std::vector<Nodes> defs = splitCommas(n[i].kids);
    // A table key over the identity column alone is the identity's key.
    std::string pkColumn;
    bool otherKey = false;
    for (const Nodes& d : defs) {
        std::size_t k = 0;
        if (!d.empty() && d[0].IsWord("constraint")) {
            k = 2;
        }
        if (k + 1 < d.size() && d[k].IsWord("primary") && d[k + 1].IsWord("key")) {
            for (std::size_t j = k + 2; j < d.size(); ++j) {
                if (d[j].IsGroup()) {
                    auto cols = splitCommas(d[j].kids);
                    if (cols.size() == 1 && !cols[0].empty()) {
                        pkColumn = nameOf(cols[0][0]);
                    } else {
                        otherKey = true;
                    }
                }
            }
        } else if (k == 0 && !d.empty()) {
            // column-level PRIMARY KEY on a non-identity column
            bool identityCol = false;
            bool pk = false;
            for (std::size_t j = 1; j < d.size(); ++j) {
                identityCol = identityCol || d[j].IsWord("identity");
                pk = pk || (d[j].IsWord("primary") && j + 1 < d.size() && d[j + 1].IsWord("key"));
            }
            if (pk && !identityCol) {
                otherKey = true;
            }
        }
    }
    bool identityUsed = false;
    std::vector<std::string> out;
    for (const Nodes& d : defs) {
        if (d.empty()) {
            fail("empty column definition");
        }
        const bool constraint = d[0].IsWord("constraint") || d[0].IsWord("primary") || d[0].IsWord("unique") ||
                                d[0].IsWord("foreign") || d[0].IsWord("check");
        if (constraint) {
            Nodes c = stripStorage(d);
            out.push_back(render(c));
            continue;
        }
        out.push_back(columnDef(d, identityUsed, otherKey, pkColumn));
    }
    if (identityUsed && !pkColumn.empty()) {
        // The identity column is already the key; drop the table-level one.
        std::vector<std::string> kept;
        for (std::size_t k = 0; k < defs.size(); ++k) {
            const Nodes& d = defs[k];
            std::size_t j = d[0].IsWord("constraint") ? 2 : 0;
            if (j + 1 < d.size() && d[j].IsWord("primary") && d[j + 1].IsWord("key")) {
                continue;
            }
            kept.push_back(out[k]);
        }
        out = kept;
    }
    std::string sql = "CREATE TABLE " + detail::QuoteIdent(table) + " (";
    for (std::size_t k = 0; k < out.size(); ++k) {
        sql += (k ? ", " : "") + out[k];
    }
    sql += ")";
    tr.statements.push_back(sql);
}

void Translator::alterStmt(const Nodes& in, Translation& tr)
{
    tr.kind = StatementKind::Alter;
    tr.changesSchema = true;
    if (in.size() < 4 || !in[1].IsWord("table") || !isName(in[2])) {
        fail("unsupported ALTER statement");
    }
    const std::string table = nameOf(in[2]);
    tr.table = table;
    Nodes n = slice(in, 3, in.size());
    if (n.size() >= 2 && n[0].IsWord("with") && (n[1].IsWord("nocheck") || n[1].IsWord("check"))) {
        n.erase(n.begin(), n.begin() + 2);
    }
    if (n.empty()) {
        fail("empty ALTER TABLE");
    }
    if (n[0].IsWord("add")) {
        std::size_t i = 1;
        std::string name;
        if (i < n.size() && n[i].IsWord("constraint")) {
            if (i + 1 >= n.size() || !isName(n[i + 1])) {
                fail("constraint without a name");
            }
            name = nameOf(n[i + 1]);
            i += 2;
        }
        Nodes rest = stripStorage(slice(n, i, n.size()));
        if (rest.size() >= 3 && rest[0].IsWord("primary") && rest[1].IsWord("key") && rest[2].IsGroup()) {
            // A key cannot be added to an existing table here; a unique index
            // named after the constraint refuses duplicates the same way.
            if (name.empty()) {
                name = "PK_" + table;
            }
            tr.statements.push_back(render(
                {word("CREATE"), word("UNIQUE"), word("INDEX"), ident(name), word("ON"), ident(table), rest[2]}));
            return;
        }
        if (rest.size() >= 2 && rest[0].IsWord("unique") && rest[1].IsGroup()) {
            if (name.empty()) {
                name = "UQ_" + table;
            }
            tr.statements.push_back(render(
                {word("CREATE"), word("UNIQUE"), word("INDEX"), ident(name), word("ON"), ident(table), rest[1]}));
            return;
        }
        if (!rest.empty() && (rest[0].IsWord("foreign") || rest[0].IsWord("check"))) {
            // Not enforced by this database: accepted without effect.
            return;
        }
        if (!rest.empty() && rest[0].IsWord("default")) {
            fail("adding a default to an existing column is not supported");
        }
        if (!name.empty()) {
            fail("unsupported constraint");
        }
        // ADD col type [, col type]
        bool identityUsed = true; // an added column cannot become the rowid
        for (const Nodes& d : splitCommas(rest)) {
            tr.statements.push_back("ALTER TABLE " + detail::QuoteIdent(table) + " ADD COLUMN " +
                                    columnDef(d, identityUsed, true, ""));
        }
        return;
    }
    if (n[0].IsWord("drop")) {
        if (n.size() == 3 && n[1].IsWord("constraint") && isName(n[2])) {
            tr.statements.push_back("DROP INDEX IF EXISTS " + detail::QuoteIdent(nameOf(n[2])));
            return;
        }
        if (n.size() == 3 && n[1].IsWord("column") && isName(n[2])) {
            tr.statements.push_back("ALTER TABLE " + detail::QuoteIdent(table) + " DROP COLUMN " +
                                    detail::QuoteIdent(nameOf(n[2])));
            return;
        }
    }
    fail("unsupported ALTER TABLE");
}

void Translator::dropStmt(const Nodes& n, Translation& tr)
{
    tr.kind = StatementKind::Drop;
    tr.changesSchema = true;
    if (n.size() < 3) {
        fail("bad DROP");
    }
    if (n[1].IsWord("table")) {
        std::size_t i = 2;
        bool ifExists = false;
        if (i + 1 < n.size() && n[i].IsWord("if") && n[i + 1].IsWord("exists")) {
            ifExists = true;
            i += 2;
        }
        for (const Nodes& t : splitCommas(slice(n, i, n.size()))) {
            if (t.size() != 1 || !isName(t[0])) {
                fail("bad DROP TABLE");
            }
            tr.table = nameOf(t[0]);
            tr.statements.push_back(std::string("DROP TABLE ") + (ifExists ? "IF EXISTS " : "") +
                                    detail::QuoteIdent(tr.table));
        }
        return;
    }
    if (n[1].IsWord("index")) {
        // DROP INDEX table.index | DROP INDEX index ON table
        if (n.size() == 3 && n[2].Is(Token::Word) && n[2].tok.text.find('.') != std::string::npos) {
            std::string w = nameOf(n[2]);
            tr.statements.push_back("DROP INDEX " + detail::QuoteIdent(w));
            return;
        }
        if (n.size() == 5 && isName(n[2]) && n[3].IsWord("on") && isName(n[4])) {
            tr.statements.push_back("DROP INDEX " + detail::QuoteIdent(nameOf(n[4]) + "." + nameOf(n[2])));
            return;
        }
    }
    if (n[1].IsWord("view") && n.size() == 3 && isName(n[2])) {
        tr.statements.push_back("DROP VIEW " + detail::QuoteIdent(nameOf(n[2])));
        return;
    }
    fail("unsupported DROP");
}

} // namespace tabula::dialect
