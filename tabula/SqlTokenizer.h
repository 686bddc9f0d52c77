#pragma once

#include <string>
#include <vector>

namespace tabula::detail {

// One lexical token of a statement in the server dialect.
struct Token {
    enum Kind {
        Word,   // identifier or keyword, possibly qualified (a.b, a.*)
        Quoted, // [name] or "name"; text holds the name
        String, // '...'; text holds the value with quotes undone
        Number,
        Op, // operators and punctuation other than the ones below
        LParen,
        RParen,
        Comma,
        Semicolon,
        LBrace,
        RBrace,
        Param // ? or :name or @name
    };
    Kind kind;
    std::string text;
    bool national = false; // N'...' literal

    bool Is(Kind k) const { return kind == k; }
    // Case-insensitive keyword test (only for Word tokens).
    bool IsWord(const char* word) const;
    bool IsOp(const char* op) const { return kind == Op && text == op; }
};

// Splits a statement into tokens; comments and blanks are dropped. Returns
// false (with err) for an unterminated string, identifier or comment.
bool Tokenize(const std::string& sql, std::vector<Token>& out, std::string& err);

// Writes tokens back as SQLite text: strings quoted, identifiers quoted when
// they need it.
std::string Serialize(const std::vector<Token>& tokens);
std::string QuoteString(const std::string& value);

} // namespace tabula::detail
