#include "tabula/SqlDialectParts.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

// ODBC brace escapes and qualified names, on the token stream.

namespace tabula::dialect {

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
        if (t[i].kind == Token::Word && !t[i].text.empty() && t[i].text.back() == '.' && i + 1 < t.size() &&
            isNameTok(t[i + 1])) {
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
        if (isNameTok(t[i]) && i + 2 < t.size() && t[i + 1].kind == Token::Op && t[i + 1].text == "." &&
            (isNameTok(t[i + 2]) || (t[i + 2].kind == Token::Op && t[i + 2].text == "*"))) {
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

} // namespace tabula::dialect
