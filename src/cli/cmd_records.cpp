// decode-index, decode-session and dump: the image decoder and the data files
// from the shell. Images are decoded from a private copy, because decoding
// rotates a ring image in place and a log decode removes its image.

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/record_json.h"
#include "records/channel_info.h"
#include "records/data_file.h"
#include "records/fixed_text.h"
#include "records/qv_func.h"

namespace somnexa::cli {
namespace {

namespace fs = std::filesystem;

int fail(const std::string& command, const std::string& message) {
    std::fprintf(stderr, "somnexa-tool %s: %s\n", command.c_str(), message.c_str());
    return 1;
}

std::string decodeError(int code) {
    switch (code) {
        case kFailed: return "wrong image kind";
        case kMissingFile: return "image file not found";
        case kUnreadable: return "image file cannot be read";
        case kInvalidTime: return "the session has no valid start date and time";
        default: return "decode failed (" + std::to_string(code) + ")";
    }
}

// A copy of the image in the temporary folder, removed when it goes out of scope.
class ImageCopy {
public:
    explicit ImageCopy(const std::string& source) {
        path_ = fs::temp_directory_path() / NewGuidName();
        std::error_code ec;
        ok_ = fs::copy_file(source, path_, ec);
    }
    ~ImageCopy() {
        std::error_code ec;
        fs::remove(path_, ec);
    }
    bool ok() const { return ok_; }
    std::string path() const { return path_.string(); }

private:
    fs::path path_;
    bool ok_ = false;
};

struct ImageArgs {
    bool regionA = true;
    std::string image;
};

bool readImageArgs(Args& args, ImageArgs& out) {
    const std::string region = args.required("region");
    if (args.ok() && region != "A" && region != "B") args.fail("--region must be A or B");
    if (args.positional().size() != 1) args.fail("expects one IMAGE file");
    if (!args.ok()) return false;
    out.regionA = region == "A";
    out.image = args.positional()[0];
    if (!fs::is_regular_file(out.image)) {
        args.fail("image file not found: " + out.image);
        return false;
    }
    return true;
}

void writeTime(JsonWriter& json, const char* key, const TDeviceTime& t) {
    json.key(key);
    if (const auto text = FormatDeviceTime(DateTimeForm::DateTimeText, t))
        json.value(*text);
    else
        json.null();
}

void print(const JsonWriter& json) { std::printf("%s\n", json.text().c_str()); }

}  // namespace

int cmdDecodeIndex(const Words& words) {
    Args args(words, {});
    ImageArgs in;
    if (!readImageArgs(args, in)) return fail("decode-index", args.error());
    ImageCopy copy(in.image);
    if (!copy.ok()) return fail("decode-index", "cannot copy the image to the temporary folder");

    TDataFile decoder;
    JsonWriter json;
    json.beginArray();
    if (in.regionA) {
        arTRealTimeData records;
        const int n = decoder.DecodeRealtimeImage(copy.path(), kRealtimeHeaders, records);
        if (n < 0) return fail("decode-index", decodeError(n));
        for (const TRealTimeData& r : records) {
            json.beginObject().field("id", r.Id);
            writeTime(json, "time", r.Time);
            json.field("address", r.Address).field("size", r.Size).endObject();
        }
    } else {
        arTLogData records;
        const int n = decoder.DecodeLogImage(copy.path(), kLogHeaders, records);
        if (n < 0) return fail("decode-index", decodeError(n));
        for (const TLogData& r : records) {
            json.beginObject().field("id", r.Id);
            writeTime(json, "time", r.Time);
            json.field("address", r.Address).field("size", r.Size).field("times", r.Times);
            writeSettingsFields(json, r);
            json.endObject();
        }
    }
    json.endArray();
    print(json);
    return 0;
}

int cmdDecodeSession(const Words& words) {
    Args args(words, {});
    ImageArgs in;
    if (!readImageArgs(args, in)) return fail("decode-session", args.error());
    const std::string out = args.required("out");
    const long long rateA = args.integer("rate-a").value_or(25);
    const long long rateLog = args.integer("rate-log").value_or(1);
    const long long perSample = args.integer("points-per-sample").value_or(1);
    if (args.ok() && (rateA < 1 || rateA > 255 || rateLog < 1 || rateLog > 255))
        args.fail("rates must be between 1 and 255");
    if (args.ok() && (perSample < 1 || perSample > 65535)) args.fail("--points-per-sample must be between 1 and 65535");
    if (!args.ok()) return fail("decode-session", args.error());
    std::error_code ec;
    if (!fs::is_directory(out, ec)) return fail("decode-session", "output folder not found: " + out);
    ImageCopy copy(in.image);
    if (!copy.ok()) return fail("decode-session", "cannot copy the image to the temporary folder");

    TDataFile decoder;
    decoder.OutputFolder = (fs::path(out) / "").string();
    JsonWriter json;
    json.beginObject();
    if (in.regionA) {
        decoder.Header.FileKind = kRealtimeFileKind;
        decoder.SetChannels({MakeChannelInfo("Pressure", 1, 0, static_cast<int>(rateA)), MakeChannelInfo("Flow", 1, 1, static_cast<int>(rateA))});
        arTRealTimeData records;
        const int n = decoder.DecodeRealtimeImage(copy.path(), kRealtimeSession, records);
        if (n < 0) return fail("decode-session", decodeError(n));
        std::size_t events = 0;
        for (const TRealTimeData& r : records) events += r.Events.size();
        // Events of merged-away sectors were written to the file; count them there.
        if (!decoder.LastWrittenFile().empty()) {
            arTRealTimeEvent all;
            TDataFile reader;
            events = static_cast<std::size_t>(std::max(0, reader.ReadRealtimeEvents(all, decoder.LastWrittenFile())));
        }
        json.key("file");
        decoder.LastWrittenFile().empty() ? json.null() : json.value(fs::path(decoder.LastWrittenFile()).filename().string());
        json.field("frames", decoder.RealtimeSeconds()).field("events", static_cast<std::int64_t>(events));
    } else {
        decoder.Header.FileKind = kLogFileKind;
        decoder.SetChannels({MakeChannelInfo("Pressure", 16, 0, static_cast<int>(rateLog), static_cast<int>(perSample)),
                             MakeChannelInfo("Leak", 17, 0, static_cast<int>(rateLog), static_cast<int>(perSample))});
        arTLogData records;
        const int n = decoder.DecodeLogImage(copy.path(), kLogSession, records);
        if (n < 0) return fail("decode-session", decodeError(n));
        arTLogEvent events;
        std::int32_t times = 0;
        if (!records.empty()) {
            // The session is the oldest entry (the list is newest first).
            events = records.back().Events;
            times = records.back().Times;
        }
        json.key("file");
        decoder.LastWrittenFile().empty() ? json.null() : json.value(fs::path(decoder.LastWrittenFile()).filename().string());
        json.field("frames", decoder.LogFrames()).field("events", static_cast<std::int64_t>(events.size()));
        json.field("times", times).key("event_list");
        writeLogEventArray(json, events);
    }
    json.endObject();
    print(json);
    return 0;
}

int cmdDump(const Words& words) {
    Args args(words, {});
    if (args.positional().size() != 1) args.fail("expects one data FILE");
    int code = -1, pos = -1;
    if (const auto channel = args.value("channel")) {
        if (std::sscanf(channel->c_str(), "%d/%d", &code, &pos) != 2 || code < 0 || code > 255 || pos < 0 || pos > 255)
            args.fail("--channel must be CODE/POS, e.g. 16/0");
    }
    if (!args.ok()) return fail("dump", args.error());
    const std::string name = args.positional()[0];
    TDataFile file;
    const int r = file.ReadHeader(name);
    if (r == kMissingFile) return fail("dump", "file not found: " + name);
    if (r != 0) return fail("dump", "not a valid data file (corrupt or truncated): " + name);
    const DataFileHeader h = file.Header;
    const bool realtime = h.FileKind == kRealtimeFileKind;

    JsonWriter json;
    json.beginObject().field("kind", int{h.FileKind});
    json.field("start", DateTime(h.StartTime).format(DateTimeForm::DateTimeText));
    json.field("data_offset", h.DataOffset).field("data_size", h.DataSize);
    json.field("event_offset", h.EventOffset).field("event_size", h.EventSize);
    json.key("channels").beginArray();
    for (const TChannleInfo& c : file.Channels()) {
        json.beginObject().field("name", fixedText(c.Name)).field("code", int{c.Code}).field("codepos", int{c.CodePos});
        json.field("rate", int{c.Rate}).field("points_per_sample", int{c.PointsPerSample}).endObject();
    }
    json.endArray();
    json.field("frames", file.FrameCount());
    json.key("events");
    if (realtime) {
        arTRealTimeEvent events;
        if (file.ReadRealtimeEvents(events, name) < 0) return fail("dump", "cannot read the events of " + name);
        json.beginArray();
        for (const TRealTimeEvent& e : events) {
            json.beginObject().field("code", int{e.Code}).field("codepos", int{e.CodePos});
            json.field("time", DateTime(e.Time).format(DateTimeForm::DateTimeText)).field("value", e.Value).endObject();
        }
        json.endArray();
    } else {
        arTLogEvent events;
        if (file.ReadLogEvents(events, name) < 0) return fail("dump", "cannot read the events of " + name);
        writeLogEventArray(json, events);
    }
    if (code >= 0) {
        arInteger values;
        const int n = file.ReadChannelValues(values, name, code, pos, 0, 0, -1);
        if (n < 0) return fail("dump", "cannot read the samples of " + name);
        if (file.FindChannel(code, pos) < 0)
            return fail("dump", "the file has no channel " + std::to_string(code) + "/" + std::to_string(pos));
        json.key("values").beginArray();
        for (std::int32_t v : values) json.value(static_cast<std::int64_t>(v));
        json.endArray();
    }
    json.endObject();
    print(json);
    return 0;
}

}  // namespace somnexa::cli
