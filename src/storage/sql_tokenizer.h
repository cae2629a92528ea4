#pragma once
// Splits a statement of the Jet (Access) SQL dialect into tokens. The
// translator works on these tokens only, so texts, bracketed names and date
// literals are never mistaken for keywords, whatever they contain.

#include <string>
#include <string_view>
#include <vector>

namespace somnexa::storage {

enum class TokenKind {
    Word,         // keyword, name or function name
    QuotedName,   // [name] or `name`; text holds the bare name
    Text,         // 'text' or "text"; text holds the literal with its quotes
    Number,       // 12, 1.5, 1e3
    DateLiteral,  // #...#; text holds what stands between the signs
    Symbol,       // operators and punctuation: ( ) , . ; = <> <= >= < > + - * / & etc.
};

struct Token {
    TokenKind kind;
    std::string_view text;  // points into the statement (or into owned storage for rewritten tokens)
};

struct TokenizeResult {
    std::vector<Token> tokens;
    std::string error;  // empty when the statement was split completely
};

// Quoted texts keep their doubled quotes inside `text` ('it''s'); callers that
// need the value use unquoteText().
TokenizeResult tokenize(std::string_view sql);

// The value of a Text token: doubled quotes of its kind become single ones.
std::string unquoteText(std::string_view raw, char quote);

// Whether a character starts or continues a name (letters, digits, '_', and
// every byte of a multi-byte UTF-8 character).
bool isNameStart(char c);
bool isNameChar(char c);

}  // namespace somnexa::storage
