#include "cli/record_json.h"

namespace somnexa::cli {

void writeSettingsFields(JsonWriter& json, const TLogData& r) {
    json.field("WorkMode", r.WorkMode).field("AutoOnOff", r.AutoOnOff).field("DelayPress", r.DelayPress);
    json.field("HotLevel", r.HotLevel).field("ExpPress", r.ExpPress).field("InspPress", r.InspPress);
    json.field("MaxPress", r.MaxPress).field("MinPress", r.MinPress).field("StartPress", r.StartPress);
    json.field("EPR", r.EPR).field("ESens", r.ESens).field("ISens", r.ISens);
    json.field("WorkPress", r.WorkPress).field("BPM", r.BPM).field("InspTime", r.InspTime);
    json.field("StartPress1", r.StartPress1).field("ISlop", r.ISlop);
}

void writeLogEventArray(JsonWriter& json, const arTLogEvent& events) {
    json.beginArray();
    for (const TLogEvent& e : events) {
        json.beginObject().field("code", int{e.Code}).field("offset", e.Offset).field("timelen", int{e.TimeLen});
        json.field("value", int{e.Value}).endObject();
    }
    json.endArray();
}

}  // namespace somnexa::cli
