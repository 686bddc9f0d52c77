#include "tabula/SqlDialect.h"
#include "tabula/TranslateWithPlaceholders.h"

#include "tabula/SqlDialectParts.h"

#include <algorithm>
#include <string>

// The translation's entry: one statement is tokenised, escapes and
// qualified names are resolved, then the statement kind picks its part.

namespace tabula {

namespace dialect {

void Translator::statement(const Nodes& n, Translation& tr)
{
    if (n.empty()) {
        fail("empty statement");
    }
    const Node& k = n[0];
    if (k.IsWord("select")) {
        tr.kind = StatementKind::Select;
        Nodes out = select(n, nullptr);
        // The table a row may be added to: a select on one table.
        std::size_t from = findWord(n, 1, {"from"});
        if (from + 1 < n.size() && isName(n[from + 1])) {
            std::size_t end = findWord(n, from + 1, {"where", "group", "order", "having", "union"});
            bool single = true;
            for (std::size_t i = from + 1; i < end; ++i) {
                single = single && !n[i].Is(Token::Comma) && !n[i].IsWord("join");
            }
            if (single) {
                tr.table = nameOf(n[from + 1]);
            }
        }
        tr.statements.push_back(render(out));
        return;
    }
    if (k.IsGroup() && !k.kids.empty() && k.kids[0].IsWord("select")) {
        tr.kind = StatementKind::Select;
        tr.statements.push_back(render(select(n, nullptr)));
        return;
    }
    if (k.IsWord("insert")) {
        tr.kind = StatementKind::Insert;
        tr.statements.push_back(insertStmt(n, tr));
        return;
    }
    if (k.IsWord("update")) {
        tr.kind = StatementKind::Update;
        tr.statements.push_back(updateStmt(n, tr));
        return;
    }
    if (k.IsWord("delete")) {
        tr.kind = StatementKind::Delete;
        tr.statements.push_back(deleteStmt(n, tr));
        return;
    }
    if (k.IsWord("truncate")) {
        if (n.size() != 3 || !n[1].IsWord("table") || !isName(n[2])) {
            fail("bad TRUNCATE");
        }
        tr.kind = StatementKind::Delete;
        tr.table = nameOf(n[2]);
        tr.statements.push_back("DELETE FROM " + detail::QuoteIdent(tr.table));
        return;
    }
    if (k.IsWord("create")) {
        createStmt(n, tr);
        return;
    }
    if (k.IsWord("alter")) {
        alterStmt(n, tr);
        return;
    }
    if (k.IsWord("drop")) {
        dropStmt(n, tr);
        return;
    }
    fail("unsupported statement: " + k.tok.text);
}

// Brace escapes: {ts '...'}, {d '...'}, {t '...'}, {fn f(...)}, {oj ...}.

Translation Translator::Run(const std::string& sql)
{
    Translation tr;
    try {
        std::vector<Token> toks;
        std::string err;
        if (!detail::Tokenize(sql, toks, err)) {
            fail(err);
        }
        toks = qualifiedNames(odbcEscapes(toks));
        // Statements of a batch, split at semicolons.
        std::vector<std::vector<Token>> parts(1);
        for (const Token& t : toks) {
            if (t.kind == Token::Semicolon) {
                parts.emplace_back();
            } else {
                parts.back().push_back(t);
            }
        }
        parts.erase(std::remove_if(parts.begin(), parts.end(), [](const auto& p) { return p.empty(); }), parts.end());
        if (parts.empty()) {
            fail("empty statement");
        }
        std::vector<Nodes> trees;
        for (const auto& p : parts) {
            std::size_t i = 0;
            Nodes t;
            buildTree(p, i, t, false);
            trees.push_back(std::move(t));
        }
        if (trees.size() > 1) {
            // Only a batch of schema statements may run as one.
            for (const Nodes& t : trees) {
                if (!(t[0].IsWord("create") || t[0].IsWord("alter") || t[0].IsWord("drop"))) {
                    fail("multiple statements in one call");
                }
            }
            for (const Nodes& t : trees) {
                Translation one;
                statement(t, one);
                tr.statements.insert(tr.statements.end(), one.statements.begin(), one.statements.end());
                tr.table = one.table;
            }
            tr.kind = StatementKind::Other;
            tr.changesSchema = true;
            tr.ok = true;
            return tr;
        }
        Nodes& n = trees[0];
        if (n[0].IsWord("if")) {
            // IF [NOT] EXISTS (select) statement
            std::size_t i = 1;
            if (i < n.size() && n[i].IsWord("not")) {
                tr.conditionNegated = true;
                ++i;
            }
            if (i + 1 >= n.size() || !n[i].IsWord("exists") || !n[i + 1].IsGroup() || n[i + 1].kids.empty() ||
                !n[i + 1].kids[0].IsWord("select")) {
                fail("only IF [NOT] EXISTS (SELECT ...) is supported");
            }
            tr.condition = render(select(n[i + 1].kids, nullptr));
            Nodes body = slice(n, i + 2, n.size());
            if (!body.empty() && body[0].IsWord("begin") && body.back().IsWord("end")) {
                body = slice(body, 1, body.size() - 1);
            }
            if (findWord(body, 0, {"else"}) < body.size()) {
                fail("IF ... ELSE is not supported");
            }
            statement(body, tr);
            tr.ok = true;
            return tr;
        }
        statement(n, tr);
        tr.ok = true;
    } catch (const TranslateError& e) {
        tr = Translation();
        tr.error = e.what();
    }
    return tr;
}

} // namespace dialect

Translation SqlDialect::Translate(const std::string& sql) const { return dialect::Translator(m_schema).Run(sql); }

Translation detail::TranslateWithPlaceholders(const ISchemaInfo* schema, const std::string& sql)
{
    return dialect::Translator(schema, true).Run(sql);
}

} // namespace tabula
