#include "tabula/SqlDialectParts.h"

#include "tabula/CLocaleScope.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

// Expressions and functions of one nesting level; conversions.

namespace tabula::dialect {

// ---------------------------------------------------------------------------

std::string dateUnit(const Node& n)
{
    std::string u = ToLower(n.Is(Token::String) ? n.tok.text : n.tok.text);
    static const std::map<std::string, std::string> units = {
        {"yy", "yy"},         {"yyyy", "yy"},   {"year", "yy"},      {"qq", "qq"}, {"q", "qq"},      {"quarter", "qq"},
        {"mm", "mm"},         {"m", "mm"},      {"month", "mm"},     {"dd", "dd"}, {"d", "dd"},      {"day", "dd"},
        {"dy", "dy"},         {"y", "dy"},      {"dayofyear", "dy"}, {"wk", "wk"}, {"ww", "wk"},     {"week", "wk"},
        {"dw", "dw"},         {"w", "dw"},      {"weekday", "dw"},   {"hh", "hh"}, {"hour", "hh"},   {"mi", "mi"},
        {"n", "mi"},          {"minute", "mi"}, {"ss", "ss"},        {"s", "ss"},  {"second", "ss"}, {"ms", "ms"},
        {"millisecond", "ms"}};
    auto it = units.find(u);
    if (it == units.end() || !(n.Is(Token::Word) || n.Is(Token::String))) {
        fail("unknown date part: " + n.tok.text);
    }
    return it->second;
}

// Target type of convert/cast, from its nodes ("varchar", "(", "10", ")").

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
    auto call = [](const std::string& fn, std::vector<Nodes> args) { return Nodes{word(fn), group(joinCommas(args))}; };
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
    if (b == "varchar" || b == "nvarchar" || b == "char" || b == "nchar" || b == "text" || b == "ntext" ||
        b == "character varying" || b == "sysname") {
        Nodes text = call("zev_convert", {expr, style ? *style : Nodes{num("-1")}});
        if (t.length > 0) {
            text = call("substr", {text, {num("1")}, {num(std::to_string(t.length))}});
        }
        return text;
    }
    fail("unsupported conversion to " + b);
}

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
        if (n.Is(Token::Word) && i + 1 < in.size() && in[i + 1].IsGroup() &&
            (!isKeyword(n) || n.IsWord("left") || n.IsWord("right"))) {
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
        if (n.Is(Token::Param) && m_positional && n.tok.text == "?") {
            out.push_back(n);
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
    auto call = [](const std::string& fn, std::vector<Nodes> args) { return Nodes{word(fn), group(joinCommas(args))}; };
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
    if (name == "getansinull" || name == "newid" || name == "patindex" || name == "stuff" || name == "str" ||
        name == "soundex" || name == "difference" || name == "quotename") {
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
        static const std::set<std::string> text = {"zev_convert", "substr",        "ltrim",   "rtrim",    "trim",
                                                   "upper",       "lower",         "replace", "zev_left", "zev_right",
                                                   "char",        "zev_replicate", "printf",  "format"};
        static const std::set<std::string> number = {
            "length", "instr", "zev_charindex", "zev_datepart", "zev_datediff", "count", "sum",
            "avg",    "abs",   "round",         "zev_int",      "zev_ceiling",  "floor"};
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
                terms.back().nodes.push_back(x); // unary sign
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
        Kind k =
            t.single || (t.nodes.size() == 2 && t.nodes[1].IsGroup()) || (!t.nodes.empty() && t.nodes[0].IsWord("case"))
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

} // namespace tabula::dialect
