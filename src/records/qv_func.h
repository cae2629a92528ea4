#pragma once
// Small routines shared by every subsystem that handles device data.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "records/date_time.h"
#include "records/device_records.h"

namespace somnexa {

// The moment of a device time; a Year below 100 means 2000 + Year. nullopt when
// the fields are not a valid date and time (an all-zero record, for one).
std::optional<DateTime> DeviceTimeToDateTime(const TDeviceTime& t);

// DeviceTimeToDateTime in one of the fixed forms; nullopt on an invalid time.
std::optional<std::string> FormatDeviceTime(DateTimeForm form, const TDeviceTime& t);

// Sum of bytes[i] * 256^i over at most four bytes, as a 32-bit signed value:
// erased flash (FF FF FF FF) gives -1.
std::int32_t LittleEndianValue(std::span<const std::uint8_t> bytes);

// A fresh random GUID in its 36-character form, upper-case, without braces.
std::string NewGuidName();
// True for a name of exactly that shape (the temporary image files).
bool IsGuidName(std::string_view name);

// Sorts a[l..r] ascending in place (middle-element quicksort); l > r leaves it as is.
void SortIntegers(std::span<std::int32_t> a, std::int32_t l, std::int32_t r);

// "HH:MM:SS" with hours not limited to 24.
std::string FormatDuration(std::int32_t seconds);

}  // namespace somnexa
