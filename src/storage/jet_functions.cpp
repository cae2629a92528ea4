#include "storage/jet_functions.h"

#include <sqlite3.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "storage/jet_dates.h"

namespace somnexa::storage {
namespace {

constexpr const char* kTypeMismatch = "Data type mismatch in criteria expression.";
constexpr const char* kInvalidCall = "Invalid procedure call or argument.";

std::string_view textOf(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_value_bytes(v))) : std::string_view();
}

bool isNumber(sqlite3_value* v) {
    const int t = sqlite3_value_type(v);
    return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

std::optional<double> parseNumberText(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (s.empty()) return std::nullopt;
    std::string copy(s);
    char* end = nullptr;
    const double d = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(d)) return std::nullopt;
    return d;
}

// A moment argument given as text: read as a date, or as a number. nullopt with
// `bad` set when it is neither.
[[gnu::noinline]] std::optional<double> textMomentArg(sqlite3_value* v, bool& bad) {
    const std::string_view s = textOf(v);
    if (auto d = parseJetDate(s)) return d->days();
    if (auto n = parseNumberText(s)) return *n;
    bad = true;
    return std::nullopt;
}

// A moment argument: a number as it is, a text read as a date; nullopt alone for NULL.
inline std::optional<double> momentArg(sqlite3_value* v, bool& bad) {
    bad = false;
    switch (sqlite3_value_type(v)) {
        case SQLITE_NULL: return std::nullopt;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT: return sqlite3_value_double(v);
        default: return textMomentArg(v, bad);
    }
}

void freeInterval(void* p) { delete static_cast<Interval*>(p); }

// The interval is the same text on every row: it is parsed once per statement.
bool intervalArg(sqlite3_context* ctx, sqlite3_value* v, Interval& out) {
    if (const auto* cached = static_cast<const Interval*>(sqlite3_get_auxdata(ctx, 0))) {
        out = *cached;
        return true;
    }
    const auto parsed = parseInterval(textOf(v));
    if (!parsed) {
        sqlite3_result_error(ctx, kInvalidCall, -1);
        return false;
    }
    out = *parsed;
    sqlite3_set_auxdata(ctx, 0, new Interval(out), freeInterval);
    return true;
}

void resultText(sqlite3_context* ctx, const std::string& s) {
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

std::string valueText(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
        case SQLITE_NULL: return {};
        case SQLITE_INTEGER: return std::to_string(sqlite3_value_int64(v));
        case SQLITE_FLOAT: return shortestNumberText(sqlite3_value_double(v));
        default: return std::string(textOf(v));
    }
}

// Byte offset of the character with 0-based index `chars` (or the end).
std::size_t utf8Offset(std::string_view s, std::int64_t chars) {
    std::size_t i = 0;
    while (i < s.size() && chars > 0) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
        --chars;
    }
    return i;
}

std::int64_t utf8Length(std::string_view s) {
    std::int64_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// ---- dates ------------------------------------------------------------------------------

// The moment dateadd(interval, number, moment) gives; nullopt once a null or an
// error has been set as the call's result.
std::optional<double> dateAddResult(sqlite3_context* ctx, sqlite3_value** argv) {
    Interval interval;
    if (!intervalArg(ctx, argv[0], interval)) return std::nullopt;
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return std::nullopt;
    }
    bool bad = false;
    const auto moment = momentArg(argv[2], bad);
    if (bad) {
        sqlite3_result_error(ctx, kTypeMismatch, -1);
        return std::nullopt;
    }
    if (!moment) {
        sqlite3_result_null(ctx);
        return std::nullopt;
    }
    const auto result = dateAdd(interval, sqlite3_value_double(argv[1]), *moment);
    if (!result) sqlite3_result_error(ctx, kInvalidCall, -1);
    return result;
}

void fnDateAdd(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto result = dateAddResult(ctx, argv)) sqlite3_result_double(ctx, *result);
}

// datevalue(dateadd(interval, number, moment)) in one call.
void fnDateValueOfDateAdd(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto result = dateAddResult(ctx, argv)) sqlite3_result_double(ctx, dateValue(*result));
}

void fnDateDiff(sqlite3_context* ctx, int, sqlite3_value** argv) {
    Interval interval;
    if (!intervalArg(ctx, argv[0], interval)) return;
    bool bad1 = false, bad2 = false;
    const auto a = momentArg(argv[1], bad1);
    const auto b = momentArg(argv[2], bad2);
    if (bad1 || bad2) return sqlite3_result_error(ctx, kTypeMismatch, -1);
    if (!a || !b) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, dateDiff(interval, *a, *b));
}

void fnDatePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
    Interval interval;
    if (!intervalArg(ctx, argv[0], interval)) return;
    bool bad = false;
    const auto m = momentArg(argv[1], bad);
    if (bad) return sqlite3_result_error(ctx, kTypeMismatch, -1);
    if (!m) return sqlite3_result_null(ctx);
    sqlite3_result_int(ctx, datePart(interval, *m));
}

void fnDateValue(sqlite3_context* ctx, int, sqlite3_value** argv) {
    bool bad = false;
    const auto m = momentArg(argv[0], bad);
    if (bad) return sqlite3_result_error(ctx, kTypeMismatch, -1);
    if (!m) return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, dateValue(*m));
}

void fnCDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    bool bad = false;
    const auto m = momentArg(argv[0], bad);
    if (bad) return sqlite3_result_error(ctx, kTypeMismatch, -1);
    if (!m) return sqlite3_result_null(ctx);
    sqlite3_result_double(ctx, *m);
}

// A text written into a date-time column becomes the moment it names.
void fnTextDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) return sqlite3_result_value(ctx, argv[0]);
    const std::string_view s = textOf(argv[0]);
    if (s.find_first_not_of(' ') == std::string_view::npos) return sqlite3_result_null(ctx);
    if (auto d = parseJetDate(s)) return sqlite3_result_double(ctx, d->days());
    if (auto n = parseNumberText(s)) return sqlite3_result_double(ctx, *n);
    sqlite3_result_error(ctx, kTypeMismatch, -1);
}

void fnNow(sqlite3_context* ctx, int, sqlite3_value**) {
    const auto* clock = static_cast<const Clock*>(sqlite3_user_data(ctx));
    sqlite3_result_double(ctx, clock && *clock ? (*clock)() : localNow());
}

void fnFormat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const int type = sqlite3_value_type(argv[0]);
    if (type == SQLITE_NULL) return sqlite3_result_null(ctx);
    if (argc < 2 || sqlite3_value_type(argv[1]) == SQLITE_NULL) return resultText(ctx, valueText(argv[0]));
    const std::string_view pattern = textOf(argv[1]);
    if (isDatePattern(pattern)) {
        bool bad = false;
        const auto m = momentArg(argv[0], bad);
        if (!m) return resultText(ctx, valueText(argv[0]));
        return resultText(ctx, formatMoment(*m, pattern));
    }
    std::optional<double> number;
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) number = sqlite3_value_double(argv[0]);
    else number = parseNumberText(textOf(argv[0]));
    if (!number || pattern.find_first_of("0#") == std::string_view::npos) return resultText(ctx, valueText(argv[0]));
    resultText(ctx, formatNumber(*number, pattern));
}

// ---- texts ------------------------------------------------------------------------------

void fnRight(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const std::string s = valueText(argv[0]);
    const std::int64_t n = sqlite3_value_int64(argv[1]);
    if (n < 0) return sqlite3_result_error(ctx, kInvalidCall, -1);
    const std::int64_t len = utf8Length(s);
    const std::size_t from = n >= len ? 0 : utf8Offset(s, len - n);
    resultText(ctx, s.substr(from));
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const std::string s = valueText(argv[0]);
    const std::int64_t n = sqlite3_value_int64(argv[1]);
    if (n < 0) return sqlite3_result_error(ctx, kInvalidCall, -1);
    resultText(ctx, s.substr(0, utf8Offset(s, n)));
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    const std::string s = valueText(argv[0]);
    const std::int64_t start = sqlite3_value_int64(argv[1]);
    if (start < 1) return sqlite3_result_error(ctx, kInvalidCall, -1);
    const std::size_t from = utf8Offset(s, start - 1);
    std::size_t to = s.size();
    if (argc > 2) {
        const std::int64_t len = sqlite3_value_int64(argv[2]);
        if (len < 0) return sqlite3_result_error(ctx, kInvalidCall, -1);
        to = from + utf8Offset(std::string_view(s).substr(from), len);
    }
    resultText(ctx, s.substr(from, to - from));
}

void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, utf8Length(valueText(argv[0])));
}

void fnCase(sqlite3_context* ctx, sqlite3_value* v, bool upper) {
    if (sqlite3_value_type(v) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string s = valueText(v);
    for (char& c : s) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    resultText(ctx, s);
}
void fnUCase(sqlite3_context* ctx, int, sqlite3_value** argv) { fnCase(ctx, argv[0], true); }
void fnLCase(sqlite3_context* ctx, int, sqlite3_value** argv) { fnCase(ctx, argv[0], false); }

void fnCStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    resultText(ctx, valueText(argv[0]));
}

void fnNz(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL) return sqlite3_result_value(ctx, argv[0]);
    if (argc > 1) return sqlite3_result_value(ctx, argv[1]);
    sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

// ---- numbers ----------------------------------------------------------------------------

std::optional<double> numberArg(sqlite3_context* ctx, sqlite3_value* v, bool& isNull) {
    isNull = sqlite3_value_type(v) == SQLITE_NULL;
    if (isNull) return std::nullopt;
    if (isNumber(v)) return sqlite3_value_double(v);
    if (auto n = parseNumberText(textOf(v))) return n;
    sqlite3_result_error(ctx, kTypeMismatch, -1);
    return std::nullopt;
}

template <double (*Round)(double)>
void fnRounding(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER) return sqlite3_result_value(ctx, argv[0]);
    bool isNull = false;
    const auto n = numberArg(ctx, argv[0], isNull);
    if (isNull) return sqlite3_result_null(ctx);
    if (!n) return;
    const double r = Round(*n);
    if (std::fabs(r) < 9.0e18) sqlite3_result_int64(ctx, static_cast<std::int64_t>(r));
    else sqlite3_result_double(ctx, r);
}
double roundHalfEven(double x) { return std::nearbyint(x); }
double roundDown(double x) { return std::floor(x); }
double roundToZero(double x) { return std::trunc(x); }

void fnCDbl(sqlite3_context* ctx, int, sqlite3_value** argv) {
    bool isNull = false;
    const auto n = numberArg(ctx, argv[0], isNull);
    if (isNull) return sqlite3_result_null(ctx);
    if (n) sqlite3_result_double(ctx, *n);
}

void fnVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNumber(argv[0])) return sqlite3_result_value(ctx, argv[0]);
    const std::string s = valueText(argv[0]);
    const double d = std::strtod(s.c_str(), nullptr);
    sqlite3_result_double(ctx, std::isfinite(d) ? d : 0.0);
}

// "+": texts are joined, numbers added; a number and a numeric text are added.
void fnAdd(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const int ta = sqlite3_value_type(argv[0]);
    const int tb = sqlite3_value_type(argv[1]);
    if (ta == SQLITE_NULL || tb == SQLITE_NULL) return sqlite3_result_null(ctx);
    const bool textA = ta == SQLITE_TEXT || ta == SQLITE_BLOB;
    const bool textB = tb == SQLITE_TEXT || tb == SQLITE_BLOB;
    if (textA && textB) {
        std::string s(textOf(argv[0]));
        s.append(textOf(argv[1]));
        return resultText(ctx, s);
    }
    if (ta == SQLITE_INTEGER && tb == SQLITE_INTEGER) {
        std::int64_t r = 0;
        if (!__builtin_add_overflow(sqlite3_value_int64(argv[0]), sqlite3_value_int64(argv[1]), &r))
            return sqlite3_result_int64(ctx, r);
    }
    bool isNull = false;
    const auto a = numberArg(ctx, argv[0], isNull);
    if (!a) return;
    const auto b = numberArg(ctx, argv[1], isNull);
    if (!b) return;
    sqlite3_result_double(ctx, *a + *b);
}

// "&": always joins; NULL counts as an empty text.
void fnConcat(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL && sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    resultText(ctx, valueText(argv[0]) + valueText(argv[1]));
}

struct FunctionDef {
    const char* name;
    int args;
    void (*fn)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic;
};

constexpr FunctionDef kFunctions[] = {
    {"dateadd", 3, fnDateAdd, true},
    {"datediff", 3, fnDateDiff, true},
    {"datediff", 4, fnDateDiff, true},
    {"datediff", 5, fnDateDiff, true},
    {"datepart", 2, fnDatePart, true},
    {"datepart", 3, fnDatePart, true},
    {"datepart", 4, fnDatePart, true},
    {"datevalue", 1, fnDateValue, true},
    {"jet_datevalue_dateadd", 3, fnDateValueOfDateAdd, true},
    {"cdate", 1, fnCDate, true},
    {"cvdate", 1, fnCDate, true},
    {"jet_textdate", 1, fnTextDate, true},
    {"format", 1, fnFormat, true},
    {"format", 2, fnFormat, true},
    {"jet_right", 2, fnRight, true},
    {"jet_left", 2, fnLeft, true},
    {"mid", 2, fnMid, true},
    {"mid", 3, fnMid, true},
    {"len", 1, fnLen, true},
    {"ucase", 1, fnUCase, true},
    {"lcase", 1, fnLCase, true},
    {"cstr", 1, fnCStr, true},
    {"nz", 1, fnNz, true},
    {"nz", 2, fnNz, true},
    {"int", 1, fnRounding<roundDown>, true},
    {"fix", 1, fnRounding<roundToZero>, true},
    {"cint", 1, fnRounding<roundHalfEven>, true},
    {"clng", 1, fnRounding<roundHalfEven>, true},
    {"cdbl", 1, fnCDbl, true},
    {"val", 1, fnVal, true},
    {"jet_add", 2, fnAdd, true},
    {"jet_concat", 2, fnConcat, true},
};

}  // namespace

double localNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&t, &local);
    const auto moment = DateTime::fromCalendar(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                               local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(ms));
    return moment ? moment->days() : 0.0;
}

int registerJetFunctions(sqlite3* db, const Clock* clock) {
    for (const FunctionDef& f : kFunctions) {
        const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
        const int rc = sqlite3_create_function_v2(db, f.name, f.args, flags, nullptr, f.fn, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) return rc;
    }
    return sqlite3_create_function_v2(db, "now", 0, SQLITE_UTF8, const_cast<Clock*>(clock), fnNow, nullptr, nullptr,
                                      nullptr);
}

}  // namespace somnexa::storage
