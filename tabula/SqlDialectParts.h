#pragma once

// The dialect translator's internals, shared by its parts (SqlDialect*.cpp):
// the token tree, the column kinds and scopes, and the translator itself.
// Not part of Tabula's interface.

#include "tabula/ConnectionImpl.h"
#include "tabula/SqlDialect.h"
#include "tabula/SqlTokenizer.h"

#include <initializer_list>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tabula::dialect {

using detail::IEquals;
using detail::Token;
using detail::ToLower;

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

[[noreturn]] void fail(const std::string& why);
Node mk(Token::Kind k, std::string text);
Node word(std::string w);
Node str(std::string s);
Node num(std::string n);
Node op(std::string o);
Node comma();
Node group(Nodes kids);
Node ident(const std::string& name);
void buildTree(const std::vector<Token>& toks, std::size_t& i, Nodes& out, bool nested);
void flatten(const Nodes& nodes, std::vector<Token>& out);
std::string render(const Nodes& nodes);
Nodes slice(const Nodes& n, std::size_t b, std::size_t e);
void append(Nodes& to, const Nodes& from);
std::vector<Nodes> splitCommas(const Nodes& n);
Nodes joinCommas(const std::vector<Nodes>& parts);
std::string nameOf(const Node& n);
bool isName(const Node& n);
bool isKeyword(const Node& n);
bool isComparison(const Node& n);

// Column types by what the statement's tables declare.
enum class Kind { Unknown, Text, Number, DateTime };

Kind kindOfDecl(const std::string& decl);

struct Scope {
    const ISchemaInfo* schema = nullptr;
    const Scope* parent = nullptr;
    std::vector<std::pair<std::string, std::string>> tables; // (alias or name, table)

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

std::string canonicalDateLiteral(const std::string& text);
Node numericLiteral(const Node& s);
void fitLiteral(Node& value, Kind kind);

std::string dateUnit(const Node& n);

// Target type of convert/cast, from its nodes ("varchar", "(", "10", ")").
struct TypeSpec {
    std::string base; // lower-case name
    int length = -1;  // (n) when given
    int scale = -1;   // (p,s): s
};

TypeSpec typeSpec(const Nodes& n);
Nodes convertTo(const TypeSpec& t, const Nodes& expr, const Nodes* style);

class Translator {
public:
    explicit Translator(const ISchemaInfo* schema, bool positional = false) : m_schema(schema), m_positional(positional)
    {
    }

    Translation Run(const std::string& sql);

private:
    const ISchemaInfo* m_schema;
    // Bare "?" placeholders stay for values bound later.
    bool m_positional;

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

std::size_t findWord(const Nodes& n, std::size_t b, std::initializer_list<const char*> words);
std::size_t caseEnd(const Nodes& n, std::size_t b);

std::vector<Nodes> conjuncts(const Nodes& n, std::size_t b, std::size_t e);

Nodes stripStorage(const Nodes& n);

std::vector<Token> odbcEscapes(const std::vector<Token>& in);
bool simpleIdent(const std::string& s);
std::vector<Token> qualifiedNames(std::vector<Token> t);

} // namespace tabula::dialect
