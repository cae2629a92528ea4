#pragma once
// The Jet functions as SQLite user functions: DateAdd, DateDiff, DatePart,
// DateValue, Format, CDate, Right, Left, Mid, Len, Now, Int, Fix, CInt, CLng,
// CDbl, CStr, Val, Nz, UCase, LCase, and jet_add / jet_concat for the "+" and
// "&" operators. Moments are day counts (REAL); texts are UTF-8.

#include <functional>

struct sqlite3;

namespace somnexa::storage {

// The moment Now() returns; the local wall clock unless a test sets another.
using Clock = std::function<double()>;
double localNow();

// Registers every function on the connection. clock must outlive it.
// Returns an SQLite result code.
int registerJetFunctions(sqlite3* db, const Clock* clock);

}  // namespace somnexa::storage
