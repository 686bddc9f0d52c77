#include "tabula/SqlDialectParts.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

// The token tree and its small helpers.

namespace tabula::dialect {

[[noreturn]] void fail(const std::string& why) { throw TranslateError(why); }

Node mk(Token::Kind k, std::string text) { return Node{Token{k, std::move(text), false}, {}}; }
Node word(std::string w) { return mk(Token::Word, std::move(w)); }
Node str(std::string s) { return mk(Token::String, std::move(s)); }
Node num(std::string n) { return mk(Token::Number, std::move(n)); }
Node op(std::string o) { return mk(Token::Op, std::move(o)); }
Node comma() { return mk(Token::Comma, ","); }
Node group(Nodes kids)
{
    Node n = mk(Token::LParen, "(");
    n.kids = std::move(kids);
    return n;
}
Node ident(const std::string& name) { return mk(Token::Quoted, name); }

void buildTree(const std::vector<Token>& toks, std::size_t& i, Nodes& out, bool nested)
{
    while (i < toks.size()) {
        const Token& t = toks[i];
        if (t.kind == Token::LParen) {
            ++i;
            Node g = mk(Token::LParen, "(");
            buildTree(toks, i, g.kids, true);
            out.push_back(std::move(g));
            continue;
        }
        if (t.kind == Token::RParen) {
            if (!nested) {
                fail("unbalanced parenthesis");
            }
            ++i;
            return;
        }
        out.push_back(Node{t, {}});
        ++i;
    }
    if (nested) {
        fail("unbalanced parenthesis");
    }
}

void flatten(const Nodes& nodes, std::vector<Token>& out)
{
    for (const Node& n : nodes) {
        if (n.IsGroup()) {
            out.push_back(Token{Token::LParen, "(", false});
            flatten(n.kids, out);
            out.push_back(Token{Token::RParen, ")", false});
        } else {
            out.push_back(n.tok);
        }
    }
}

std::string render(const Nodes& nodes)
{
    std::vector<Token> toks;
    flatten(nodes, toks);
    return detail::Serialize(toks);
}

Nodes slice(const Nodes& n, std::size_t b, std::size_t e)
{
    return Nodes(n.begin() + static_cast<long>(b), n.begin() + static_cast<long>(std::min(e, n.size())));
}

void append(Nodes& to, const Nodes& from) { to.insert(to.end(), from.begin(), from.end()); }

std::vector<Nodes> splitCommas(const Nodes& n)
{
    std::vector<Nodes> parts(1);
    for (const Node& x : n) {
        if (x.Is(Token::Comma)) {
            parts.emplace_back();
        } else {
            parts.back().push_back(x);
        }
    }
    if (parts.size() == 1 && parts[0].empty()) {
        parts.clear();
    }
    return parts;
}

Nodes joinCommas(const std::vector<Nodes>& parts)
{
    Nodes out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            out.push_back(comma());
        }
        append(out, parts[i]);
    }
    return out;
}

// Name of a word or quoted identifier, with an owner prefix (dbo.) removed.
std::string nameOf(const Node& n)
{
    std::string s = n.tok.text;
    if (n.Is(Token::Word) && s.size() > 4 && IEquals(s.substr(0, 4), "dbo.")) {
        s = s.substr(4);
    }
    return s;
}

bool isName(const Node& n) { return n.Is(Token::Word) || n.Is(Token::Quoted); }

const std::set<std::string>& keywords()
{
    static const std::set<std::string> k = {
        "select", "from",      "where",  "group",  "order",   "by",   "having", "union",   "all",    "distinct",
        "top",    "as",        "on",     "join",   "inner",   "left", "right",  "full",    "outer",  "cross",
        "and",    "or",        "not",    "in",     "is",      "null", "like",   "between", "exists", "case",
        "when",   "then",      "else",   "end",    "asc",     "desc", "into",   "values",  "set",    "with",
        "except", "intersect", "limit",  "escape", "collate", "for",  "using",  "natural", "offset", "delete",
        "update", "insert",    "create", "drop",   "alter",   "if",   "begin",  "percent"};
    return k;
}

bool isKeyword(const Node& n) { return n.Is(Token::Word) && keywords().count(ToLower(n.tok.text)) > 0; }

bool isComparison(const Node& n)
{
    if (!n.Is(Token::Op)) {
        return false;
    }
    const std::string& o = n.tok.text;
    return o == "=" || o == "<>" || o == "!=" || o == "<" || o == ">" || o == "<=" || o == ">=" || o == "==" ||
           o == "*=" || o == "=*";
}

} // namespace tabula::dialect
