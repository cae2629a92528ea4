// Decoding of flash images: header images into session indexes, data images of
// one session into its settings, events and samples (and its data file).

#include <filesystem>
#include <cstdio>
#include <iterator>
#include <system_error>

#include "records/data_file.h"
#include "records/packets.h"
#include "records/qv_func.h"

namespace somnexa {

using namespace packets;

struct TDataFile::DecodeState {
    int kind = 0;
    const TDeviceTime* firstTime = nullptr;  // Time of record 0: the session start
    bool invalidTime = false;
    int pairFirst = -1;   // channel of realtime code 1 position 0
    int pairSecond = -1;  // channel of realtime code 1 position 1
    std::int32_t firstRate = 0, firstOffset = 0;
    std::int32_t secondRate = 0, secondOffset = 0;
    std::int32_t pairStepMs = 0;  // time one pair stands for

    void locatePair(const arTChannleInfo& channels, const std::vector<std::int32_t>& offsets, int first, int second) {
        pairFirst = first;
        pairSecond = second;
        if (first >= 0) {
            firstRate = channels[static_cast<std::size_t>(first)].Rate;
            firstOffset = offsets[static_cast<std::size_t>(first)];
        }
        if (second >= 0) {
            secondRate = channels[static_cast<std::size_t>(second)].Rate;
            secondOffset = offsets[static_cast<std::size_t>(second)];
        }
        const std::int32_t rate = secondRate > 0 ? secondRate : firstRate;
        pairStepMs = rate > 0 ? 1000 / rate : 0;
    }
};

namespace {


std::int32_t sectorAddress(bool regionA, std::size_t index, int rotation) {
    const std::int64_t regionSize = regionA ? kRegionASize : kRegionBSize;
    std::int64_t a = (static_cast<std::int64_t>(index) + rotation) * kSectorSize;
    if (a >= regionSize) a -= regionSize;
    return static_cast<std::int32_t>(a + (regionA ? kRegionAStart : kRegionBStart));
}

void setThreeBytes(std::int32_t value24, std::int32_t& first, std::int32_t& second, std::int32_t& third) {
    first = (value24 >> 16) & 0xFF;
    second = (value24 >> 8) & 0xFF;
    third = value24 & 0xFF;
}

template <typename Record>
void mergeSessions(std::vector<Record>& records, bool appendLists) {
    std::vector<Record> merged;
    for (Record& r : records) {
        if (r.Id == 0) continue;
        if (!merged.empty() && merged.back().Id == r.Id) {
            Record& entry = merged.back();
            entry.Size += r.Size;
            if constexpr (requires { r.DeviceData; }) {
                if (appendLists) {
                    entry.Events.insert(entry.Events.end(), r.Events.begin(), r.Events.end());
                    entry.DeviceData.insert(entry.DeviceData.end(), r.DeviceData.begin(), r.DeviceData.end());
                }
            }
        } else {
            merged.push_back(std::move(r));
        }
    }
    records = std::move(merged);
}

}  // namespace

// The data file is created on the first sample and named after the session start.
bool TDataFile::EnsureOutputFile(const TDeviceTime& start, const char* extension) {
    if (!outputFileName_.empty()) return true;
    const auto stamp = FormatDeviceTime(DateTimeForm::FileStamp, start);
    if (!stamp) {
        decode_->invalidTime = true;
        return false;
    }
    outputFileName_ = OutputFolder + *stamp + extension;
    // A caller that did not know the start beforehand gets it from the session.
    if (Header.StartTime == 0.0) Header.StartTime = DeviceTimeToDateTime(start)->days();
    CreateDataFile(outputFileName_);
    return true;
}

void TDataFile::FlushFrame() {
    AppendFrame(outputFileName_, frame_);
    if (decode_->kind == kRealtimeSession)
        ++realtimeSeconds_;
    else
        ++logFrames_;
    ClearFrame();
}

// A frame is one second of waveform: Rate pairs of the two channels of code 1.
// It is written only when a sample for an already full channel arrives.
void TDataFile::AppendPair(std::int32_t s1, std::int32_t s2) {
    const DecodeState& d = *decode_;
    if (d.firstRate == 0) return;
    std::int32_t& fill0 = channelFill_[static_cast<std::size_t>(d.pairFirst)];
    if (fill0 == d.firstRate) FlushFrame();
    frame_[static_cast<std::size_t>(d.firstOffset + fill0++)] = s1;
    if (d.secondRate > 0) {
        // A second channel slower than the first would overflow into its neighbour.
        std::int32_t& fill1 = channelFill_[static_cast<std::size_t>(d.pairSecond)];
        if (fill1 < d.secondRate) frame_[static_cast<std::size_t>(d.secondOffset + fill1++)] = s2;
    }
    frameMilliseconds_ += d.pairStepMs;
}

void TDataFile::AppendLogSample(int code, std::int32_t value) {
    const int c = FindChannel(code, 0);
    if (c < 0 || channels_[c].Rate == 0) return;
    if (channelFill_[c] == channels_[c].Rate) FlushFrame();
    frame_[channelOffsets_[c] + channelFill_[c]++] = value;
}

int TDataFile::DecodeRealtimeImage(const std::string& imageFile, int kind, arTRealTimeData& records) {
    if (kind != kRealtimeHeaders && kind != kRealtimeSession) return kFailed;
    return DecodeImage(imageFile, kind, &records, nullptr);
}

int TDataFile::DecodeLogImage(const std::string& imageFile, int kind, arTLogData& records) {
    if (kind != kLogHeaders && kind != kLogSession) return kFailed;
    return DecodeImage(imageFile, kind, nullptr, &records);
}

int TDataFile::DecodeImage(const std::string& imageFile, int kind, arTRealTimeData* realtimeOut,
                           arTLogData* logOut) {
    SetSource(imageFile);
    const bool regionA = realtimeOut != nullptr;
    const bool dataImage = kind == kLogSession || kind == kRealtimeSession;
    const std::size_t unit = dataImage ? kSectorSize : kHeaderUnitSize;
    realtimeSeconds_ = 0;
    logFrames_ = 0;

    std::error_code ec;
    if (!std::filesystem::is_regular_file(source_, ec)) return kMissingFile;
    std::vector<std::uint8_t> image;
    if (!ReadWholeFile(source_, image)) return kUnreadable;
    const int rotation = RotateImageBytes(image, static_cast<int>(unit));
    if (rotation > 0) WriteWholeFile(source_, image);

    const std::size_t n = image.size() / unit;
    arTRealTimeData realtime;
    arTLogData log;
    if (regionA)
        realtime.resize(n);
    else
        log.resize(n);

    DecodeState state;
    state.kind = kind;
    state.firstTime = n == 0 ? nullptr : (regionA ? &realtime[0].Time : &log[0].Time);
    state.locatePair(channels_, channelOffsets_, FindChannel(codes::kRealtimePair, 0),
                     FindChannel(codes::kRealtimePair, 1));
    decode_ = &state;
    ClearFrame();
    outputFileName_.clear();

    for (std::size_t i = 0; i < n && !state.invalidTime; ++i) {
        const std::uint8_t* u = &image[i * unit];
        if (regionA) {
            TRealTimeData& r = realtime[i];
            r.Size = kSectorSize;
            r.Address = sectorAddress(true, i, rotation);
            for (std::size_t pos = 0; pos + kRegionAPacketSize <= unit; pos += kRegionAPacketSize) {
                const std::uint8_t* p = u + pos;
                if (!validPacketA(p)) continue;
                const int type = typeA(p);
                if (type == kASamplePair && kind == kRealtimeSession) {
                    if (outputFileName_.empty() && !EnsureOutputFile(*state.firstTime, ".hidr")) break;
                    AppendPair(firstValueA(p), secondValueA(p));
                } else if (type == kAClock) {
                    r.Time.Hour = p[1];
                    r.Time.Minute = p[2];
                    r.Time.Second = p[3];
                } else if (type == kADate) {
                    r.Time.Year = static_cast<std::uint16_t>(p[1] + 2000);
                    r.Time.Month = p[2];
                    r.Time.Day = p[3];
                } else if (type == kASessionId) {
                    r.Id = number24A(p);
                } else if (type >= kAEventFirst && type <= kAEventLast && kind == kRealtimeSession) {
                    const auto start = DeviceTimeToDateTime(*state.firstTime);
                    if (!start) {
                        state.invalidTime = true;
                        break;
                    }
                    const double t = start->addMilliseconds(std::int64_t{realtimeSeconds_} * 1000 + frameMilliseconds_).days();
                    TRealTimeEvent e;
                    e.Code = static_cast<std::uint8_t>(type);
                    e.Time = t;
                    e.CodePos = 1;
                    e.Value = firstValueA(p);
                    r.Events.push_back(e);
                    e.CodePos = 2;
                    e.Value = secondValueA(p);
                    r.Events.push_back(e);
                }
            }
        } else {
            TLogData& r = log[i];
            r.Size = kSectorSize;
            r.Address = sectorAddress(false, i, rotation);
            for (std::size_t pos = 0; pos + kRegionBPacketSize <= unit; pos = nextPositionB(pos)) {
                const std::uint8_t* p = u + pos;
                if (!validPacketB(p)) continue;
                const int type = typeB(p);
                switch (type) {
                    case kBSessionId: r.Id = value24B(p); break;
                    case kBDate:
                        r.Time.Year = p[2];
                        r.Time.Month = p[3];
                        r.Time.Day = p[4];
                        break;
                    case kBClock:
                        r.Time.Hour = p[2];
                        r.Time.Minute = p[3];
                        r.Time.Second = p[4];
                        break;
                    case kBSettingsMode: setThreeBytes(value24B(p), r.WorkMode, r.AutoOnOff, r.DelayPress); break;
                    case kBSettingsHeat: setThreeBytes(value24B(p), r.HotLevel, r.ExpPress, r.InspPress); break;
                    case kBSettingsLimits: setThreeBytes(value24B(p), r.MaxPress, r.MinPress, r.StartPress); break;
                    case kBSettingsTrigger: setThreeBytes(value24B(p), r.EPR, r.ESens, r.ISens); break;
                    case kBSettingsWork: setThreeBytes(value24B(p), r.WorkPress, r.BPM, r.InspTime); break;
                    case kBSettingsExtra: {
                        std::int32_t unused = 0;
                        setThreeBytes(value24B(p), r.StartPress1, unused, r.ISlop);
                        break;
                    }
                    case kBDuration: r.Times = time16B(p); break;
                    case kBSamplePressure:
                    case kBSampleLeak:
                        if (kind == kLogSession) {
                            TLogDeviceData d;
                            d.Code = static_cast<std::uint8_t>(type);
                            d.Offset = time16B(p);
                            d.Value = sample12B(p);
                            r.DeviceData.push_back(d);
                            if (EnsureOutputFile(*state.firstTime, ".hidl")) AppendLogSample(type, d.Value);
                        }
                        break;
                    default:
                        if (isLogEventType(type) && kind == kLogSession) {
                            TLogEvent e;
                            e.Code = static_cast<std::uint8_t>(type);
                            e.Offset = time16B(p);
                            e.TimeLen = p[3];
                            e.Value = p[4];
                            r.Events.push_back(e);
                        }
                        break;
                }
                if (state.invalidTime) break;
            }
        }
    }
    decode_ = nullptr;

    if (state.invalidTime) {
        // The session has no usable start: nothing is written and the image stays.
        AbandonDataFile();
        outputFileName_.clear();
        ClearFrame();
        return kInvalidTime;
    }

    lastWrittenFile_.clear();
    if (regionA) {
        if (kind == kRealtimeSession && !outputFileName_.empty()) FinishRealtimeFile(outputFileName_, realtime);
        outputFileName_.clear();
        mergeSessions(realtime, false);
        *realtimeOut = std::move(realtime);
        return static_cast<int>(realtimeOut->size());
    }
    if (kind == kLogSession) {
        // A downloaded session lasts as many log steps as were written, each
        // standing for PointsPerSample seconds.
        if (logFrames_ > 0 && !log.empty() && !channels_.empty())
            log[0].Times = logFrames_ * std::max<int>(1, channels_[0].PointsPerSample);
        if (!outputFileName_.empty()) FinishLogFile(outputFileName_, log);
    }
    std::filesystem::remove(source_, ec);
    mergeSessions(log, true);
    log = std::vector<TLogData>(std::make_move_iterator(log.rbegin()), std::make_move_iterator(log.rend()));
    *logOut = std::move(log);
    return static_cast<int>(logOut->size());
}

}  // namespace somnexa
