#include "tabula/SqlDialectParts.h"

#include "tabula/CLocaleScope.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

// Column kinds and the literals written for them.

namespace tabula::dialect {

// ---------------------------------------------------------------------------
// Column types by what the statement's tables declare.

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

} // namespace tabula::dialect
