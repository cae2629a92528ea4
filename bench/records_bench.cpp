// Decoding and reading speed of the recorded-data layer.
//   DecodeRealtimeSession: a full-size realtime session image (1051 sectors,
//     about 4.3 MB) decoded into its .hidr file, against PlainRead of the same bytes.
//   DecodeLogHeaders: a region B header image (194048 bytes).
//   ReadChannelPoints: one channel of a 12-hour file at 25 samples per second.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "records/data_file.h"
#include "records/fixed_text.h"
#include "records/packets.h"
#include "records/qv_func.h"

using namespace somnexa;
using namespace somnexa::packets;
namespace fs = std::filesystem;

namespace {

fs::path scratchFolder() {
    static const fs::path dir = fs::temp_directory_path() / ("somnexa-bench-" + NewGuidName());
    fs::create_directories(dir);
    return dir;
}

void writeBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void put(std::vector<std::uint8_t>& out, const PacketA& p) { out.insert(out.end(), p.begin(), p.end()); }

// Breathing-like samples: a slow pressure swing and a flow wave, one event per breath.
std::vector<std::uint8_t> realtimeSessionImage() {
    std::vector<std::uint8_t> image;
    image.reserve(1051 * 4096);
    int sample = 0;
    for (int s = 0; s < 1051; ++s) {
        const std::size_t start = image.size();
        put(image, encodeNumber24A(kASessionId, 4242));
        put(image, encodeBytesA(kADate, 19, 10, 31));
        put(image, encodeBytesA(kAClock, 22, 15, 3));
        while (image.size() - start < 4096) {
            if (sample % 100 == 0) {
                put(image, encodeValuesA(5 + (sample / 100) % 3, 1200, 480));
            } else {
                const int phase = sample % 100;
                put(image, encodeValuesA(kASamplePair, 1000 + phase * 3, 2048 + (phase < 40 ? phase * 20 : -(phase - 40) * 13)));
            }
            ++sample;
        }
    }
    return image;
}

std::vector<std::uint8_t> logHeaderImage() {
    std::vector<std::uint8_t> image(3032 * 64, 0);
    for (int u = 0; u < 3032; ++u) {
        const PacketB packets[] = {encodeValue24B(kBSessionId, static_cast<std::uint32_t>(1 + u / 60)),
                                   encodeBytesB(kBDate, 0, 19, 10, 31), encodeBytesB(kBClock, 0, 22, 15, 3),
                                   encodeSettingsB(kBSettingsMode, 4, 1, 15), encodeSettingsB(kBSettingsHeat, 3, 40, 120),
                                   encodeSettingsB(kBSettingsLimits, 200, 40, 45), encodeSettingsB(kBSettingsTrigger, 2, 3, 4),
                                   encodeSettingsB(kBSettingsWork, 100, 12, 150), encodeSettingsB(kBSettingsExtra, 50, 0, 6),
                                   encodeTimedB(kBDuration, 28800, 0, 0)};
        std::size_t pos = 0;
        for (const PacketB& p : packets) {
            std::copy(p.begin(), p.end(), image.begin() + u * 64 + static_cast<std::ptrdiff_t>(pos));
            pos = nextPositionB(pos);
        }
    }
    return image;
}

TChannleInfo channel(int code, int pos, int rate) {
    TChannleInfo c;
    setFixedText(c.Name, pos == 0 ? "Pressure" : "Flow");
    c.Code = static_cast<std::uint8_t>(code);
    c.CodePos = static_cast<std::uint8_t>(pos);
    c.Rate = static_cast<std::uint8_t>(rate);
    c.PointsPerSample = 1;
    return c;
}

void BM_PlainRead(benchmark::State& state) {
    const fs::path file = scratchFolder() / "plain.img";
    writeBytes(file, realtimeSessionImage());
    std::vector<std::uint8_t> bytes;
    for (auto _ : state) {
        if (!ReadWholeFile(file.string(), bytes)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fs::file_size(file));
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

// The same read into a fresh buffer each time, as a decode has to.
void BM_PlainReadFreshBuffer(benchmark::State& state) {
    const fs::path file = scratchFolder() / "plain.img";
    writeBytes(file, realtimeSessionImage());
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(file.string(), bytes)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fs::file_size(file));
}
BENCHMARK(BM_PlainReadFreshBuffer)->Unit(benchmark::kMillisecond);

// Packets only: no channel list, so nothing is written.
void BM_DecodeRealtimeSessionWithoutFile(benchmark::State& state) {
    const fs::path file = scratchFolder() / "session-nofile.img";
    writeBytes(file, realtimeSessionImage());
    TDataFile decoder;
    arTRealTimeData records;
    for (auto _ : state) {
        if (decoder.DecodeRealtimeImage(file.string(), kRealtimeSession, records) != 1) state.SkipWithError("decode failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fs::file_size(file));
}
BENCHMARK(BM_DecodeRealtimeSessionWithoutFile)->Unit(benchmark::kMillisecond);

void BM_DecodeRealtimeSession(benchmark::State& state) {
    const fs::path file = scratchFolder() / "session.img";
    writeBytes(file, realtimeSessionImage());
    TDataFile decoder;
    decoder.OutputFolder = scratchFolder().string() + "/";
    decoder.Header.FileKind = kRealtimeFileKind;
    decoder.SetChannels({channel(1, 0, 25), channel(1, 1, 25)});
    arTRealTimeData records;
    for (auto _ : state) {
        if (decoder.DecodeRealtimeImage(file.string(), kRealtimeSession, records) != 1) state.SkipWithError("decode failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fs::file_size(file));
    state.counters["frames"] = decoder.RealtimeSeconds();
}
BENCHMARK(BM_DecodeRealtimeSession)->Unit(benchmark::kMillisecond);

// The output alone: the frames a full session decode writes, without decoding.
void BM_WriteRealtimeFrames(benchmark::State& state) {
    const std::string name = (scratchFolder() / "20191031221503.hidr").string();
    TDataFile writer;
    writer.SetChannels({channel(1, 0, 25), channel(1, 1, 25)});
    std::vector<std::int32_t> frame(50, 1234);
    for (auto _ : state) {
        writer.CreateDataFile(name);
        for (int f = 0; f < 42493; ++f) writer.AppendFrame(name, frame);
        writer.FinishRealtimeFile(name, {});
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 42493 * 200);
}
BENCHMARK(BM_WriteRealtimeFrames)->Unit(benchmark::kMillisecond);

void BM_DecodeLogHeaders(benchmark::State& state) {
    const std::vector<std::uint8_t> image = logHeaderImage();
    const fs::path file = scratchFolder() / "headers.img";
    TDataFile decoder;
    arTLogData records;
    for (auto _ : state) {
        state.PauseTiming();
        writeBytes(file, image);  // a log decode removes its image
        state.ResumeTiming();
        if (decoder.DecodeLogImage(file.string(), kLogHeaders, records) <= 0) state.SkipWithError("decode failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(image.size()));
    state.counters["sessions"] = static_cast<double>(records.size());
}
BENCHMARK(BM_DecodeLogHeaders)->Unit(benchmark::kMicrosecond);

void BM_ReadChannelPoints(benchmark::State& state) {
    const std::string name = (scratchFolder() / "20191031200000.hidr").string();
    {
        TDataFile writer;
        writer.SetChannels({channel(1, 0, 25), channel(1, 1, 25)});
        writer.CreateDataFile(name);
        std::vector<std::int32_t> frame(50);
        for (int f = 0; f < 12 * 3600; ++f) {
            for (int k = 0; k < 50; ++k) frame[static_cast<std::size_t>(k)] = (f + k) % 4096;
            writer.AppendFrame(name, frame);
        }
        writer.FinishRealtimeFile(name, {});
    }
    TDataFile reader;
    arTPoint points;
    for (auto _ : state) {
        if (reader.ReadChannelPoints(points, name, 1, 1, 0, 0, -1) != 12 * 3600 * 25) state.SkipWithError("read failed");
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 12 * 3600 * 25);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 12 * 3600 * 50 * 4);
}
BENCHMARK(BM_ReadChannelPoints)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(scratchFolder(), ec);
    return 0;
}
