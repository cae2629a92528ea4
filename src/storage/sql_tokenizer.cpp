#include "storage/sql_tokenizer.h"

namespace somnexa::storage {

bool isNameStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u >= 0x80;
}

bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '$'; }

std::string unquoteText(std::string_view raw, char quote) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        out.push_back(raw[i]);
        if (raw[i] == quote && i + 1 < raw.size() && raw[i + 1] == quote) ++i;
    }
    return out;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

}  // namespace

TokenizeResult tokenize(std::string_view sql) {
    TokenizeResult r;
    r.tokens.reserve(sql.size() / 4 + 4);
    const std::size_t n = sql.size();
    std::size_t i = 0;
    while (i < n) {
        const char c = sql[i];
        if (isSpace(c)) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        if (c == '\'' || c == '"') {
            // A text literal; a doubled quote stands for one quote character.
            ++i;
            for (;;) {
                if (i >= n) {
                    r.error = "Unterminated text literal starting at position " + std::to_string(start + 1) + ".";
                    return r;
                }
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {
                        i += 2;
                        continue;
                    }
                    break;
                }
                ++i;
            }
            // The token keeps its quotes: the kind of quote decides how the text is written back.
            r.tokens.push_back({TokenKind::Text, sql.substr(start, i - start + 1)});
            ++i;
        } else if (c == '[' || c == '`') {
            const char close = c == '[' ? ']' : '`';
            const std::size_t end = sql.find(close, i + 1);
            if (end == std::string_view::npos) {
                r.error = "Unterminated bracketed name starting at position " + std::to_string(start + 1) + ".";
                return r;
            }
            r.tokens.push_back({TokenKind::QuotedName, sql.substr(i + 1, end - i - 1)});
            i = end + 1;
        } else if (c == '#') {
            const std::size_t end = sql.find('#', i + 1);
            if (end == std::string_view::npos) {
                r.error = "Unterminated date literal starting at position " + std::to_string(start + 1) + ".";
                return r;
            }
            r.tokens.push_back({TokenKind::DateLiteral, sql.substr(i + 1, end - i - 1)});
            i = end + 1;
        } else if (isDigit(c) || (c == '.' && i + 1 < n && isDigit(sql[i + 1]))) {
            while (i < n && isDigit(sql[i])) ++i;
            if (i < n && sql[i] == '.') {
                ++i;
                while (i < n && isDigit(sql[i])) ++i;
            }
            if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
                std::size_t j = i + 1;
                if (j < n && (sql[j] == '+' || sql[j] == '-')) ++j;
                if (j < n && isDigit(sql[j])) {
                    i = j;
                    while (i < n && isDigit(sql[i])) ++i;
                }
            }
            r.tokens.push_back({TokenKind::Number, sql.substr(start, i - start)});
        } else if (isNameStart(c)) {
            while (i < n && isNameChar(sql[i])) ++i;
            r.tokens.push_back({TokenKind::Word, sql.substr(start, i - start)});
        } else {
            std::size_t len = 1;
            if (i + 1 < n) {
                const char d = sql[i + 1];
                if ((c == '<' && (d == '>' || d == '=')) || (c == '>' && d == '=') || (c == '!' && d == '=') ||
                    (c == '=' && d == '=') || (c == '|' && d == '|'))
                    len = 2;
            }
            r.tokens.push_back({TokenKind::Symbol, sql.substr(start, len)});
            i += len;
        }
    }
    return r;
}

}  // namespace somnexa::storage
