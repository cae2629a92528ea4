// Feeds arbitrary bytes to the image decoder as every image kind, with a channel
// list whose rates come from the input, and reads back whatever file it wrote.

#include <cstdint>
#include <filesystem>

#include "fuzz_scratch_file.h"
#include "records/data_file.h"
#include "records/fixed_text.h"

using namespace somnexa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int kind = 1 + data[0] % 4;
    const std::uint8_t rateA = data[1] % 40;
    const std::uint8_t rateB = data[2] % 40;
    static const std::string image = fuzzScratchPath(".img");
    static const std::string folder = fuzzScratchPath(".out/");
    std::filesystem::create_directories(folder);
    if (!writeFuzzFile(image, data + 3, size - 3)) return 0;

    TDataFile decoder;
    decoder.OutputFolder = folder;
    TChannleInfo a, b;
    a.Code = kind == kLogSession ? 16 : 1;
    a.CodePos = 0;
    a.Rate = rateA;
    a.PointsPerSample = 20;
    b.Code = kind == kLogSession ? 17 : 1;
    b.CodePos = kind == kLogSession ? 0 : 1;
    b.Rate = rateB;
    decoder.SetChannels({a, b});
    if (kind == kRealtimeHeaders || kind == kRealtimeSession) {
        arTRealTimeData records;
        decoder.DecodeRealtimeImage(image, kind, records);
    } else {
        arTLogData records;
        decoder.DecodeLogImage(image, kind, records);
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        TDataFile reader;
        arTPoint points;
        reader.ReadChannelPoints(points, entry.path().string(), a.Code, a.CodePos, 0, 7, -1);
        std::filesystem::remove(entry.path());
    }
    std::filesystem::remove(image);
    return 0;
}
