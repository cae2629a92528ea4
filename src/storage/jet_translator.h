#pragma once
// Turns one statement of the Jet (Access) dialect into SQLite SQL that gives
// the result Jet would, together with the Jet functions of jet_functions.h.
//
// Handled on the tokens: #date# literals (to day counts), [names] and "texts",
// TOP n, NOW without parentheses, TRUE/FALSE (-1/0), "+" and "&" joining
// texts, MOD, DISTINCTROW, DELETE *, VALUES and INDEX used as column names,
// SELECT ... INTO, the column types of CREATE TABLE (Counter, string(n),
// integer, ...), "IN 'file'" naming a table of another database file, texts
// glued to keywords, and a trailing ";". Left() and Right() become jet_left and
// jet_right (LEFT and RIGHT are join words to SQLite), and
// datevalue(dateadd(...)) runs as the one function jet_datevalue_dateadd.
// The output keeps one blank between tokens, so "--" and "/*" never become
// comments and texts glued to keywords come apart.

#include <string>
#include <string_view>
#include <vector>

namespace somnexa::storage {

// A database file named inside the statement; the statement refers to it by alias.
struct ExternalDatabase {
    std::string alias;
    std::string path;
};

struct Translation {
    std::string sql;
    std::vector<ExternalDatabase> externals;
    bool changesSchema = false;  // CREATE, DROP or ALTER
    std::string error;           // a message in the dialect's manner; sql is empty then
    bool ok() const { return error.empty(); }
};

Translation translateJet(std::string_view jetSql);

}  // namespace somnexa::storage
