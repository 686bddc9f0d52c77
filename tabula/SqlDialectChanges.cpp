#include "tabula/SqlDialectParts.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

// INSERT, UPDATE and DELETE.

namespace tabula::dialect {

// ---------------------------------------------------------------------------
// INSERT / UPDATE / DELETE

std::string Translator::insertStmt(const Nodes& n, Translation& tr)
{
    std::size_t i = 1;
    if (i < n.size() && n[i].IsWord("into")) {
        ++i;
    }
    if (i >= n.size() || !isName(n[i])) {
        fail("INSERT without a table");
    }
    const std::string table = nameOf(n[i]);
    tr.table = table;
    ++i;
    Scope scope = scopeFor(nullptr);
    scope.Add(table, "");
    std::vector<std::string> columns;
    Nodes colNodes;
    if (i < n.size() && n[i].IsGroup() && !(n[i].kids.size() > 0 && n[i].kids[0].IsWord("select"))) {
        for (const Nodes& c : splitCommas(n[i].kids)) {
            if (c.size() != 1 || !isName(c[0])) {
                fail("bad column list");
            }
            columns.push_back(nameOf(c[0]));
        }
        colNodes = {group(n[i].kids)};
        ++i;
    }
    Nodes out{word("INSERT"), word("INTO"), ident(table)};
    append(out, colNodes);
    if (i < n.size() && n[i].IsWord("values")) {
        if (columns.empty() && m_schema != nullptr) {
            if (const auto* cols = m_schema->Columns(table)) {
                for (const auto& c : *cols) {
                    columns.push_back(c.name);
                }
            }
        }
        out.push_back(word("VALUES"));
        ++i;
        bool firstRow = true;
        for (; i < n.size(); ++i) {
            if (n[i].Is(Token::Comma)) {
                continue;
            }
            if (!n[i].IsGroup()) {
                fail("unexpected text after VALUES");
            }
            std::vector<Nodes> values = splitCommas(n[i].kids);
            for (std::size_t v = 0; v < values.size(); ++v) {
                values[v] = level(values[v], scope);
                if (values[v].size() == 1 && v < columns.size()) {
                    const ColumnInfo* col = scope.Find(table, columns[v]);
                    if (col != nullptr) {
                        fitLiteral(values[v][0], kindOfDecl(col->declType));
                    }
                }
            }
            if (!firstRow) {
                out.push_back(comma());
            }
            out.push_back(group(joinCommas(values)));
            firstRow = false;
        }
        return render(out);
    }
    if (i < n.size() && n[i].IsWord("select")) {
        append(out, select(slice(n, i, n.size()), nullptr));
        return render(out);
    }
    if (i < n.size() && n[i].IsGroup() && !n[i].kids.empty() && n[i].kids[0].IsWord("select")) {
        append(out, select(n[i].kids, nullptr));
        return render(out);
    }
    if (i + 1 < n.size() && n[i].IsWord("default") && n[i + 1].IsWord("values")) {
        append(out, {word("DEFAULT"), word("VALUES")});
        return render(out);
    }
    fail("INSERT needs VALUES or SELECT");
}

std::string Translator::updateStmt(const Nodes& n, Translation& tr)
{
    if (n.size() < 4 || !isName(n[1])) {
        fail("UPDATE without a table");
    }
    const std::string table = nameOf(n[1]);
    tr.table = table;
    std::size_t i = 2;
    if (n[i].IsWord("with") && i + 1 < n.size() && n[i + 1].IsGroup()) {
        i += 2;
    }
    if (!n[i].IsWord("set")) {
        fail("UPDATE without SET");
    }
    std::size_t setEnd = findWord(n, i + 1, {"from", "where"});
    Scope scope = scopeFor(nullptr);
    scope.Add(table, "");
    Nodes fromOut;
    std::size_t whereAt = findWord(n, i + 1, {"where"});
    if (setEnd < n.size() && n[setEnd].IsWord("from")) {
        // The target is not repeated in SQLite's FROM.
        Nodes items;
        for (const Nodes& part : splitCommas(slice(n, setEnd + 1, whereAt))) {
            if (part.size() == 1 && isName(part[0]) && IEquals(nameOf(part[0]), table)) {
                continue;
            }
            if (!items.empty()) {
                items.push_back(comma());
            }
            append(items, part);
        }
        if (!items.empty()) {
            fromOut.push_back(word("FROM"));
            parseFrom(items, 0, items.size(), scope, fromOut, nullptr);
        }
    }
    Nodes out{word("UPDATE"), ident(table), word("SET")};
    std::vector<Nodes> sets = splitCommas(slice(n, i + 1, setEnd));
    for (Nodes& s : sets) {
        if (s.size() < 3 || !isName(s[0]) || !s[1].IsOp("=")) {
            fail("bad SET clause");
        }
        Nodes value = level(slice(s, 2, s.size()), scope);
        std::string col = nameOf(s[0]);
        std::size_t dot = col.rfind('.');
        if (dot != std::string::npos) {
            col = col.substr(dot + 1); // SQLite names the column alone
        }
        if (value.size() == 1) {
            if (const ColumnInfo* c = scope.Find(table, col)) {
                fitLiteral(value[0], kindOfDecl(c->declType));
            }
        }
        Nodes rebuilt{ident(col), op("=")};
        append(rebuilt, value);
        s = std::move(rebuilt);
    }
    append(out, joinCommas(sets));
    if (!fromOut.empty()) {
        append(out, level(fromOut, scope));
    }
    if (whereAt < n.size()) {
        append(out, level(slice(n, whereAt, n.size()), scope));
    }
    return render(out);
}

std::string Translator::deleteStmt(const Nodes& n, Translation& tr)
{
    std::size_t i = 1;
    if (i < n.size() && n[i].IsWord("from")) {
        ++i;
    }
    if (i >= n.size() || !isName(n[i])) {
        fail("DELETE without a table");
    }
    const std::string table = nameOf(n[i]);
    tr.table = table;
    ++i;
    if (i < n.size() && !n[i].IsWord("where")) {
        fail("DELETE with a join is not supported");
    }
    Scope scope = scopeFor(nullptr);
    scope.Add(table, "");
    Nodes out{word("DELETE"), word("FROM"), ident(table)};
    append(out, level(slice(n, i, n.size()), scope));
    return render(out);
}

} // namespace tabula::dialect
