// Feeds arbitrary bytes to every data-file reader. Inputs are mostly a valid
// file with bytes of the header and channel table overwritten, so the fuzzer
// spends its time past the first checks.

#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_scratch_file.h"
#include "records/data_file.h"

using namespace somnexa;

namespace {

std::vector<std::uint8_t> seedFile() {
    DataFileHeader h;
    h.FileKind = 1;
    h.HeaderSize = 1024;
    h.PatientBlockSize = 4096;
    h.ChannelOffset = 5120;
    h.ChannelSize = 2048;
    h.DataOffset = 7168;
    h.DataSize = 40 * 8;
    h.EventOffset = 7168 + 320;
    h.EventSize = 48;
    std::vector<std::uint8_t> bytes(7168 + 320 + 48, 0);
    std::memcpy(bytes.data(), &h, sizeof h);
    TChannleInfo c;
    c.Code = 1;
    c.Rate = 1;
    c.PointsPerSample = 3;
    std::memcpy(&bytes[5120], &c, sizeof c);
    c.CodePos = 1;
    std::memcpy(&bytes[6144], &c, sizeof c);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::uint8_t> seed = seedFile();
    static const std::string file = fuzzScratchPath(".hidr");
    std::vector<std::uint8_t> bytes;
    if (size > 0 && data[0] == 0) {
        bytes.assign(data + 1, data + size);  // raw input as the whole file
    } else {
        // Patches: (offset: 2 bytes, value: 4 bytes) ... applied to the seed.
        bytes = seed;
        for (std::size_t i = 0; i + 6 <= size; i += 6) {
            const std::size_t at = (data[i] | (data[i + 1] << 8)) % (bytes.size() - 3);
            std::memcpy(&bytes[at], &data[i + 2], 4);
        }
        if (size % 6 == 1) bytes.resize(bytes.size() * data[size - 1] / 256);
    }
    if (!writeFuzzFile(file, bytes.data(), bytes.size())) return 0;
    TDataFile reader;
    arTPoint points;
    arInteger values;
    arTRealTimeEvent realtime;
    arTLogEvent log;
    reader.ReadChannelPoints(points, file, 1, 0, 0, 5, -1);
    reader.ReadChannelPoints(points, file, 1, 1, 3, 0, 2);
    reader.ReadChannelValues(values, file, 1, 1, 0, 1, -1);
    reader.ReadRealtimeEvents(realtime, file);
    reader.ReadLogEvents(log, file);
    return 0;
}
