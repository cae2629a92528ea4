// Writing a data file while an image is decoded. The file is written through one
// buffered stream under "<name>.part" and renamed to its name only once it is
// complete, so a decode that is interrupted never leaves a file that readers
// (or the next download's "already have it" check) take for a whole session.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "records/data_file.h"
#include "records/fixed_text.h"

namespace somnexa {

struct TDataFile::Writer {
    std::string name;      // final name
    std::string tempName;  // name + ".part"
    std::FILE* file = nullptr;
    std::int64_t written = 0;
    bool failed = false;
    std::vector<char> buffer = std::vector<char>(1 << 20);

    bool put(const void* data, std::size_t size) {
        if (failed) return false;
        if (std::fwrite(data, 1, size, file) != size) {
            failed = true;
            return false;
        }
        written += static_cast<std::int64_t>(size);
        return true;
    }

    void discard() {
        if (file) std::fclose(file);
        file = nullptr;
        std::error_code ec;
        std::filesystem::remove(tempName, ec);
    }
};

TDataFile::TDataFile() = default;

TDataFile::~TDataFile() { AbandonDataFile(); }

void TDataFile::AbandonDataFile() {
    if (writer_) writer_->discard();
    writer_.reset();
}

int TDataFile::CreateDataFile(const std::string& name) {
    AbandonDataFile();
    const auto n = static_cast<std::int32_t>(channels_.size());
    setFixedText(Header.FormatVersion, kFormatVersion);
    Header.HeaderSize = kHeaderSize;
    Header.PatientBlockSize = kPatientBlockSize;
    Header.ChannelOffset = kChannelOffset;
    Header.ChannelSize = n * kChannelRecordSize;
    Header.DataOffset = kChannelOffset + n * kChannelRecordSize;
    Header.EventSize = 0;

    auto w = std::make_unique<Writer>();
    w->name = name;
    w->tempName = name + ".part";
    w->file = std::fopen(w->tempName.c_str(), "wb");
    if (!w->file) return kFailed;
    std::setvbuf(w->file, w->buffer.data(), _IOFBF, w->buffer.size());
    w->put(&Header, sizeof Header);
    w->put(&PatientBlockData, sizeof PatientBlockData);
    for (const TChannleInfo& c : channels_) w->put(&c, sizeof c);
    if (w->failed) {
        w->discard();
        return kFailed;
    }
    writer_ = std::move(w);
    return 0;
}

int TDataFile::AppendFrame(const std::string& name, std::span<const std::int32_t> frame) {
    if (!writer_ || writer_->name != name) return kMissingFile;
    const std::size_t bytes = frame.size_bytes();
    if (!writer_->put(frame.data(), bytes)) return kFailed;
    return static_cast<int>(bytes);
}

int TDataFile::FinishFile(const std::string& name, std::span<const std::uint8_t> events, std::int32_t eventSize) {
    if (!writer_ || writer_->name != name) return kMissingFile;
    Writer& w = *writer_;
    const std::int64_t size = w.written;
    Header.DataSize = static_cast<std::int32_t>(size - Header.DataOffset);
    Header.EventOffset = static_cast<std::int32_t>(size);
    Header.EventSize = eventSize;
    bool ok = !w.failed && std::fflush(w.file) == 0 && std::fseek(w.file, 0, SEEK_SET) == 0 &&
              std::fwrite(&Header, sizeof Header, 1, w.file) == 1 && std::fseek(w.file, 0, SEEK_END) == 0 &&
              (events.empty() || std::fwrite(events.data(), events.size(), 1, w.file) == 1);
    ok = (std::fclose(w.file) == 0) && ok;
    w.file = nullptr;
    std::error_code ec;
    if (ok) std::filesystem::rename(w.tempName, w.name, ec);
    if (!ok || ec) {
        std::filesystem::remove(w.tempName, ec);
        writer_.reset();
        return kFailed;
    }
    lastWrittenFile_ = w.name;
    writer_.reset();
    return 0;
}

namespace {

// The events of every record, in record order, as the bytes stored in the file.
template <typename Record>
std::vector<std::uint8_t> eventBytes(const std::vector<Record>& records) {
    std::vector<std::uint8_t> bytes;
    for (const Record& r : records) {
        const auto* first = reinterpret_cast<const std::uint8_t*>(r.Events.data());
        bytes.insert(bytes.end(), first, first + r.Events.size() * sizeof(r.Events[0]));
    }
    return bytes;
}

}  // namespace

int TDataFile::FinishRealtimeFile(const std::string& name, const arTRealTimeData& records) {
    const auto events = eventBytes(records);
    return FinishFile(name, events, static_cast<std::int32_t>(events.size()));
}

int TDataFile::FinishLogFile(const std::string& name, const arTLogData& records) {
    const auto events = eventBytes(records);
    return FinishFile(name, events, static_cast<std::int32_t>(events.size()));
}

}  // namespace somnexa
