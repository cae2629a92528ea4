#pragma once
// A query object: the SQL text of the last run, and the rows of its result set
// held in memory, positioned on the first row. Nothing refers back to the
// connection, so a query can be read after the connection has moved on.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "records/date_time.h"

namespace somnexa::storage {

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

// One field of the current row, read in the form the caller asks for. A field
// that is missing or NULL reads as 0, an empty text or false.
class Field {
public:
    Field() = default;
    Field(const Value* value, bool isDateTime) : value_(value), isDateTime_(isDateTime) {}

    bool exists() const { return value_ != nullptr; }
    bool IsNull() const;
    // Numbers in their shortest form; date-time columns as "YYYY-MM-DD HH:NN:SS"
    // ("YYYY-MM-DD" at midnight).
    std::string AsString() const;
    // Rounded to the nearest whole number; a text that is not a number reads 0.
    std::int64_t AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    DateTime AsDateTime() const;
    const Value& raw() const;

private:
    const Value* value_ = nullptr;
    bool isDateTime_ = false;
};

class Query {
public:
    // The statement to run next (set by ExecSQL).
    std::string SQL;

    // The whole result set of the last run; clears the position to the first row.
    void setResult(std::vector<std::string> names, std::vector<bool> dateTimeColumns, std::vector<Value> cells);
    void Close();

    bool Active() const { return active_; }
    int RecordCount() const;
    int RecNo() const { return row_ + 1; }  // 1-based
    bool Eof() const;
    bool Bof() const { return row_ <= 0; }
    void First() { row_ = 0; }
    void Next();
    void Prior();
    void MoveTo(int rowIndex);  // 0-based

    int FieldCount() const { return static_cast<int>(names_.size()); }
    const std::string& FieldName(int index) const { return names_.at(static_cast<std::size_t>(index)); }
    // Column names match without regard to letter case; the first equal name wins.
    int FieldIndex(std::string_view name) const;
    Field Fields(int index) const;
    Field FieldByName(std::string_view name) const;
    bool HasField(std::string_view name) const { return FieldIndex(name) >= 0; }

private:
    std::vector<std::string> names_;
    std::vector<bool> dateTime_;
    std::vector<Value> cells_;  // row-major
    int row_ = 0;
    bool active_ = false;
};

}  // namespace somnexa::storage
