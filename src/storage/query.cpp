#include "storage/query.h"

#include <cmath>
#include <cstdlib>

#include "storage/jet_dates.h"

namespace somnexa::storage {
namespace {

const Value kNull{};

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

double textNumber(const std::string& s) {
    const char* p = s.c_str();
    char* end = nullptr;
    const double d = std::strtod(p, &end);
    if (end == p || !std::isfinite(d)) return 0.0;
    while (*end == ' ') ++end;
    return *end == '\0' ? d : 0.0;
}

}  // namespace

const Value& Field::raw() const { return value_ ? *value_ : kNull; }

bool Field::IsNull() const { return std::holds_alternative<std::monostate>(raw()); }

std::string Field::AsString() const {
    const Value& v = raw();
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (IsNull()) return {};
    const double d = AsFloat();
    if (isDateTime_) {
        const DateTime t(d);
        return t.format(toMilliseconds(t) % 86'400'000 == 0 ? DateTimeForm::DateText : DateTimeForm::DateTimeText);
    }
    if (const auto* i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    return shortestNumberText(d);
}

std::int64_t Field::AsInteger() const {
    const Value& v = raw();
    if (const auto* i = std::get_if<std::int64_t>(&v)) return *i;
    const double d = AsFloat();
    if (!(std::fabs(d) < 9.2e18)) return 0;
    return std::llround(d);
}

double Field::AsFloat() const {
    const Value& v = raw();
    if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v)) return *d;
    if (const auto* s = std::get_if<std::string>(&v)) {
        if (auto t = parseJetDate(*s); t && isDateTime_) return t->days();
        return textNumber(*s);
    }
    return 0.0;
}

bool Field::AsBoolean() const {
    const Value& v = raw();
    if (const auto* s = std::get_if<std::string>(&v))
        return equalsNoCase(*s, "true") || equalsNoCase(*s, "yes") || textNumber(*s) != 0.0;
    return AsFloat() != 0.0;
}

DateTime Field::AsDateTime() const {
    const Value& v = raw();
    if (const auto* s = std::get_if<std::string>(&v)) {
        if (auto t = parseJetDate(*s)) return *t;
    }
    return DateTime(AsFloat());
}

void Query::setResult(std::vector<std::string> names, std::vector<bool> dateTimeColumns, std::vector<Value> cells) {
    names_ = std::move(names);
    dateTime_ = std::move(dateTimeColumns);
    cells_ = std::move(cells);
    row_ = 0;
    active_ = true;
}

void Query::Close() {
    names_.clear();
    dateTime_.clear();
    cells_.clear();
    row_ = 0;
    active_ = false;
}

int Query::RecordCount() const {
    return names_.empty() ? 0 : static_cast<int>(cells_.size() / names_.size());
}

bool Query::Eof() const { return row_ >= RecordCount(); }

void Query::Next() {
    if (row_ < RecordCount()) ++row_;
}

void Query::Prior() {
    if (row_ > 0) --row_;
}

void Query::MoveTo(int rowIndex) {
    row_ = rowIndex < 0 ? 0 : (rowIndex > RecordCount() ? RecordCount() : rowIndex);
}

int Query::FieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (equalsNoCase(names_[i], name)) return static_cast<int>(i);
    return -1;
}

Field Query::Fields(int index) const {
    if (index < 0 || index >= FieldCount() || Eof()) return {};
    const std::size_t cell = static_cast<std::size_t>(row_) * names_.size() + static_cast<std::size_t>(index);
    return Field(&cells_[cell], dateTime_[static_cast<std::size_t>(index)]);
}

Field Query::FieldByName(std::string_view name) const { return Fields(FieldIndex(name)); }

}  // namespace somnexa::storage
