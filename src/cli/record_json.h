#pragma once
// JSON forms of decoded records shared by the commands that print them.

#include "cli/json_writer.h"
#include "records/device_records.h"

namespace somnexa::cli {

// The session settings as fields of the open object, under their column names.
void writeSettingsFields(JsonWriter& json, const TLogData& r);
// An array of log events: code, offset, timelen, value.
void writeLogEventArray(JsonWriter& json, const arTLogEvent& events);

}  // namespace somnexa::cli
