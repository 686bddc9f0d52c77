#include "tabula/SqlDialect.h"
#include "tabula/CLocaleScope.h"

#include "tabula/ConnectionImpl.h"
#include "tabula/SqlTokenizer.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>

namespace tabula {

using detail::IEquals;
using detail::ToLower;
using detail::Token;

namespace {

// ---------------------------------------------------------------------------
// Token tree: a parenthesised group is one node holding its contents, so a
// function call is a word followed by a group and every rewrite works on one
// nesting level at a time.

struct Node {
    Token tok;
    std::vector<Node> kids;

    bool IsGroup() const { return tok.kind == Token::LParen; }
    bool IsWord(const char* w) const { return tok.IsWord(w); }
    bool IsOp(const char* o) const { return tok.IsOp(o); }
    bool Is(Token::Kind k) const { return tok.kind == k; }
};
using Nodes = std::vector<Node>;

struct TranslateError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& why)
{
    throw TranslateError(why);
}

Node mk(Token::Kind k, std::string text)
{
    return Node{Token{k, std::move(text), false}, {}};
}
Node word(std::string w)
{
    return mk(Token::Word, std::move(w));
}
Node str(std::string s)
{
    return mk(Token::String, std::move(s));
}
Node num(std::string n)
{
    return mk(Token::Number, std::move(n));
}
Node op(std::string o)
{
    return mk(Token::Op, std::move(o));
}
Node comma()
{
    return mk(Token::Comma, ",");
}
Node group(Nodes kids)
{
    Node n = mk(Token::LParen, "(");
    n.kids = std::move(kids);
    return n;
}
Node ident(const std::string& name)
{
    return mk(Token::Quoted, name);
}

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

void append(Nodes& to, const Nodes& from)
{
    to.insert(to.end(), from.begin(), from.end());
}

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

bool isName(const Node& n)
{
    return n.Is(Token::Word) || n.Is(Token::Quoted);
}

const std::set<std::string>& keywords()
{
    static const std::set<std::string> k = {
        "select", "from",   "where",  "group",  "order",   "by",      "having", "union",  "all",   "distinct",
        "top",    "as",     "on",     "join",   "inner",   "left",    "right",  "full",   "outer", "cross",
        "and",    "or",     "not",    "in",     "is",      "null",    "like",   "between", "exists", "case",
        "when",   "then",   "else",   "end",    "asc",     "desc",    "into",   "values", "set",   "with",
        "except", "intersect", "limit", "escape", "collate", "for",   "using",  "natural", "offset", "delete",
        "update", "insert", "create", "drop",   "alter",   "if",      "begin",  "percent"};
    return k;
}

bool isKeyword(const Node& n)
{
    return n.Is(Token::Word) && keywords().count(ToLower(n.tok.text)) > 0;
}

bool isComparison(const Node& n)
{
    if (!n.Is(Token::Op)) {
        return false;
    }
    const std::string& o = n.tok.text;
    return o == "=" || o == "<>" || o == "!=" || o == "<" || o == ">" || o == "<=" || o == ">=" || o == "=="
        || o == "*=" || o == "=*";
}

// ---------------------------------------------------------------------------
// Column types by what the statement's tables declare.

enum class Kind { Unknown, Text, Number, DateTime };

Kind kindOfDecl(const std::string& decl)
{
    if (SqlDialect::IsDateTimeType(decl)) {
        return Kind::DateTime;
    }
    if (SqlDialect::IsTextType(decl)) {
        return Kind::Text;
    }
    if (SqlDialect::IsNumericType(decl)) {
        return Kind::Number;
    }
    return Kind::Unknown;
}

struct Scope {
    const ISchemaInfo* schema = nullptr;
    const Scope* parent = nullptr;
    std::vector<std::pair<std::string, std::string>> tables;  // (alias or name, table)

    void Add(const std::string& table, const std::string& alias)
    {
        tables.emplace_back(alias.empty() ? table : alias, table);
    }

    // The table a qualifier names, searching outward.
    const std::string* TableFor(const std::string& qualifier) const
    {
        for (const Scope* s = this; s != nullptr; s = s->parent) {
            for (const auto& t : s->tables) {
                if (IEquals(t.first, qualifier) || IEquals(t.second, qualifier)) {
                    return &t.second;
                }
            }
        }
        return nullptr;
    }

    const ColumnInfo* Find(const std::string& table, const std::string& column) const
    {
        if (schema == nullptr) {
            return nullptr;
        }
        const auto* cols = schema->Columns(table);
        if (cols == nullptr) {
            return nullptr;
        }
        for (const auto& c : *cols) {
            if (IEquals(c.name, column)) {
                return &c;
            }
        }
        return nullptr;
    }

    // Column a (possibly qualified) word names, and the table it belongs to.
    const ColumnInfo* Resolve(const std::string& ref, std::string* tableOut = nullptr) const
    {
        std::string w = ref;
        if (w.size() > 4 && IEquals(w.substr(0, 4), "dbo.")) {
            w = w.substr(4);
        }
        std::size_t dot = w.rfind('.');
        if (dot != std::string::npos) {
            const std::string* table = TableFor(w.substr(0, dot));
            if (table == nullptr) {
                return nullptr;
            }
            if (tableOut) {
                *tableOut = *table;
            }
            return Find(*table, w.substr(dot + 1));
        }
        for (const Scope* s = this; s != nullptr; s = s->parent) {
            for (const auto& t : s->tables) {
                if (const ColumnInfo* c = Find(t.second, w)) {
                    if (tableOut) {
                        *tableOut = t.first;
                    }
                    return c;
                }
            }
        }
        return nullptr;
    }

    Kind KindOf(const Node& n) const
    {
        if (!(n.Is(Token::Word) || n.Is(Token::Quoted)) || isKeyword(n)) {
            return Kind::Unknown;
        }
        const ColumnInfo* c = Resolve(n.tok.text);
        return c ? kindOfDecl(c->declType) : Kind::Unknown;
    }
};

// A literal written for a datetime column, in the stored form. An empty text
// is the server's zero date; anything else that is no date fails as on the
// server.
std::string canonicalDateLiteral(const std::string& text)
{
    std::string t = text;
    while (!t.empty() && t.back() == ' ') {
        t.pop_back();
    }
    if (t.find_first_not_of(' ') == std::string::npos) {
        return "1900-01-01 00:00:00";
    }
    auto c = SqlDialect::CanonicalDateTime(t);
    if (!c) {
        fail("conversion failed when converting date and/or time from character string: '" + text + "'");
    }
    return *c;
}

// A literal written for a numeric column: blank is 0, numeric text is the
// number; other text fails as a conversion error on the server.
Node numericLiteral(const Node& s)
{
    std::string t = s.tok.text;
    std::size_t b = t.find_first_not_of(' ');
    if (b == std::string::npos) {
        return num("0");
    }
    std::size_t e = t.find_last_not_of(' ');
    t = t.substr(b, e - b + 1);
    char* end = nullptr;
    CLocaleScope::ParseDouble(t.c_str(), &end);
    if (end == t.c_str() || *end != '\0' || t.find_first_of("xXnN") != std::string::npos) {
        fail("conversion failed when converting the value '" + s.tok.text + "' to a number");
    }
    if (t[0] == '+') {
        t = t.substr(1);
    }
    if (t[0] == '-') {
        return group({op("-"), num(t.substr(1))});
    }
    return num(t);
}

// Fits a literal to the column it is written into or compared with.
void fitLiteral(Node& value, Kind kind)
{
    if (!value.Is(Token::String)) {
        return;
    }
    if (kind == Kind::DateTime) {
        value.tok.text = canonicalDateLiteral(value.tok.text);
    } else if (kind == Kind::Number) {
        value = numericLiteral(value);
    }
}

// ---------------------------------------------------------------------------

std::string dateUnit(const Node& n)
{
    std::string u = ToLower(n.Is(Token::String) ? n.tok.text : n.tok.text);
    static const std::map<std::string, std::string> units = {
        {"yy", "yy"},      {"yyyy", "yy"},  {"year", "yy"},        {"qq", "qq"},   {"q", "qq"},
        {"quarter", "qq"}, {"mm", "mm"},    {"m", "mm"},           {"month", "mm"}, {"dd", "dd"},
        {"d", "dd"},       {"day", "dd"},   {"dy", "dy"},          {"y", "dy"},    {"dayofyear", "dy"},
        {"wk", "wk"},      {"ww", "wk"},    {"week", "wk"},        {"dw", "dw"},   {"w", "dw"},
        {"weekday", "dw"}, {"hh", "hh"},    {"hour", "hh"},        {"mi", "mi"},   {"n", "mi"},
        {"minute", "mi"},  {"ss", "ss"},    {"s", "ss"},           {"second", "ss"}, {"ms", "ms"},
        {"millisecond", "ms"}};
    auto it = units.find(u);
    if (it == units.end() || !(n.Is(Token::Word) || n.Is(Token::String))) {
        fail("unknown date part: " + n.tok.text);
    }
    return it->second;
}

// Target type of convert/cast, from its nodes ("varchar", "(", "10", ")").
struct TypeSpec {
    std::string base;  // lower-case name
    int length = -1;   // (n) when given
    int scale = -1;    // (p,s): s
};

TypeSpec typeSpec(const Nodes& n)
{
    if (n.empty() || !isName(n[0])) {
        fail("missing type name");
    }
    TypeSpec t;
    t.base = ToLower(n[0].tok.text);
    std::size_t i = 1;
    // Two-word names.
    if (i < n.size() && n[i].Is(Token::Word) && (t.base == "double" || t.base == "character" || t.base == "national")) {
        t.base += " " + ToLower(n[i].tok.text);
        ++i;
    }
    if (i < n.size() && n[i].IsGroup()) {
        auto parts = splitCommas(n[i].kids);
        if (!parts.empty() && parts[0].size() == 1 && parts[0][0].Is(Token::Number)) {
            t.length = std::atoi(parts[0][0].tok.text.c_str());
        }
        if (parts.size() > 1 && parts[1].size() == 1 && parts[1][0].Is(Token::Number)) {
            t.scale = std::atoi(parts[1][0].tok.text.c_str());
        }
        ++i;
    }
    if (i != n.size()) {
        fail("unexpected text after type " + t.base);
    }
    return t;
}

// convert(type, expr[, style]) and cast(expr as type) in SQLite terms.
Nodes convertTo(const TypeSpec& t, const Nodes& expr, const Nodes* style)
{
    const std::string& b = t.base;
    auto call = [](const std::string& fn, std::vector<Nodes> args) {
        return Nodes{word(fn), group(joinCommas(args))};
    };
    if (b == "datetime" || b == "smalldatetime" || b == "datetime2") {
        return call("zev_datetime", {expr});
    }
    if (b == "date") {
        return call("zev_datetime", {expr, {str("date")}});
    }
    if (b == "int" || b == "integer" || b == "bigint" || b == "smallint" || b == "tinyint") {
        return call("zev_int", {expr});
    }
    if (b == "bit") {
        return Nodes{word("CAST"), group({group(expr), op("<>"), num("0"), word("AS"), word("INTEGER")})};
    }
    if (b == "float" || b == "real" || b == "double precision" || b == "money" || b == "smallmoney") {
        return Nodes{word("CAST"), group({group(expr), word("AS"), word("REAL")})};
    }
    if (b == "decimal" || b == "numeric") {
        Nodes cast{word("CAST"), group({group(expr), word("AS"), word("REAL")})};
        return call("round", {cast, {num(std::to_string(t.scale < 0 ? 0 : t.scale))}});
    }
    if (b == "varchar" || b == "nvarchar" || b == "char" || b == "nchar" || b == "text" || b == "ntext"
        || b == "character varying" || b == "sysname") {
        Nodes text = call("zev_convert", {expr, style ? *style : Nodes{num("-1")}});
        if (t.length > 0) {
            text = call("substr", {text, {num("1")}, {num(std::to_string(t.length))}});
        }
        return text;
    }
    fail("unsupported conversion to " + b);
}

class Translator {
public:
    explicit Translator(const ISchemaInfo* schema) : m_schema(schema) {}

    Translation Run(const std::string& sql);

private:
    const ISchemaInfo* m_schema;

    Scope scopeFor(const Scope* parent) const
    {
        Scope s;
        s.schema = m_schema;
        s.parent = parent;
        return s;
    }

    void statement(const Nodes& n, Translation& tr);
    Nodes select(const Nodes& n, const Scope* parent);
    Nodes selectPart(const Nodes& n, const Scope* parent);
    Nodes level(const Nodes& n, const Scope& scope);
    Nodes function(const std::string& name, const Nodes& args, const Scope& scope, bool& handled);
    void comparisons(Nodes& n, const Scope& scope);
    void chains(Nodes& n, const Scope& scope);
    void chainSegment(Nodes& n, std::size_t b, std::size_t e, const Scope& scope);
    Kind classify(const Nodes& atom, const Scope& scope) const;
    void outerJoins(Nodes& part, std::size_t fromAt, std::size_t fromEnd, std::size_t whereAt, std::size_t whereEnd,
                    const Scope& scope);
    std::size_t parseFrom(const Nodes& n, std::size_t b, std::size_t e, Scope& scope, Nodes& out, const Scope* parent);

    std::string insertStmt(const Nodes& n, Translation& tr);
    std::string updateStmt(const Nodes& n, Translation& tr);
    std::string deleteStmt(const Nodes& n, Translation& tr);
    void createStmt(const Nodes& n, Translation& tr);
    void alterStmt(const Nodes& n, Translation& tr);
    void dropStmt(const Nodes& n, Translation& tr);
    std::string columnDef(const Nodes& def, bool& identityUsed, bool tableHasOtherKey, const std::string& pkColumn);
};

// Index of the first top-level word among the given ones at or after b.
std::size_t findWord(const Nodes& n, std::size_t b, std::initializer_list<const char*> words)
{
    int caseDepth = 0;
    for (std::size_t i = b; i < n.size(); ++i) {
        if (n[i].IsWord("case")) {
            ++caseDepth;
        } else if (n[i].IsWord("end") && caseDepth > 0) {
            --caseDepth;
            continue;
        }
        if (caseDepth > 0) {
            continue;
        }
        for (const char* w : words) {
            if (n[i].IsWord(w)) {
                return i;
            }
        }
    }
    return n.size();
}

// End of a CASE ... END starting at b (index of END).
std::size_t caseEnd(const Nodes& n, std::size_t b)
{
    int depth = 0;
    for (std::size_t i = b; i < n.size(); ++i) {
        if (n[i].IsWord("case")) {
            ++depth;
        } else if (n[i].IsWord("end")) {
            if (--depth == 0) {
                return i;
            }
        }
    }
    fail("CASE without END");
}

// ---------------------------------------------------------------------------
// Expressions of one nesting level.

Nodes Translator::level(const Nodes& in, const Scope& scope)
{
    Nodes out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Node& n = in[i];
        if (n.IsGroup()) {
            Node g = n;
            if (!g.kids.empty() && g.kids[0].IsWord("select")) {
                g.kids = select(g.kids, &scope);
            } else {
                g.kids = level(g.kids, scope);
            }
            out.push_back(std::move(g));
            continue;
        }
        if (n.Is(Token::Word) && i + 1 < in.size() && in[i + 1].IsGroup()
            && (!isKeyword(n) || n.IsWord("left") || n.IsWord("right"))) {
            bool handled = false;
            Nodes repl = function(ToLower(n.tok.text), in[i + 1].kids, scope, handled);
            if (handled) {
                append(out, repl);
                ++i;
                continue;
            }
        }
        if (n.IsWord("current_timestamp")) {
            append(out, {word("datetime"), group({str("now"), comma(), str("localtime")})});
            continue;
        }
        if (n.Is(Token::Param) && IEquals(n.tok.text, "@@identity")) {
            append(out, {word("last_insert_rowid"), group({})});
            continue;
        }
        if (n.Is(Token::Param)) {
            fail("parameters are not supported: " + n.tok.text);
        }
        if (n.IsOp("!<")) {
            out.push_back(op(">="));
            continue;
        }
        if (n.IsOp("!>")) {
            out.push_back(op("<="));
            continue;
        }
        if (n.IsOp("*=") || n.IsOp("=*")) {
            fail("outer join operator outside a simple select");
        }
        if (n.IsOp("^") || n.IsOp("~")) {
            fail("bitwise operator not supported: " + n.tok.text);
        }
        if (n.Is(Token::String) && n.tok.national) {
            out.push_back(str(n.tok.text));
            continue;
        }
        out.push_back(n);
    }
    comparisons(out, scope);
    chains(out, scope);
    return out;
}

Nodes Translator::function(const std::string& name, const Nodes& rawArgs, const Scope& scope, bool& handled)
{
    handled = true;
    std::vector<Nodes> raw = splitCommas(rawArgs);
    auto arg = [&](std::size_t i) { return level(raw[i], scope); };
    auto need = [&](std::size_t lo, std::size_t hi) {
        if (raw.size() < lo || raw.size() > hi) {
            fail("wrong number of arguments to " + name);
        }
    };
    auto call = [](const std::string& fn, std::vector<Nodes> args) {
        return Nodes{word(fn), group(joinCommas(args))};
    };
    if (name == "getdate" || name == "sysdatetime" || name == "current_timestamp") {
        need(0, 0);
        return call("datetime", {{str("now")}, {str("localtime")}});
    }
    if (name == "getutcdate" || name == "sysutcdatetime") {
        need(0, 0);
        return call("datetime", {{str("now")}});
    }
    if (name == "datepart" || name == "datename") {
        need(2, 2);
        if (raw[0].size() != 1) {
            fail("bad date part");
        }
        return call("zev_datepart", {{str(dateUnit(raw[0][0]))}, arg(1)});
    }
    if (name == "year" || name == "month" || name == "day") {
        need(1, 1);
        const char* unit = name == "year" ? "yy" : name == "month" ? "mm" : "dd";
        return call("zev_datepart", {{str(unit)}, arg(0)});
    }
    if (name == "datediff") {
        need(3, 3);
        if (raw[0].size() != 1) {
            fail("bad date part");
        }
        return call("zev_datediff", {{str(dateUnit(raw[0][0]))}, arg(1), arg(2)});
    }
    if (name == "dateadd") {
        need(3, 3);
        if (raw[0].size() != 1) {
            fail("bad date part");
        }
        return call("zev_dateadd", {{str(dateUnit(raw[0][0]))}, arg(1), arg(2)});
    }
    if (name == "convert") {
        need(2, 3);
        TypeSpec t = typeSpec(raw[0]);
        Nodes style;
        if (raw.size() == 3) {
            style = arg(2);
        }
        return convertTo(t, arg(1), raw.size() == 3 ? &style : nullptr);
    }
    if (name == "cast") {
        need(1, 1);
        // expr AS type: the last top-level AS separates them.
        const Nodes& a = raw[0];
        std::size_t as = a.size();
        for (std::size_t i = a.size(); i-- > 0;) {
            if (a[i].IsWord("as")) {
                as = i;
                break;
            }
        }
        if (as == a.size() || as == 0) {
            fail("CAST without AS");
        }
        return convertTo(typeSpec(slice(a, as + 1, a.size())), level(slice(a, 0, as), scope), nullptr);
    }
    if (name == "isnull") {
        need(2, 2);
        return call("ifnull", {arg(0), arg(1)});
    }
    if (name == "len") {
        need(1, 1);
        return call("length", {call("rtrim", {arg(0)})});
    }
    if (name == "datalength") {
        need(1, 1);
        return call("length", {arg(0)});
    }
    if (name == "substring") {
        need(3, 3);
        return call("substr", {arg(0), arg(1), arg(2)});
    }
    if (name == "charindex") {
        need(2, 3);
        std::vector<Nodes> args = {arg(0), arg(1)};
        if (raw.size() == 3) {
            args.push_back(arg(2));
        }
        return call("zev_charindex", args);
    }
    if (name == "left" || name == "right") {
        need(2, 2);
        return call(name == "left" ? "zev_left" : "zev_right", {arg(0), arg(1)});
    }
    if (name == "space") {
        need(1, 1);
        return call("zev_replicate", {{str(" ")}, arg(0)});
    }
    if (name == "replicate") {
        need(2, 2);
        return call("zev_replicate", {arg(0), arg(1)});
    }
    if (name == "isdate") {
        need(1, 1);
        return call("zev_isdate", {arg(0)});
    }
    if (name == "ceiling") {
        need(1, 1);
        return call("zev_ceiling", {arg(0)});
    }
    if (name == "count_big") {
        return Nodes{word("count"), group(level(rawArgs, scope))};
    }
    if (name == "getansinull" || name == "newid" || name == "patindex" || name == "stuff" || name == "str"
        || name == "soundex" || name == "difference" || name == "quotename") {
        fail("unsupported function: " + name);
    }
    handled = false;
    return {};
}

// Literals compared with datetime (or numeric) columns take the column's form.
void Translator::comparisons(Nodes& n, const Scope& scope)
{
    for (std::size_t i = 0; i < n.size(); ++i) {
        if (isComparison(n[i]) && i > 0 && i + 1 < n.size()) {
            Kind left = scope.KindOf(n[i - 1]);
            Kind right = scope.KindOf(n[i + 1]);
            // Only a literal standing alone on its side is fitted.
            bool rightAlone = i + 2 >= n.size() || !n[i + 2].Is(Token::Op) || isComparison(n[i + 2]);
            bool leftAlone = i < 2 || !n[i - 2].Is(Token::Op);
            if (left != Kind::Unknown && n[i + 1].Is(Token::String) && rightAlone) {
                fitLiteral(n[i + 1], left);
            } else if (right != Kind::Unknown && n[i - 1].Is(Token::String) && leftAlone) {
                fitLiteral(n[i - 1], right);
            }
        } else if (n[i].IsWord("between") && i > 0) {
            Kind k = scope.KindOf(n[i - 1]);
            if (k == Kind::DateTime && i + 3 < n.size() && n[i + 2].IsWord("and")) {
                fitLiteral(n[i + 1], k);
                fitLiteral(n[i + 3], k);
            }
        } else if (n[i].IsWord("in") && i > 0 && i + 1 < n.size() && n[i + 1].IsGroup()) {
            std::size_t c = n[i - 1].IsWord("not") && i > 1 ? i - 2 : i - 1;
            Kind k = scope.KindOf(n[c]);
            if (k == Kind::DateTime) {
                for (Node& v : n[i + 1].kids) {
                    fitLiteral(v, k);
                }
            }
        }
    }
}

Kind Translator::classify(const Nodes& atom, const Scope& scope) const
{
    if (atom.empty()) {
        return Kind::Unknown;
    }
    const Node& a = atom[0];
    if (atom.size() == 1) {
        if (a.Is(Token::String)) {
            return Kind::Text;
        }
        if (a.Is(Token::Number)) {
            return Kind::Number;
        }
        if (a.Is(Token::Word) || a.Is(Token::Quoted)) {
            return scope.KindOf(a);
        }
        if (a.IsGroup()) {
            for (const Node& k : a.kids) {
                if (k.IsOp("||")) {
                    return Kind::Text;
                }
            }
            if (a.kids.size() == 1 || (a.kids.size() == 2 && a.kids[1].IsGroup())) {
                return classify(a.kids, scope);
            }
            return Kind::Unknown;
        }
        return Kind::Unknown;
    }
    if (atom.size() == 2 && a.Is(Token::Word) && atom[1].IsGroup()) {
        static const std::set<std::string> text = {"zev_convert", "substr", "ltrim", "rtrim", "trim", "upper",
                                                    "lower", "replace", "zev_left", "zev_right", "char",
                                                    "zev_replicate", "printf", "format"};
        static const std::set<std::string> number = {"length", "instr", "zev_charindex", "zev_datepart",
                                                      "zev_datediff", "count", "sum", "avg", "abs", "round",
                                                      "zev_int", "zev_ceiling", "floor"};
        static const std::set<std::string> date = {"datetime", "zev_datetime", "zev_dateadd"};
        std::string f = ToLower(a.tok.text);
        if (text.count(f)) {
            return Kind::Text;
        }
        if (number.count(f)) {
            return Kind::Number;
        }
        if (date.count(f)) {
            return Kind::DateTime;
        }
        if (f == "ifnull" || f == "coalesce" || f == "min" || f == "max" || f == "nullif") {
            auto args = splitCommas(atom[1].kids);
            for (const auto& x : args) {
                Kind k = classify(x, scope);
                if (k != Kind::Unknown) {
                    return k;
                }
            }
        }
        if (f == "cast") {
            const Nodes& k = atom[1].kids;
            if (!k.empty()) {
                if (k.back().IsWord("text")) {
                    return Kind::Text;
                }
                if (k.back().IsWord("integer") || k.back().IsWord("real")) {
                    return Kind::Number;
                }
            }
        }
        return Kind::Unknown;
    }
    if (a.IsWord("case")) {
        // A CASE whose results are literals of one kind has that kind.
        for (std::size_t i = 1; i + 1 < atom.size(); ++i) {
            if ((atom[i].IsWord("then") || atom[i].IsWord("else")) && atom[i + 1].Is(Token::String)) {
                return Kind::Text;
            }
        }
    }
    return Kind::Unknown;
}

void Translator::chains(Nodes& n, const Scope& scope)
{
    // Segments run between commas, keywords and comparisons; CASE ... END is
    // one operand whose inner parts are segments of their own.
    std::size_t b = 0;
    std::size_t i = 0;
    while (i <= n.size()) {
        bool boundary = i == n.size();
        if (!boundary) {
            const Node& x = n[i];
            if (x.IsWord("case")) {
                std::size_t e = caseEnd(n, i);
                Nodes inner = slice(n, i + 1, e);
                chains(inner, scope);
                Nodes rebuilt = slice(n, 0, i + 1);
                append(rebuilt, inner);
                std::size_t newEnd = rebuilt.size();
                append(rebuilt, slice(n, e, n.size()));
                n = std::move(rebuilt);
                i = newEnd + 1;
                continue;
            }
            boundary = x.Is(Token::Comma) || x.Is(Token::Semicolon) || isComparison(x) || isKeyword(x);
        }
        if (boundary) {
            if (i > b) {
                std::size_t before = n.size();
                chainSegment(n, b, i, scope);
                i = i + n.size() - before;
            }
            b = i + 1;
        }
        ++i;
    }
}

void Translator::chainSegment(Nodes& n, std::size_t b, std::size_t e, const Scope& scope)
{
    // Split into additive terms; a term is a run of atoms joined by * / %.
    struct Term {
        Nodes nodes;
        bool single = true;
    };
    std::vector<Term> terms(1);
    std::vector<std::string> ops;
    bool expectOperand = true;
    for (std::size_t i = b; i < e; ++i) {
        const Node& x = n[i];
        if (x.IsWord("case") && (expectOperand || terms.back().nodes.empty())) {
            // CASE ... END is one operand.
            std::size_t end = caseEnd(n, i);
            if (end >= e) {
                return;
            }
            for (std::size_t k = i; k <= end; ++k) {
                terms.back().nodes.push_back(n[k]);
            }
            i = end;
            expectOperand = false;
            continue;
        }
        if (x.Is(Token::Op) && (x.tok.text == "+" || x.tok.text == "-")) {
            if (expectOperand) {
                terms.back().nodes.push_back(x);  // unary sign
                terms.back().single = false;
                continue;
            }
            ops.push_back(x.tok.text);
            terms.emplace_back();
            expectOperand = true;
            continue;
        }
        if (x.Is(Token::Op)) {
            terms.back().nodes.push_back(x);
            terms.back().single = false;
            expectOperand = true;
            continue;
        }
        if (!terms.back().nodes.empty() && !expectOperand) {
            // A function's argument group joins its name; any other second
            // operand in a row (a column alias) ends the expression.
            if (!(x.IsGroup() && terms.back().nodes.back().Is(Token::Word))) {
                e = i;
                break;
            }
        }
        terms.back().nodes.push_back(x);
        expectOperand = false;
    }
    if (terms.size() < 2) {
        return;
    }
    for (const Term& t : terms) {
        if (t.nodes.empty()) {
            return;
        }
    }
    std::vector<Kind> kinds;
    bool anyText = false;
    bool anyNumber = false;
    int dates = 0;
    for (const Term& t : terms) {
        Kind k = t.single || (t.nodes.size() == 2 && t.nodes[1].IsGroup()) || (!t.nodes.empty() && t.nodes[0].IsWord("case"))
            ? classify(t.nodes, scope)
            : Kind::Number;
        kinds.push_back(k);
        anyText = anyText || k == Kind::Text;
        anyNumber = anyNumber || k == Kind::Number;
        dates += k == Kind::DateTime ? 1 : 0;
    }
    const bool allPlus = std::all_of(ops.begin(), ops.end(), [](const std::string& o) { return o == "+"; });
    Nodes repl;
    if (anyText && !anyNumber && dates == 0 && allPlus) {
        for (std::size_t i = 0; i < terms.size(); ++i) {
            if (i > 0) {
                repl.push_back(op("||"));
            }
            append(repl, terms[i].nodes);
        }
    } else if (dates == 1 && kinds[0] == Kind::DateTime && !anyText) {
        // date +/- days: the server's datetime arithmetic in days.
        Nodes days{num("0")};
        for (std::size_t i = 1; i < terms.size(); ++i) {
            days.push_back(op(ops[i - 1]));
            days.push_back(group(terms[i].nodes));
        }
        repl = {word("zev_dateadd"), group(joinCommas({{str("dd")}, days, terms[0].nodes}))};
    } else if (dates >= 1 && !anyText) {
        fail("unsupported date arithmetic");
    } else {
        return;
    }
    Nodes rebuilt = slice(n, 0, b);
    append(rebuilt, repl);
    append(rebuilt, slice(n, e, n.size()));
    n = std::move(rebuilt);
}

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
            while (j < e && !n[j].Is(Token::Comma) && !n[j].IsWord("join") && !n[j].IsWord("inner")
                   && !n[j].IsWord("left") && !n[j].IsWord("right") && !n[j].IsWord("full")
                   && !n[j].IsWord("cross")) {
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
        std::string key;  // alias or table name
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
            col = col.substr(dot + 1);  // SQLite names the column alone
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

// ---------------------------------------------------------------------------
// Schema statements

// Removes storage clauses the server allows after a definition.
Nodes stripStorage(const Nodes& n)
{
    Nodes out;
    for (std::size_t i = 0; i < n.size(); ++i) {
        if ((n[i].IsWord("on") || n[i].IsWord("textimage_on")) && i + 1 < n.size()
            && (n[i + 1].Is(Token::Quoted) || n[i + 1].IsWord("primary") || n[i + 1].Is(Token::Word))
            && i + 2 == n.size()) {
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
            ++i;  // the server's collation names mean nothing here
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
            if (i + 2 < def.size() && (def[i + 1].IsOp("-") || def[i + 1].IsOp("+"))
                && def[i + 2].Is(Token::Number)) {
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
    const bool intType = type == "int" || type == "integer" || type == "bigint" || type == "smallint" || type == "tinyint"
        || type == "numeric" || type == "decimal";
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
        const bool constraint = d[0].IsWord("constraint") || d[0].IsWord("primary") || d[0].IsWord("unique")
            || d[0].IsWord("foreign") || d[0].IsWord("check");
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
            tr.statements.push_back(render({word("CREATE"), word("UNIQUE"), word("INDEX"), ident(name), word("ON"),
                                             ident(table), rest[2]}));
            return;
        }
        if (rest.size() >= 2 && rest[0].IsWord("unique") && rest[1].IsGroup()) {
            if (name.empty()) {
                name = "UQ_" + table;
            }
            tr.statements.push_back(render({word("CREATE"), word("UNIQUE"), word("INDEX"), ident(name), word("ON"),
                                             ident(table), rest[1]}));
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
        bool identityUsed = true;  // an added column cannot become the rowid
        for (const Nodes& d : splitCommas(rest)) {
            tr.statements.push_back("ALTER TABLE " + detail::QuoteIdent(table) + " ADD COLUMN "
                                    + columnDef(d, identityUsed, true, ""));
        }
        return;
    }
    if (n[0].IsWord("drop")) {
        if (n.size() == 3 && n[1].IsWord("constraint") && isName(n[2])) {
            tr.statements.push_back("DROP INDEX IF EXISTS " + detail::QuoteIdent(nameOf(n[2])));
            return;
        }
        if (n.size() == 3 && n[1].IsWord("column") && isName(n[2])) {
            tr.statements.push_back("ALTER TABLE " + detail::QuoteIdent(table) + " DROP COLUMN "
                                    + detail::QuoteIdent(nameOf(n[2])));
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
            tr.statements.push_back(std::string("DROP TABLE ") + (ifExists ? "IF EXISTS " : "")
                                    + detail::QuoteIdent(tr.table));
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
std::vector<Token> odbcEscapes(const std::vector<Token>& in)
{
    std::vector<Token> out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i].kind == Token::RBrace) {
            fail("unbalanced brace");
        }
        if (in[i].kind != Token::LBrace) {
            out.push_back(in[i]);
            continue;
        }
        if (i + 1 >= in.size() || in[i + 1].kind != Token::Word) {
            fail("bad escape sequence");
        }
        const Token& kw = in[i + 1];
        if (kw.IsWord("ts") || kw.IsWord("d") || kw.IsWord("t")) {
            if (i + 3 >= in.size() || in[i + 2].kind != Token::String || in[i + 3].kind != Token::RBrace) {
                fail("bad date escape");
            }
            std::string v = in[i + 2].text;
            if (kw.IsWord("t")) {
                v = "1900-01-01 " + v;
            }
            out.push_back(Token{Token::String, canonicalDateLiteral(v), false});
            i += 3;
            continue;
        }
        if (kw.IsWord("fn") || kw.IsWord("oj")) {
            // Copy the inside up to the matching brace.
            int depth = 1;
            std::size_t j = i + 2;
            for (; j < in.size(); ++j) {
                if (in[j].kind == Token::LBrace) {
                    fail("nested escape sequences are not supported");
                }
                if (in[j].kind == Token::RBrace && --depth == 0) {
                    break;
                }
                out.push_back(in[j]);
            }
            if (j >= in.size()) {
                fail("unterminated escape");
            }
            i = j;
            continue;
        }
        fail("unknown escape sequence {" + kw.text);
    }
    return out;
}

bool simpleIdent(const std::string& s)
{
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) {
        return false;
    }
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

// Qualified names written with brackets ([dbo].[T], T.[Col]): the owner is
// dropped and simple parts are joined into one word.
std::vector<Token> qualifiedNames(std::vector<Token> t)
{
    auto isNameTok = [](const Token& k) { return k.kind == Token::Word || k.kind == Token::Quoted; };
    for (std::size_t i = 0; i < t.size(); ++i) {
        // "T." followed by a bracketed name
        if (t[i].kind == Token::Word && !t[i].text.empty() && t[i].text.back() == '.' && i + 1 < t.size()
            && isNameTok(t[i + 1])) {
            std::string prefix = t[i].text.substr(0, t[i].text.size() - 1);
            if (IEquals(prefix, "dbo")) {
                t.erase(t.begin() + static_cast<long>(i));
                --i;
                continue;
            }
            if (simpleIdent(t[i + 1].text)) {
                t[i].text += t[i + 1].text;
                t.erase(t.begin() + static_cast<long>(i) + 1);
                --i;
            }
            continue;
        }
        if (isNameTok(t[i]) && i + 2 < t.size() && t[i + 1].kind == Token::Op && t[i + 1].text == "."
            && (isNameTok(t[i + 2]) || (t[i + 2].kind == Token::Op && t[i + 2].text == "*"))) {
            if (IEquals(t[i].text, "dbo")) {
                t.erase(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(i) + 2);
                --i;
                continue;
            }
            if (simpleIdent(t[i].text) && (t[i + 2].text == "*" || simpleIdent(t[i + 2].text))) {
                Token merged{Token::Word, t[i].text + "." + t[i + 2].text, false};
                t.erase(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(i) + 3);
                t.insert(t.begin() + static_cast<long>(i), merged);
                --i;
            }
        }
    }
    return t;
}

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
            if (i + 1 >= n.size() || !n[i].IsWord("exists") || !n[i + 1].IsGroup() || n[i + 1].kids.empty()
                || !n[i + 1].kids[0].IsWord("select")) {
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

}  // namespace

Translation SqlDialect::Translate(const std::string& sql) const
{
    return Translator(m_schema).Run(sql);
}

}  // namespace tabula
