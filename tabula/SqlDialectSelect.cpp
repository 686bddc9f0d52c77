#include "tabula/SqlDialectParts.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

// SELECT: FROM lists, joins and the old outer-join operators.

namespace tabula::dialect {

// ---------------------------------------------------------------------------
// SELECT

Nodes Translator::select(const Nodes& n, const Scope* parent)
{
    // Each part of a compound select has its own tables.
    Nodes out;
    std::size_t b = 0;
    int parts = 0;
    while (b < n.size()) {
        std::size_t e = findWord(n, b + 1, {"union", "except", "intersect"});
        std::size_t next = e;
        Nodes sep;
        if (e < n.size()) {
            sep.push_back(n[e]);
            next = e + 1;
            if (next < n.size() && n[next].IsWord("all")) {
                sep.push_back(n[next]);
                ++next;
            }
        }
        if (b >= n.size() || !n[b].IsWord("select")) {
            if (b < n.size() && n[b].IsGroup()) {
                Node g = n[b];
                g.kids = select(g.kids, parent);
                out.push_back(g);
                append(out, level(slice(n, b + 1, e), scopeFor(parent)));
            } else {
                fail("expected SELECT");
            }
        } else {
            append(out, selectPart(slice(n, b, e), parent));
        }
        append(out, sep);
        b = next;
        ++parts;
    }
    (void)parts;
    return out;
}

std::size_t Translator::parseFrom(const Nodes& n, std::size_t b, std::size_t e, Scope& scope, Nodes& out,
                                  const Scope* /*parent*/)
{
    // Table references: name [AS] [alias] [WITH (hints)], joined by commas or
    // JOIN ... ON. Derived tables are selects of their own.
    bool expectTable = true;
    for (std::size_t i = b; i < e; ++i) {
        const Node& x = n[i];
        if (expectTable) {
            if (x.IsGroup()) {
                // A derived table; translated with the rest of the statement.
                out.push_back(x);
                std::size_t j = i + 1;
                if (j < e && n[j].IsWord("as")) {
                    out.push_back(n[j]);
                    ++j;
                }
                if (j < e && isName(n[j]) && !isKeyword(n[j])) {
                    scope.Add("", nameOf(n[j]));
                    out.push_back(n[j]);
                    i = j;
                } else {
                    i = j - 1;
                }
                expectTable = false;
                continue;
            }
            if (!isName(x)) {
                fail("expected a table name");
            }
            std::string table = nameOf(x);
            if (IEquals(table, "information_schema.tables")) {
                table = "zev_information_schema_tables";
            } else if (IEquals(table, "sys.tables") || IEquals(table, "sys.objects")) {
                table = "sysobjects";
            }
            out.push_back(x.Is(Token::Quoted) ? ident(table) : word(table));
            std::string alias;
            std::size_t j = i + 1;
            if (j < e && n[j].IsWord("as")) {
                out.push_back(n[j]);
                ++j;
            }
            if (j < e && isName(n[j]) && !isKeyword(n[j])) {
                alias = nameOf(n[j]);
                out.push_back(n[j]);
                ++j;
            }
            // Table hints have no meaning here.
            if (j < e && n[j].IsWord("with") && j + 1 < e && n[j + 1].IsGroup()) {
                j += 2;
            } else if (j < e && n[j].IsGroup() && n[j].kids.size() == 1 && n[j].kids[0].IsWord("nolock")) {
                j += 1;
            }
            scope.Add(table, alias);
            i = j - 1;
            expectTable = false;
            continue;
        }
        if (x.Is(Token::Comma) || x.IsWord("join")) {
            expectTable = true;
            out.push_back(x);
            continue;
        }
        if (x.IsWord("on")) {
            // The condition runs to the next join or comma.
            std::size_t j = i + 1;
            while (j < e && !n[j].Is(Token::Comma) && !n[j].IsWord("join") && !n[j].IsWord("inner") &&
                   !n[j].IsWord("left") && !n[j].IsWord("right") && !n[j].IsWord("full") && !n[j].IsWord("cross")) {
                ++j;
            }
            out.push_back(x);
            // Conditions are translated once every table is known (below).
            append(out, slice(n, i + 1, j));
            i = j - 1;
            continue;
        }
        if (x.IsWord("right") || x.IsWord("full")) {
            fail("RIGHT and FULL joins are not supported");
        }
        out.push_back(x);
    }
    return out.size();
}

Nodes Translator::selectPart(const Nodes& in, const Scope* parent)
{
    Nodes n = in;
    Scope scope = scopeFor(parent);
    // TOP n
    std::string limit;
    std::size_t p = 1;
    if (p < n.size() && (n[p].IsWord("distinct") || n[p].IsWord("all"))) {
        ++p;
    }
    if (p < n.size() && n[p].IsWord("top")) {
        if (p + 1 >= n.size()) {
            fail("TOP without a count");
        }
        const Node& c = n[p + 1];
        if (c.Is(Token::Number)) {
            limit = c.tok.text;
        } else if (c.IsGroup() && c.kids.size() == 1 && c.kids[0].Is(Token::Number)) {
            limit = c.kids[0].tok.text;
        } else {
            fail("TOP needs a number");
        }
        if (p + 2 < n.size() && (n[p + 2].IsWord("percent") || n[p + 2].IsWord("with"))) {
            fail("TOP PERCENT / WITH TIES not supported");
        }
        n.erase(n.begin() + static_cast<long>(p), n.begin() + static_cast<long>(p + 2));
    }
    std::size_t into = findWord(n, 1, {"into"});
    std::size_t fromAt = findWord(n, 1, {"from"});
    if (into < fromAt) {
        fail("SELECT INTO is not supported");
    }
    if (fromAt < n.size()) {
        std::size_t fromEnd = findWord(n, fromAt + 1, {"where", "group", "order", "having"});
        Nodes fromOut;
        parseFrom(n, fromAt + 1, fromEnd, scope, fromOut, parent);
        Nodes rebuilt = slice(n, 0, fromAt + 1);
        append(rebuilt, fromOut);
        std::size_t newFromEnd = rebuilt.size();
        append(rebuilt, slice(n, fromEnd, n.size()));
        n = std::move(rebuilt);
        fromEnd = newFromEnd;
        std::size_t whereAt = findWord(n, fromEnd, {"where"});
        bool outer = false;
        std::size_t whereEnd = n.size();
        if (whereAt < n.size()) {
            whereEnd = findWord(n, whereAt + 1, {"group", "order", "having"});
            for (std::size_t i = whereAt + 1; i < whereEnd; ++i) {
                outer = outer || n[i].IsOp("*=") || n[i].IsOp("=*");
            }
        }
        if (outer) {
            outerJoins(n, fromAt, fromEnd, whereAt, whereEnd, scope);
        }
    }
    Nodes out = level(n, scope);
    if (!limit.empty()) {
        out.push_back(word("LIMIT"));
        out.push_back(num(limit));
    }
    return out;
}

// Conjuncts of a WHERE clause (AND at the top level, BETWEEN's AND excluded).
std::vector<Nodes> conjuncts(const Nodes& n, std::size_t b, std::size_t e)
{
    std::vector<Nodes> out(1);
    bool between = false;
    for (std::size_t i = b; i < e; ++i) {
        if (n[i].IsWord("or")) {
            fail("outer join operators combined with OR");
        }
        if (n[i].IsWord("between")) {
            between = true;
        }
        if (n[i].IsWord("and")) {
            if (between) {
                between = false;
            } else {
                out.emplace_back();
                continue;
            }
        }
        out.back().push_back(n[i]);
    }
    return out;
}

void Translator::outerJoins(Nodes& n, std::size_t fromAt, std::size_t fromEnd, std::size_t whereAt,
                            std::size_t whereEnd, const Scope& scope)
{
    // FROM must be a plain comma list.
    struct Item {
        Nodes nodes;
        std::string key; // alias or table name
        std::vector<Nodes> on;
        bool inner = false;
    };
    std::vector<Item> items;
    for (const Nodes& part : splitCommas(slice(n, fromAt + 1, fromEnd))) {
        if (part.empty() || part.size() > 3 || !isName(part[0])) {
            fail("outer join operators need a plain table list");
        }
        for (const Node& x : part) {
            if (x.IsWord("join")) {
                fail("outer join operators mixed with JOIN");
            }
        }
        Item it;
        it.nodes = part;
        it.key = nameOf(part.back());
        items.push_back(std::move(it));
    }
    auto itemOf = [&](const std::string& table) -> Item* {
        for (Item& it : items) {
            if (IEquals(it.key, table) || IEquals(nameOf(it.nodes[0]), table)) {
                return &it;
            }
        }
        return nullptr;
    };
    // The item a column reference belongs to.
    auto tableOfRef = [&](const Node& x) -> Item* {
        if (!x.Is(Token::Word) || isKeyword(x)) {
            return nullptr;
        }
        std::string w = x.tok.text;
        std::size_t dot = w.rfind('.');
        if (dot != std::string::npos) {
            return itemOf(w.substr(0, dot));
        }
        std::string t;
        if (scope.Resolve(w, &t)) {
            return itemOf(t);
        }
        return nullptr;
    };
    std::vector<Nodes> rest;
    std::vector<Nodes> plain;
    for (Nodes c : conjuncts(n, whereAt + 1, whereEnd)) {
        std::size_t opAt = c.size();
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (c[i].IsOp("*=") || c[i].IsOp("=*")) {
                opAt = i;
            }
        }
        if (opAt == c.size()) {
            plain.push_back(c);
            continue;
        }
        if (opAt != 1 || c.size() != 3) {
            fail("outer join operands must be columns");
        }
        Item* left = tableOfRef(c[0]);
        Item* right = tableOfRef(c[2]);
        if (left == nullptr || right == nullptr || left == right) {
            fail("outer join operands must be columns of two listed tables");
        }
        Item* inner = c[1].IsOp("*=") ? right : left;
        inner->inner = true;
        c[1] = op("=");
        inner->on.push_back(c);
    }
    // Restrictions on an inner table alone belong to its join.
    for (Nodes& c : plain) {
        Item* only = nullptr;
        bool other = false;
        std::function<void(const Nodes&)> scan = [&](const Nodes& xs) {
            for (std::size_t i = 0; i < xs.size(); ++i) {
                const Node& x = xs[i];
                if (x.IsGroup()) {
                    scan(x.kids);
                    continue;
                }
                if (x.Is(Token::Word) && !isKeyword(x) && !(i + 1 < xs.size() && xs[i + 1].IsGroup())) {
                    Item* t = tableOfRef(x);
                    if (t == nullptr || (only != nullptr && only != t)) {
                        other = true;
                    } else {
                        only = t;
                    }
                }
            }
        };
        scan(c);
        if (only != nullptr && !other && only->inner) {
            only->on.push_back(c);
        } else {
            rest.push_back(c);
        }
    }
    for (const Item& it : items) {
        if (it.inner) {
            // An inner table that another outer join preserves would need
            // nested joins in a given order; refuse rather than guess.
            for (const Nodes& c : it.on) {
                if (c.size() == 3 && c[1].IsOp("=")) {
                    Item* l = tableOfRef(c[0]);
                    Item* r = tableOfRef(c[2]);
                    Item* other = l == &it ? r : l;
                    if (other && other->inner) {
                        fail("chained outer joins are not supported");
                    }
                }
            }
        }
    }
    Nodes from;
    bool first = true;
    for (const Item& it : items) {
        if (!it.inner) {
            if (!first) {
                from.push_back(comma());
            }
            append(from, it.nodes);
            first = false;
        }
    }
    if (first) {
        fail("every table of the outer join is an inner table");
    }
    for (const Item& it : items) {
        if (it.inner) {
            from.push_back(word("LEFT"));
            from.push_back(word("JOIN"));
            append(from, it.nodes);
            from.push_back(word("ON"));
            for (std::size_t i = 0; i < it.on.size(); ++i) {
                if (i > 0) {
                    from.push_back(word("AND"));
                }
                from.push_back(group(it.on[i]));
            }
        }
    }
    Nodes rebuilt = slice(n, 0, fromAt + 1);
    append(rebuilt, from);
    if (!rest.empty()) {
        rebuilt.push_back(word("WHERE"));
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (i > 0) {
                rebuilt.push_back(word("AND"));
            }
            append(rebuilt, rest[i]);
        }
    }
    append(rebuilt, slice(n, whereEnd, n.size()));
    n = std::move(rebuilt);
}

} // namespace tabula::dialect
