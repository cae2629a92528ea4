// Reading data files for the views and the statistics. Every size and offset in
// a header is checked against the file's real size before anything is read or
// allocated, so a truncated or corrupt file yields an error and no data.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "records/data_file.h"

namespace somnexa {
namespace {

// More channels than any chart list holds, and more points than a whole day of
// the fastest channel, mean a corrupt file rather than data.
constexpr std::int32_t kMaxChannels = 256;
constexpr std::int64_t kMaxPoints = std::int64_t{1} << 23;  // four days at 25 per second
constexpr std::int64_t kFramesPerChunk = 4096;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool readAt(std::FILE* f, std::int64_t offset, void* data, std::size_t size) {
    return std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0 && std::fread(data, 1, size, f) == size;
}

// Reads count frames from frame first on, a chunk at a time, and hands each
// frame's integers with its index (0-based from first) to visit.
template <typename Visit>
bool readFrames(std::FILE* f, std::int64_t dataOffset, std::int32_t frameLength, std::int64_t first, std::int64_t count,
                Visit visit) {
    const std::int64_t frameBytes = std::int64_t{frameLength} * 4;
    std::vector<std::int32_t> chunk;
    for (std::int64_t done = 0; done < count;) {
        const std::int64_t n = std::min(kFramesPerChunk, count - done);
        chunk.resize(static_cast<std::size_t>(n * frameLength));
        if (!readAt(f, dataOffset + (first + done) * frameBytes, chunk.data(), static_cast<std::size_t>(n * frameBytes)))
            return false;
        for (std::int64_t k = 0; k < n; ++k) visit(chunk.data() + k * frameLength, done + k);
        done += n;
    }
    return true;
}

bool exists(const std::string& name) {
    std::error_code ec;
    return std::filesystem::is_regular_file(name, ec);
}

}  // namespace

bool TDataFile::ValidateHeader(std::int64_t fileSize) const {
    const DataFileHeader& h = Header;
    if (h.ChannelSize < 0 || h.ChannelSize % kChannelRecordSize != 0) return false;
    if (h.ChannelSize / kChannelRecordSize > kMaxChannels) return false;
    if (kChannelOffset + std::int64_t{h.ChannelSize} > fileSize) return false;
    if (h.DataOffset < kChannelOffset + h.ChannelSize || h.DataSize < 0 || h.EventOffset < 0 || h.EventSize < 0)
        return false;
    if (std::int64_t{h.DataOffset} + h.DataSize > fileSize) return false;
    if (std::int64_t{h.EventOffset} + h.EventSize > fileSize) return false;
    return true;
}

int TDataFile::ReadHeader(const std::string& name) {
    Header = DataFileHeader{};
    PatientBlockData = PatientBlock{};
    channels_.clear();
    ComputeLayout();
    if (!exists(name)) return kMissingFile;
    File f(std::fopen(name.c_str(), "rb"));
    if (!f) return kFailed;
    std::error_code ec;
    const auto fileSize = static_cast<std::int64_t>(std::filesystem::file_size(name, ec));
    if (ec || fileSize < kChannelOffset) return kFailed;
    if (!readAt(f.get(), 0, &Header, sizeof Header) || !readAt(f.get(), kHeaderSize, &PatientBlockData, sizeof PatientBlockData) ||
        !ValidateHeader(fileSize)) {
        Header = DataFileHeader{};
        PatientBlockData = PatientBlock{};
        return kFailed;
    }
    arTChannleInfo channels(static_cast<std::size_t>(Header.ChannelSize / kChannelRecordSize));
    if (!channels.empty() && !readAt(f.get(), kChannelOffset, channels.data(), channels.size() * sizeof(TChannleInfo))) {
        Header = DataFileHeader{};
        return kFailed;
    }
    for (TChannleInfo& c : channels)
        if (c.PointsPerSample == 0) c.PointsPerSample = 1;
    channels_ = std::move(channels);
    ComputeLayout();
    return 0;
}

int TDataFile::ReadChannelPoints(arTPoint& points, const std::string& name, int code, int codePos, std::int32_t x0,
                                 std::int32_t start, std::int32_t maxFrames) {
    points.clear();
    if (!exists(name)) return kMissingFile;
    if (ReadHeader(name) != 0) return kUnreadable;
    const int c = FindChannel(code, codePos);
    if (c < 0) return 0;
    const std::int64_t rate = channels_[c].Rate;
    const std::int64_t perSample = channels_[c].PointsPerSample;
    if (rate == 0 || start < 0) return 0;

    std::int64_t q = start / perSample;
    std::int64_t r = start % perSample;
    if (r > 0) ++q;
    std::int64_t n = FrameCount() - q;
    if (r > 0 && rate * r < perSample) r += perSample;
    if (maxFrames > 0 && n > maxFrames) n = maxFrames;
    if (n <= 0) return 0;
    const std::int64_t leading = r > 0 ? rate * r : 0;
    if (leading + n * rate * perSample > kMaxPoints) return kUnreadable;

    File f(std::fopen(name.c_str(), "rb"));
    if (!f) return kFailed;
    points.reserve(static_cast<std::size_t>(leading + n * rate * perSample));
    const std::int32_t offset = channelOffsets_[static_cast<std::size_t>(c)];
    const bool ok = readFrames(f.get(), Header.DataOffset, frameLength_, q, n, [&](const std::int32_t* frame, std::int64_t index) {
        const std::int32_t* samples = frame + offset;
        const auto x = static_cast<std::int32_t>(x0 + index);
        if (index == 0) points.insert(points.end(), static_cast<std::size_t>(leading), TPoint{x0, samples[0]});
        for (std::int64_t k = 0; k < rate; ++k)
            points.insert(points.end(), static_cast<std::size_t>(perSample), TPoint{x, samples[k]});
    });
    if (!ok) {
        points.clear();
        return kFailed;
    }
    return static_cast<int>(points.size());
}

int TDataFile::ReadChannelValues(arInteger& values, const std::string& name, int code, int codePos, std::int32_t,
                                 std::int32_t startFrame, std::int32_t maxFrames) {
    values.clear();
    if (!exists(name)) return kMissingFile;
    if (ReadHeader(name) != 0) return kUnreadable;
    const int c = FindChannel(code, codePos);
    if (c < 0) return 0;
    const std::int64_t rate = channels_[c].Rate;
    if (rate == 0) return 0;
    const std::int64_t first = std::max<std::int32_t>(0, startFrame);
    std::int64_t n = FrameCount() - first;
    if (maxFrames > 0 && n > maxFrames) n = maxFrames;
    if (n <= 0) return 0;

    File f(std::fopen(name.c_str(), "rb"));
    if (!f) return kFailed;
    values.reserve(static_cast<std::size_t>(n * rate));
    const std::int32_t offset = channelOffsets_[static_cast<std::size_t>(c)];
    const bool ok = readFrames(f.get(), Header.DataOffset, frameLength_, first, n, [&](const std::int32_t* frame, std::int64_t) {
        values.insert(values.end(), frame + offset, frame + offset + rate);
    });
    if (!ok) {
        values.clear();
        return kFailed;
    }
    return static_cast<int>(values.size());
}

namespace {

template <typename Event>
int readEvents(TDataFile& file, std::vector<Event>& events, const std::string& name) {
    events.clear();
    if (!exists(name)) return kMissingFile;
    if (file.ReadHeader(name) != 0) return kFailed;
    const std::int32_t count = file.Header.EventSize / static_cast<std::int32_t>(sizeof(Event));
    if (count <= 0) return 0;
    File f(std::fopen(name.c_str(), "rb"));
    events.resize(static_cast<std::size_t>(count));
    if (!f || !readAt(f.get(), file.Header.EventOffset, events.data(), events.size() * sizeof(Event))) {
        events.clear();
        return kFailed;
    }
    return count;
}

}  // namespace

// Unlike a reader that relies on an earlier channel read of the same file, the
// header is read here, so the events always come from the named file.
int TDataFile::ReadRealtimeEvents(arTRealTimeEvent& events, const std::string& name) {
    return readEvents(*this, events, name);
}

int TDataFile::ReadLogEvents(arTLogEvent& events, const std::string& name) { return readEvents(*this, events, name); }

}  // namespace somnexa
