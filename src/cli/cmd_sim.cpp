// sim: the simulated ventilator from the shell. "sim make-flash" writes a flash
// image full of therapy nights and prints, as JSON, what it wrote.

#include <cstdio>
#include <string>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/record_json.h"
#include "devsim/flash_generator.h"
#include "records/qv_func.h"

namespace somnexa::cli {
namespace {

int fail(const std::string& message) {
    std::fprintf(stderr, "somnexa-tool sim: %s\n", message.c_str());
    return 1;
}

void writeSettings(JsonWriter& json, const TLogData& r) {
    json.key("settings").beginObject();
    writeSettingsFields(json, r);
    json.endObject();
}

void writeEvents(JsonWriter& json, const arTLogEvent& events) {
    json.key("events");
    writeLogEventArray(json, events);
}

void writeRange(JsonWriter& json, const char* key, const devsim::StoredRange& r) {
    json.key(key).beginObject();
    json.field("address", static_cast<std::int64_t>(r.address)).field("size", static_cast<std::int64_t>(r.size));
    json.field("complete", r.complete());
    json.key("time");
    if (const auto text = FormatDeviceTime(DateTimeForm::DateTimeText, r.time); text && r.stored())
        json.value(*text);
    else
        json.null();
    json.endObject();
}

int makeFlash(const Words& words) {
    Args args(words, {});
    const std::string out = args.required("out");
    const auto nights = args.integer("nights");
    const auto seed = args.integer("seed");
    const auto maxSeconds = args.integer("max-session-seconds");
    if (args.ok() && nights && (*nights < 0 || *nights > 366)) args.fail("--nights must be 0..366");
    if (args.ok() && seed && *seed < 0) args.fail("--seed must not be negative");
    if (args.ok() && maxSeconds && *maxSeconds < 0) args.fail("--max-session-seconds must not be negative");
    if (!args.positional().empty()) args.fail("unexpected word '" + args.positional()[0] + "'");
    if (!args.ok()) return fail(args.error());

    devsim::GeneratorOptions options;
    if (nights) options.nights = static_cast<int>(*nights);
    if (seed) options.seed = static_cast<std::uint64_t>(*seed);
    if (maxSeconds) options.maxSessionSeconds = static_cast<int>(*maxSeconds);
    if (const auto product = args.value("product")) options.product = *product;
    const devsim::GeneratedFlash g = devsim::generateFlash(options);
    std::string error;
    if (!g.flash.save(out, &error)) return fail(error);

    JsonWriter json;
    json.beginObject().field("flash", out).field("product", g.product).field("logStepSeconds", g.logStepSeconds);
    json.key("sessions").beginArray();
    for (const devsim::GeneratedSession& s : g.sessions) {
        json.beginObject().field("id", s.id).field("start", s.start.format(DateTimeForm::DateTimeText));
        json.field("duration", s.durationSeconds).field("mode", s.log.WorkMode);
        json.field("modeName", devsim::workModeName(s.log.WorkMode));
        writeSettings(json, s.log);
        writeEvents(json, s.log.Events);
        json.field("breaths", s.breaths);
        writeRange(json, "log", s.logRange);
        writeRange(json, "realtime", s.realtimeRange);
        json.endObject();
    }
    json.endArray().endObject();
    std::printf("%s\n", json.text().c_str());
    return 0;
}

}  // namespace

int cmdSim(const Words& words) {
    if (!words.empty() && words[0] == "make-flash") return makeFlash(Words(words.begin() + 1, words.end()));
    return fail("usage: sim make-flash --out FLASH [--nights N] [--seed S] [--product P] [--max-session-seconds N]");
}

}  // namespace somnexa::cli
