#pragma once
// TDataFile turns flash images into records and writes and reads the realtime
// (.hidr) and log (.hidl) data files.
//
// Images: a header image holds the first 64 bytes of every sector of a region
// (kinds 1 and 2); a data image holds the whole 4096-byte sectors of one session
// (kinds 4 and 3). Decoding a data image also writes the session's data file.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "records/data_file_header.h"
#include "records/device_records.h"
#include "records/patient_info.h"

namespace somnexa {

enum ImageKind : int {
    kRealtimeHeaders = 1,  // region A, 64-byte units
    kLogHeaders = 2,       // region B, 64-byte units
    kLogSession = 3,       // region B, 4096-byte sectors of one session
    kRealtimeSession = 4,  // region A, 4096-byte sectors of one session
};

// Flash layout of the two ring regions.
inline constexpr std::int32_t kSectorSize = 4096;
inline constexpr std::int32_t kHeaderUnitSize = 64;
inline constexpr std::int32_t kRegionAStart = 0x8000;
inline constexpr std::int32_t kRegionASize = 0x41B000;  // 1051 sectors
inline constexpr std::int32_t kRegionBStart = 0x423000;
inline constexpr std::int32_t kRegionBSize = 0xBD8000;  // 3032 sectors

// Result codes of the decoder and the file operations.
inline constexpr int kFailed = -1;
inline constexpr int kMissingFile = -2;
inline constexpr int kUnreadable = -3;
inline constexpr int kInvalidTime = -4;  // a session without a valid start time

// Rotates a ring image so that its oldest unit comes first: after the first
// erased unit (first four bytes FF), the first written unit k becomes unit 0.
// Returns k, 0 when nothing moved, -1 for a missing or unreadable file.
int RotateImage(const std::string& imageFile, int unit);
// The same rotation on bytes in memory.
int RotateImageBytes(std::vector<std::uint8_t>& image, int unit);

// Whole-file reads and writes of images; false on any error.
bool ReadWholeFile(const std::string& name, std::vector<std::uint8_t>& bytes);
bool WriteWholeFile(const std::string& name, const std::vector<std::uint8_t>& bytes);

class TDataFile {
public:
    TDataFile();
    ~TDataFile();
    TDataFile(const TDataFile&) = delete;
    TDataFile& operator=(const TDataFile&) = delete;

    // ---- decoding -------------------------------------------------------
    // Caller fills these before a data decode (kinds 3 and 4).
    DataFileHeader Header;
    PatientBlock PatientBlockData;
    std::string OutputFolder;  // ends with a path separator (or is empty)

    void SetSource(const std::string& name);
    void SetChannels(const arTChannleInfo& channels);
    const arTChannleInfo& Channels() const { return channels_; }
    int FindChannel(int code, int codePos) const;

    // Kinds 1 and 4. Returns the merged record count or a negative code; on a
    // negative code the list is left as it was.
    int DecodeRealtimeImage(const std::string& imageFile, int kind, arTRealTimeData& records);
    // Kinds 2 and 3; the image file is deleted after a successful decode.
    int DecodeLogImage(const std::string& imageFile, int kind, arTLogData& records);

    // The data file the last data decode wrote (empty when it wrote none).
    const std::string& OutputFileName() const { return outputFileName_; }
    const std::string& LastWrittenFile() const { return lastWrittenFile_; }
    std::int32_t RealtimeSeconds() const { return realtimeSeconds_; }
    std::int32_t LogFrames() const { return logFrames_; }

    // ---- writing --------------------------------------------------------
    // The file is written under "<Name>.part" and renamed to Name when finished,
    // so an interrupted write never leaves a file that passes for a complete one.
    int CreateDataFile(const std::string& name);
    int AppendFrame(const std::string& name, std::span<const std::int32_t> frame);
    int FinishRealtimeFile(const std::string& name, const arTRealTimeData& records);
    int FinishLogFile(const std::string& name, const arTLogData& records);
    // Drops an unfinished file.
    void AbandonDataFile();

    // ---- reading --------------------------------------------------------
    int ReadHeader(const std::string& name);
    int ReadChannelPoints(arTPoint& points, const std::string& name, int code, int codePos, std::int32_t x0,
                          std::int32_t start, std::int32_t maxFrames);
    int ReadChannelValues(arInteger& values, const std::string& name, int code, int codePos, std::int32_t x0,
                          std::int32_t startFrame, std::int32_t maxFrames);
    int ReadRealtimeEvents(arTRealTimeEvent& events, const std::string& name);
    int ReadLogEvents(arTLogEvent& events, const std::string& name);
    std::int64_t TotalPoints() const { return totalPoints_; }
    std::int32_t FrameLength() const { return frameLength_; }
    std::int64_t FrameCount() const;

private:
    struct Writer;
    struct DecodeState;

    void ComputeLayout();
    void ClearFrame();
    int DecodeImage(const std::string& imageFile, int kind, arTRealTimeData* realtime, arTLogData* log);
    bool EnsureOutputFile(const TDeviceTime& start, const char* extension);
    void AppendPair(std::int32_t s1, std::int32_t s2);
    void AppendLogSample(int code, std::int32_t value);
    void FlushFrame();
    int FinishFile(const std::string& name, std::span<const std::uint8_t> events, std::int32_t eventSize);
    bool ValidateHeader(std::int64_t fileSize) const;

    std::string source_;
    arTChannleInfo channels_;
    std::vector<std::int32_t> frame_;
    std::vector<std::int32_t> channelOffsets_;
    std::vector<std::int32_t> channelFill_;
    std::int32_t frameLength_ = 0;
    std::int32_t realtimeSeconds_ = 0;
    std::int32_t frameMilliseconds_ = 0;
    std::int32_t logFrames_ = 0;
    std::int64_t totalPoints_ = 0;
    std::string outputFileName_;
    std::string lastWrittenFile_;
    std::unique_ptr<Writer> writer_;
    DecodeState* decode_ = nullptr;  // set while a data decode runs
};

}  // namespace somnexa
