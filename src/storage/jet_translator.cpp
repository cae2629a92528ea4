#include "storage/jet_translator.h"

#include <algorithm>
#include <array>
#include <deque>

#include "storage/jet_dates.h"
#include "storage/sql_tokenizer.h"

namespace somnexa::storage {
namespace {

constexpr std::size_t npos = static_cast<std::size_t>(-1);
constexpr const char* kNoStatement =
    "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.";

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool is(std::string_view word, std::string_view lowerWord) {
    if (word.size() != lowerWord.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lower(word[i]) != lowerWord[i]) return false;
    return true;
}

// Words that end or join clauses: never an operand, never a function name.
constexpr std::array<std::string_view, 48> kKeywords = {
    "all",    "and",    "as",      "asc",    "between", "by",       "case",   "collate", "create", "cross",
    "delete", "desc",   "distinct", "drop",  "else",    "end",      "escape", "exists",  "from",   "full",
    "group",  "having", "in",      "inner",  "insert",  "intersect", "into",  "is",      "join",   "like",
    "limit",  "natural", "not",    "offset", "on",      "or",       "order",  "outer",   "select", "set",
    "table",  "then",   "union",   "update", "using",   "values",   "when",   "where"};

bool isKeyword(std::string_view word) {
    if (word.size() > 9) return false;
    for (std::string_view k : kKeywords)
        if (is(word, k)) return true;
    return false;
}

struct Out {
    TokenKind kind;
    std::string_view text;
};

bool isSym(const Out& t, std::string_view s) { return t.kind == TokenKind::Symbol && t.text == s; }

bool isOperandEnd(const Out& t) {
    switch (t.kind) {
        case TokenKind::Number:
        case TokenKind::Text:
        case TokenKind::QuotedName:
        case TokenKind::DateLiteral: return true;
        case TokenKind::Symbol: return t.text == ")";
        case TokenKind::Word: return !isKeyword(t.text);
    }
    return false;
}

bool isMultiplicative(const Out& t) {
    return t.kind == TokenKind::Symbol && (t.text == "*" || t.text == "/" || t.text == "%" || t.text == "||");
}

std::string quoteName(std::string_view name) {
    std::string s;
    s.reserve(name.size() + 2);
    s.push_back('"');
    for (char c : name) {
        if (c == '"') s.push_back('"');
        s.push_back(c);
    }
    s.push_back('"');
    return s;
}

std::string quoteText(std::string_view value) {
    std::string s;
    s.reserve(value.size() + 2);
    s.push_back('\'');
    for (char c : value) {
        if (c == '\'') s.push_back('\'');
        s.push_back(c);
    }
    s.push_back('\'');
    return s;
}

// The SQLite type (with the column conventions of the databases) of a Jet column type.
std::string_view mapColumnType(std::string_view type, bool& counter) {
    counter = is(type, "counter") || is(type, "autoincrement");
    if (counter) return "INTEGER PRIMARY KEY AUTOINCREMENT";
    if (is(type, "string") || is(type, "text") || is(type, "varchar") || is(type, "char") || is(type, "memo") ||
        is(type, "longtext") || is(type, "nvarchar") || is(type, "nchar") || is(type, "ntext"))
        return "TEXT COLLATE NOCASE";
    if (is(type, "integer") || is(type, "int") || is(type, "long") || is(type, "short") || is(type, "smallint") ||
        is(type, "byte") || is(type, "tinyint") || is(type, "bigint"))
        return "INTEGER";
    if (is(type, "double") || is(type, "float") || is(type, "single") || is(type, "real") || is(type, "currency") ||
        is(type, "money") || is(type, "decimal") || is(type, "numeric"))
        return "REAL";
    if (is(type, "datetime") || is(type, "date") || is(type, "time") || is(type, "timestamp")) return "DATETIME";
    if (is(type, "bit") || is(type, "yesno") || is(type, "logical") || is(type, "boolean")) return "BOOLEAN";
    return {};
}

class Translator {
public:
    explicit Translator(std::string_view sql) : sql_(sql) {}

    Translation run() {
        Translation result;
        TokenizeResult tokens = tokenize(sql_);
        if (!tokens.error.empty()) return fail(tokens.error);
        in_ = std::move(tokens.tokens);
        if (in_.empty()) return fail(kNoStatement);
        if (in_[0].kind == TokenKind::Word) {
            const std::string_view first = in_[0].text;
            isSelect_ = is(first, "select");
            isInsert_ = is(first, "insert");
            isCreateTable_ = is(first, "create") && in_.size() > 1 && is(in_[1].text, "table");
            result.changesSchema = is(first, "create") || is(first, "drop") || is(first, "alter");
            isSchema_ = result.changesSchema;
        }
        out_.reserve(in_.size() + 8);
        limits_.assign(1, npos);
        if (!firstPass()) return fail(error_);
        rewriteTextOperators();
        fuseDateValueOfDateAdd();
        if (out_.empty()) return fail(kNoStatement);
        if (!selectInto_.empty()) result.changesSchema = true;

        std::size_t length = 24 + selectInto_.size();
        for (const Out& t : out_) length += t.text.size() + 1;
        result.sql.reserve(length);
        if (!selectInto_.empty()) result.sql.append("create table ").append(selectInto_).append(" as ");
        for (std::size_t i = 0; i < out_.size(); ++i) {
            if (i) result.sql.push_back(' ');
            result.sql.append(out_[i].text);
        }
        result.externals = std::move(externals_);
        return result;
    }

private:
    Translation fail(std::string message) {
        Translation t;
        t.error = std::move(message);
        return t;
    }

    std::string_view own(std::string s) {
        arena_.push_back(std::move(s));
        return arena_.back();
    }

    void emit(TokenKind kind, std::string_view text) { out_.push_back({kind, text}); }

    bool nextIs(std::size_t i, std::string_view symbol) const {
        return i + 1 < in_.size() && in_[i + 1].kind == TokenKind::Symbol && in_[i + 1].text == symbol;
    }
    bool prevOutIsDot() const { return !out_.empty() && isSym(out_.back(), "."); }
    bool prevOutIsWord(std::string_view lowerWord) const {
        return !out_.empty() && out_.back().kind == TokenKind::Word && is(out_.back().text, lowerWord);
    }

    bool firstPass() {
        for (std::size_t i = 0; i < in_.size(); ++i) {
            const Token& t = in_[i];
            switch (t.kind) {
                case TokenKind::Text: {
                    // Texts compare without regard to letter case, whatever they are compared
                    // with; a schema statement keeps its literals plain (DEFAULT takes no COLLATE).
                    std::string literal = t.text.front() == '"'
                                              ? quoteText(unquoteText(t.text.substr(1, t.text.size() - 2), '"'))
                                              : std::string(t.text);
                    // A literal standing alone in a list (function arguments, VALUES, IN) is
                    // compared by the collation of its partner, if at all: it stays plain.
                    const bool inList = !out_.empty() && (isSym(out_.back(), "(") || isSym(out_.back(), ",")) &&
                                        (nextIs(i, ",") || nextIs(i, ")"));
                    if (!isSchema_ && !inList) literal += " COLLATE NOCASE";
                    emit(TokenKind::Text, own(std::move(literal)));
                    break;
                }
                case TokenKind::QuotedName:
                    if (!columnName(i)) emit(TokenKind::QuotedName, own(quoteName(t.text)));
                    break;
                case TokenKind::DateLiteral: {
                    const auto moment = parseJetDate(t.text);
                    if (!moment) {
                        error_ = "Syntax error in date in query expression '#" + std::string(t.text) + "#'.";
                        return false;
                    }
                    emit(TokenKind::Number, own(shortestNumberText(moment->days())));
                    break;
                }
                case TokenKind::Number: emit(TokenKind::Number, t.text); break;
                case TokenKind::Symbol:
                    if (!symbol(i)) return false;
                    break;
                case TokenKind::Word:
                    if (!word(i)) return false;
                    break;
            }
        }
        if (limits_.front() != npos) appendLimit(limits_.front());
        return true;
    }

    bool symbol(std::size_t& i) {
        const std::string_view s = in_[i].text;
        if (s == ";") {
            if (i + 1 < in_.size()) {
                error_ = "Characters found after end of SQL statement.";
                return false;
            }
            return true;
        }
        if (s == "(") {
            limits_.push_back(npos);
            emit(TokenKind::Symbol, s);
            if (isCreateTable_ && limits_.size() == 2) expectColumn_ = true;
            return true;
        }
        if (s == ")") {
            if (limits_.size() > 1) {
                if (limits_.back() != npos) appendLimit(limits_.back());
                limits_.pop_back();
            }
            emit(TokenKind::Symbol, s);
            return true;
        }
        if (s == "*" && prevOutIsWord("delete")) return true;  // DELETE * FROM t
        if (s == "," && isCreateTable_ && limits_.size() == 2) {
            expectColumn_ = true;
            counterColumn_ = false;
        }
        emit(TokenKind::Symbol, s);
        return true;
    }

    // Column definitions of CREATE TABLE: the name, then the Jet type.
    bool columnName(std::size_t i) {
        if (!isCreateTable_ || limits_.size() != 2 || !expectColumn_) return false;
        expectColumn_ = false;
        const Token& t = in_[i];
        if (t.kind == TokenKind::Word && (is(t.text, "constraint") || is(t.text, "primary") || is(t.text, "unique") ||
                                          is(t.text, "foreign") || is(t.text, "check")))
            return false;
        emit(TokenKind::QuotedName, own(quoteName(t.text)));
        expectType_ = true;
        return true;
    }

    bool word(std::size_t& i) {
        const std::string_view w = in_[i].text;
        if (columnName(i)) return true;
        if (expectType_) {
            expectType_ = false;
            const std::string_view mapped = mapColumnType(w, counterColumn_);
            if (!mapped.empty()) {
                emit(TokenKind::Word, mapped);
                if (nextIs(i, "(")) {  // string(20), counter(1,1): the size is not kept
                    std::size_t depth = 0;
                    for (++i; i < in_.size(); ++i) {
                        if (in_[i].kind != TokenKind::Symbol) continue;
                        if (in_[i].text == "(") ++depth;
                        else if (in_[i].text == ")" && --depth == 0) break;
                    }
                }
                return true;
            }
        }
        if (counterColumn_ && is(w, "primary") && i + 1 < in_.size() && is(in_[i + 1].text, "key")) {
            ++i;  // a counter column is already the key
            return true;
        }
        if (is(w, "now") && !nextIs(i, "(") && !prevOutIsDot()) {
            emit(TokenKind::Word, w);
            emit(TokenKind::Symbol, "(");
            emit(TokenKind::Symbol, ")");
            return true;
        }
        if ((is(w, "true") || is(w, "false")) && !nextIs(i, "(") && !prevOutIsDot()) {
            emit(TokenKind::Number, is(w, "true") ? "-1" : "0");
            return true;
        }
        if (is(w, "values")) {
            if (isInsert_ && limits_.size() == 1 && nextIs(i, "(")) emit(TokenKind::Word, w);
            else emit(TokenKind::QuotedName, own(quoteName(w)));
            return true;
        }
        if (is(w, "index")) {
            if (prevOutIsWord("create") || prevOutIsWord("unique") || prevOutIsWord("drop")) emit(TokenKind::Word, w);
            else emit(TokenKind::QuotedName, own(quoteName(w)));
            return true;
        }
        if (is(w, "top") && (prevOutIsWord("select") || prevOutIsWord("distinct") || prevOutIsWord("all")) &&
            i + 1 < in_.size() && in_[i + 1].kind == TokenKind::Number) {
            if (i + 2 < in_.size() && is(in_[i + 2].text, "percent")) {
                error_ = "TOP n PERCENT is not supported.";
                return false;
            }
            limits_.back() = static_cast<std::size_t>(i + 1);
            ++i;
            return true;
        }
        // LEFT and RIGHT are join words to SQLite; as functions they get names of their own.
        if ((is(w, "left") || is(w, "right")) && nextIs(i, "(") && !prevOutIsDot()) {
            emit(TokenKind::Word, is(w, "left") ? "jet_left" : "jet_right");
            return true;
        }
        if (is(w, "distinctrow")) {
            emit(TokenKind::Word, "distinct");
            return true;
        }
        if (is(w, "mod")) {
            emit(TokenKind::Symbol, "%");
            return true;
        }
        if (is(w, "in") && i + 1 < in_.size() && in_[i + 1].kind == TokenKind::Text) return externalTable(i);
        if (is(w, "into") && isSelect_ && limits_.size() == 1 && i + 1 < in_.size() &&
            (in_[i + 1].kind == TokenKind::Word || in_[i + 1].kind == TokenKind::QuotedName)) {
            selectInto_ = quoteName(in_[i + 1].text);
            ++i;
            return true;
        }
        emit(TokenKind::Word, w);
        return true;
    }

    // "T IN 'file'" or "T (columns) IN 'file'": the table lives in another database file.
    bool externalTable(std::size_t& i) {
        std::size_t target = out_.empty() ? npos : out_.size() - 1;
        if (target != npos && isSym(out_[target], ")")) {
            int depth = 0;
            for (std::size_t k = target + 1; k-- > 0;) {
                if (isSym(out_[k], ")")) ++depth;
                else if (isSym(out_[k], "(") && --depth == 0) {
                    target = k == 0 ? npos : k - 1;
                    break;
                }
            }
        }
        if (target == npos || (out_[target].kind != TokenKind::Word && out_[target].kind != TokenKind::QuotedName) ||
            isKeyword(out_[target].text)) {
            error_ = "Syntax error in the IN clause naming a database file.";
            return false;
        }
        const std::string_view raw = in_[i + 1].text;
        ExternalDatabase ext;
        ext.alias = "jet_ext" + std::to_string(externals_.size() + 1);
        ext.path = unquoteText(raw.substr(1, raw.size() - 2), raw.front());
        out_[target] = {TokenKind::QuotedName, own(ext.alias + "." + std::string(out_[target].text))};
        externals_.push_back(std::move(ext));
        ++i;
        return true;
    }

    void appendLimit(std::size_t numberIndex) {
        emit(TokenKind::Word, "limit");
        emit(TokenKind::Number, in_[numberIndex].text);
    }

    // ---- "+" and "&" between texts --------------------------------------------------

    std::size_t matchForward(std::size_t open) const {
        int depth = 0;
        for (std::size_t k = open; k < out_.size(); ++k) {
            if (isSym(out_[k], "(")) ++depth;
            else if (isSym(out_[k], ")") && --depth == 0) return k;
        }
        return npos;
    }

    std::size_t matchBackward(std::size_t close) const {
        int depth = 0;
        for (std::size_t k = close + 1; k-- > 0;) {
            if (isSym(out_[k], ")")) ++depth;
            else if (isSym(out_[k], "(") && --depth == 0) return k;
        }
        return npos;
    }

    bool isNameToken(const Out& t) const {
        return t.kind == TokenKind::QuotedName || (t.kind == TokenKind::Word && !isKeyword(t.text));
    }

    // First token of the operand that ends at k.
    std::size_t primaryStart(std::size_t k) const {
        const Out& t = out_[k];
        if (isSym(t, ")")) {
            const std::size_t m = matchBackward(k);
            if (m == npos) return npos;
            return (m > 0 && out_[m - 1].kind == TokenKind::Word && !isKeyword(out_[m - 1].text)) ? m - 1 : m;
        }
        if (!isOperandEnd(t)) return npos;
        std::size_t s = k;
        while (s >= 2 && isSym(out_[s - 1], ".") && isNameToken(out_[s - 2])) s -= 2;
        return s;
    }

    // One past the last token of the operand that starts at k.
    std::size_t primaryEnd(std::size_t k) const {
        const Out& t = out_[k];
        if (isSym(t, "(")) {
            const std::size_t m = matchForward(k);
            return m == npos ? npos : m + 1;
        }
        if (t.kind == TokenKind::Word && is(t.text, "case")) {
            int depth = 0;
            for (std::size_t j = k; j < out_.size(); ++j) {
                if (out_[j].kind != TokenKind::Word) continue;
                if (is(out_[j].text, "case")) ++depth;
                else if (is(out_[j].text, "end") && --depth == 0) return j + 1;
            }
            return npos;
        }
        if (t.kind == TokenKind::Symbol) return npos;
        if (t.kind == TokenKind::Word && isKeyword(t.text)) return npos;
        if (t.kind == TokenKind::Word && k + 1 < out_.size() && isSym(out_[k + 1], "(")) {
            const std::size_t m = matchForward(k + 1);
            return m == npos ? npos : m + 1;
        }
        std::size_t j = k + 1;
        while (j + 1 < out_.size() && isSym(out_[j], ".") && isNameToken(out_[j + 1])) j += 2;
        return j;
    }

    bool isSign(std::size_t k) const { return isSym(out_[k], "-") || isSym(out_[k], "+"); }

    std::size_t leftOperandStart(std::size_t op) const {
        std::size_t j = op;
        while (j > 0) {
            const std::size_t s = primaryStart(j - 1);
            if (s == npos) return npos;
            j = s;
            while (j > 0 && isSign(j - 1) && (j == 1 || !isOperandEnd(out_[j - 2]))) --j;
            // Left-associative: a - b + c adds c to (a - b).
            if (j > 1 && (isMultiplicative(out_[j - 1]) || isSym(out_[j - 1], "-")) && isOperandEnd(out_[j - 2])) {
                --j;
                continue;
            }
            break;
        }
        return j;
    }

    std::size_t rightOperandEnd(std::size_t op) const {
        std::size_t j = op + 1;
        for (;;) {
            while (j < out_.size() && isSign(j)) ++j;
            if (j >= out_.size()) return npos;
            const std::size_t e = primaryEnd(j);
            if (e == npos) return npos;
            j = e;
            if (j < out_.size() && isMultiplicative(out_[j])) {
                ++j;
                continue;
            }
            return j;
        }
    }

    // Jet's "+" joins two texts and adds numbers; "&" always joins. Both become
    // calls of functions that decide by the values at run time.
    void rewriteTextOperators() {
        for (std::size_t i = 0; i < out_.size(); ++i) {
            const bool plus = isSym(out_[i], "+");
            if (!plus && !isSym(out_[i], "&")) continue;
            if (i == 0 || !isOperandEnd(out_[i - 1])) {
                if (plus) out_.erase(out_.begin() + static_cast<std::ptrdiff_t>(i--));  // unary plus
                continue;
            }
            const std::size_t left = leftOperandStart(i);
            const std::size_t right = rightOperandEnd(i);
            if (left == npos || right == npos) continue;  // malformed: SQLite reports it
            out_[i] = {TokenKind::Symbol, ","};
            out_.insert(out_.begin() + static_cast<std::ptrdiff_t>(right), {TokenKind::Symbol, ")"});
            out_.insert(out_.begin() + static_cast<std::ptrdiff_t>(left),
                        {{TokenKind::Word, plus ? "jet_add" : "jet_concat"}, {TokenKind::Symbol, "("}});
            i += 2;
        }
    }

    // datevalue(dateadd(i, n, x)), the therapy-day form of the day queries, runs
    // as one function: the same result with half the calls per row.
    void fuseDateValueOfDateAdd() {
        for (std::size_t k = 0; k + 3 < out_.size(); ++k) {
            if (out_[k].kind != TokenKind::Word || !is(out_[k].text, "datevalue") || !isSym(out_[k + 1], "(") ||
                out_[k + 2].kind != TokenKind::Word || !is(out_[k + 2].text, "dateadd") || !isSym(out_[k + 3], "("))
                continue;
            const std::size_t innerClose = matchForward(k + 3);
            const std::size_t outerClose = matchForward(k + 1);
            if (innerClose == npos || outerClose != innerClose + 1) continue;
            out_.erase(out_.begin() + static_cast<std::ptrdiff_t>(outerClose));
            out_[k] = {TokenKind::Word, "jet_datevalue_dateadd"};
            out_.erase(out_.begin() + static_cast<std::ptrdiff_t>(k + 2), out_.begin() + static_cast<std::ptrdiff_t>(k + 4));
        }
    }

    std::string_view sql_;
    std::vector<Token> in_;
    std::vector<Out> out_;
    std::deque<std::string> arena_;
    std::vector<std::size_t> limits_;  // per parenthesis depth: index of the TOP number, or npos
    std::vector<ExternalDatabase> externals_;
    std::string selectInto_;
    std::string error_;
    bool isSelect_ = false;
    bool isInsert_ = false;
    bool isCreateTable_ = false;
    bool isSchema_ = false;
    bool expectColumn_ = false;
    bool expectType_ = false;
    bool counterColumn_ = false;
};

}  // namespace

Translation translateJet(std::string_view jetSql) { return Translator(jetSql).run(); }

}  // namespace somnexa::storage
