#pragma once
// Records through which the ventilator's data travel: the decoded session index
// entries of the two flash regions, their events and samples, the channel
// description stored in every data file, and the settings read back for the
// statistics. Types stored byte for byte in files carry their layout in
// static_asserts; the others live in memory only.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "records/date_time.h"

namespace somnexa {

static_assert(std::endian::native == std::endian::little,
              "data files and device images are little-endian and are read by copying bytes");

// A moment as the device reports it. Year is the full year in realtime records and
// a two-digit year (since 2000) in log records.
struct TDeviceTime {
    std::uint16_t Year = 0;
    std::uint8_t Month = 0;
    std::uint8_t Day = 0;
    std::uint8_t Hour = 0;
    std::uint8_t Minute = 0;
    std::uint8_t Second = 0;
    std::uint8_t Spare = 0;
};
static_assert(sizeof(TDeviceTime) == 8);

// One realtime event value pair half, stored as-is in the event area of a .hidr file.
struct TRealTimeEvent {
    std::uint8_t Code = 0;     // packet type 5, 6 or 7
    std::uint8_t CodePos = 0;  // 1 first value, 2 second value
    std::uint8_t Padding[6] = {};
    double Time = 0.0;  // date-time of the event
    std::uint32_t Reserved = 0;
    std::int32_t Value = 0;  // 12-bit value
};
static_assert(sizeof(TRealTimeEvent) == 24);
static_assert(offsetof(TRealTimeEvent, Code) == 0);
static_assert(offsetof(TRealTimeEvent, CodePos) == 1);
static_assert(offsetof(TRealTimeEvent, Time) == 8);
static_assert(offsetof(TRealTimeEvent, Reserved) == 16);
static_assert(offsetof(TRealTimeEvent, Value) == 20);

// One log event, stored as-is in the event area of a .hidl file.
struct TLogEvent {
    std::uint8_t Code = 0;     // 6..11 or 19; becomes tData.DataType
    std::uint8_t TimeLen = 0;  // seconds
    std::uint8_t Padding1[2] = {};
    std::int32_t Offset = 0;  // seconds from the session start to the moment logged
    std::uint8_t Value = 0;
    std::uint8_t Padding2[3] = {};
};
static_assert(sizeof(TLogEvent) == 12);
static_assert(offsetof(TLogEvent, Code) == 0);
static_assert(offsetof(TLogEvent, TimeLen) == 1);
static_assert(offsetof(TLogEvent, Offset) == 4);
static_assert(offsetof(TLogEvent, Value) == 8);

struct TLogDeviceData {
    std::uint8_t Code = 0;    // channel 16 or 17
    std::int32_t Offset = 0;  // seconds from the session start
    std::int32_t Value = 0;   // 12-bit sample
};
static_assert(sizeof(TLogDeviceData) == 12);

using arTRealTimeEvent = std::vector<TRealTimeEvent>;
using arTLogEvent = std::vector<TLogEvent>;
using arTLogDeviceData = std::vector<TLogDeviceData>;

// A sector of region A (realtime data) and, once merged, a whole realtime session.
struct TRealTimeData {
    std::int32_t Id = 0;  // session number, 0 = sector without one
    TDeviceTime Time;
    std::int32_t Address = 0;
    std::int32_t Size = 0;
    arTRealTimeEvent Events;
};

// A sector of region B (session log) and, once merged, a whole therapy session.
// The settings are the raw packet values, named after the tSession columns.
struct TLogData {
    std::int32_t Id = 0;
    TDeviceTime Time;  // Year two-digit
    std::int32_t WorkMode = 0;
    std::int32_t AutoOnOff = 0;
    std::int32_t DelayPress = 0;
    std::int32_t HotLevel = 0;
    std::int32_t ExpPress = 0;
    std::int32_t InspPress = 0;
    std::int32_t MaxPress = 0;
    std::int32_t MinPress = 0;
    std::int32_t StartPress = 0;
    std::int32_t EPR = 0;
    std::int32_t ESens = 0;
    std::int32_t ISens = 0;
    std::int32_t WorkPress = 0;
    std::int32_t BPM = 0;
    std::int32_t InspTime = 0;
    std::int32_t StartPress1 = 0;
    std::int32_t ISlop = 0;
    arTLogEvent Events;
    std::int32_t Address = 0;
    std::int32_t Size = 0;
    std::int32_t Times = 0;  // session duration in seconds
    arTLogDeviceData DeviceData;
};

// Settings of one tSession row as the statistics load them.
struct TStartEvent {
    std::int32_t WorkMode = 0;
    std::int32_t AutoOnOff = 0;
    std::int32_t DelayPress = 0;
    std::int32_t HotLevel = 0;
    std::int32_t ExpPress = 0;
    std::int32_t InspPress = 0;
    std::int32_t MaxPress = 0;
    std::int32_t MinPress = 0;
    std::int32_t StartPress = 0;
    std::int32_t EPR = 0;
    std::int32_t ESens = 0;
    std::int32_t ISens = 0;
    std::int32_t WorkPress = 0;
    std::int32_t BPM = 0;
    std::int32_t InspTime = 0;
    double OpenTime = 0.0;
    std::int32_t StartPress1 = 0;
    std::int32_t ISlop = 0;
};

// Display definition of one realtime event value (a realtimeevent row).
struct TEventList {
    std::uint8_t Code = 0;
    std::uint8_t CodePos = 0;
    std::string Name;
    std::string DisplayName;
    std::string DisplayFormat;
    double Value = 0.0;
    std::string Units;
    std::string Line;
    double Coeff = 0.0;
};

// One channel (one chart), stored as-is in the channel table of every data file.
struct TChannleInfo {
    char Name[20] = {};
    char ChannleName[50] = {};
    std::uint8_t Padding1[2] = {};
    std::uint8_t Rows = 0;
    std::uint8_t Cols = 0;
    std::uint8_t Code = 0;
    std::uint8_t CodePos = 0;
    std::uint8_t DiagramModel = 0;
    std::uint8_t LineStyle = 0;
    std::uint8_t Padding2[2] = {};
    std::int32_t LineColor = 0;
    std::uint8_t Rate = 0;  // samples of this channel per frame
    std::uint8_t ChannleCount = 0;
    std::uint8_t Visible = 0;
    std::uint8_t DataMode = 0;
    std::int32_t Height = 0;
    char Units[20] = {};
    std::uint16_t PointsPerSample = 0;  // time-axis points per stored sample
    std::uint8_t Reserved1[38] = {};
    std::uint8_t ShowX = 0;
    std::uint8_t ShowY = 0;
    std::uint8_t Padding3[2] = {};
    std::int32_t NullX = 0;
    std::int32_t NullY = 0;
    std::int32_t TextX = 0;
    std::int32_t TextY = 0;
    std::uint8_t ShowCaption = 0;
    std::uint8_t Padding4[3] = {};
    std::int32_t ScaleX1 = 0;
    std::int32_t ScaleX2 = 0;
    double PrecisionX = 0.0;
    std::uint8_t ShowLineX = 0;
    char TextFormatX[20] = {};
    std::uint8_t TextStyleX = 0;
    std::uint8_t Padding5[2] = {};
    std::int32_t ScaleY1 = 0;
    std::int32_t ScaleY2 = 0;
    std::int32_t PrecisionY = 0;
    std::int32_t MaxY = 0;
    std::int32_t MinY = 0;
    std::uint8_t ShowLineY = 0;
    char TextFormatY[20] = {};
    std::uint8_t TextStyleY = 0;
    std::uint8_t Padding6[2] = {};
    std::int32_t DigitalMin = 0;
    std::int32_t DigitalMax = 0;
    std::int32_t BorderColor = 0;
    std::uint8_t Reserved2[752] = {};
};
static_assert(sizeof(TChannleInfo) == 1024);
static_assert(offsetof(TChannleInfo, Name) == 0);
static_assert(offsetof(TChannleInfo, ChannleName) == 20);
static_assert(offsetof(TChannleInfo, Rows) == 72);
static_assert(offsetof(TChannleInfo, Cols) == 73);
static_assert(offsetof(TChannleInfo, Code) == 74);
static_assert(offsetof(TChannleInfo, CodePos) == 75);
static_assert(offsetof(TChannleInfo, DiagramModel) == 76);
static_assert(offsetof(TChannleInfo, LineStyle) == 77);
static_assert(offsetof(TChannleInfo, LineColor) == 80);
static_assert(offsetof(TChannleInfo, Rate) == 84);
static_assert(offsetof(TChannleInfo, ChannleCount) == 85);
static_assert(offsetof(TChannleInfo, Visible) == 86);
static_assert(offsetof(TChannleInfo, DataMode) == 87);
static_assert(offsetof(TChannleInfo, Height) == 88);
static_assert(offsetof(TChannleInfo, Units) == 92);
static_assert(offsetof(TChannleInfo, PointsPerSample) == 112);
static_assert(offsetof(TChannleInfo, Reserved1) == 114);
static_assert(offsetof(TChannleInfo, ShowX) == 152);
static_assert(offsetof(TChannleInfo, ShowY) == 153);
static_assert(offsetof(TChannleInfo, NullX) == 156);
static_assert(offsetof(TChannleInfo, NullY) == 160);
static_assert(offsetof(TChannleInfo, TextX) == 164);
static_assert(offsetof(TChannleInfo, TextY) == 168);
static_assert(offsetof(TChannleInfo, ShowCaption) == 172);
static_assert(offsetof(TChannleInfo, ScaleX1) == 176);
static_assert(offsetof(TChannleInfo, ScaleX2) == 180);
static_assert(offsetof(TChannleInfo, PrecisionX) == 184);
static_assert(offsetof(TChannleInfo, ShowLineX) == 192);
static_assert(offsetof(TChannleInfo, TextFormatX) == 193);
static_assert(offsetof(TChannleInfo, TextStyleX) == 213);
static_assert(offsetof(TChannleInfo, ScaleY1) == 216);
static_assert(offsetof(TChannleInfo, ScaleY2) == 220);
static_assert(offsetof(TChannleInfo, PrecisionY) == 224);
static_assert(offsetof(TChannleInfo, MaxY) == 228);
static_assert(offsetof(TChannleInfo, MinY) == 232);
static_assert(offsetof(TChannleInfo, ShowLineY) == 236);
static_assert(offsetof(TChannleInfo, TextFormatY) == 237);
static_assert(offsetof(TChannleInfo, TextStyleY) == 257);
static_assert(offsetof(TChannleInfo, DigitalMin) == 260);
static_assert(offsetof(TChannleInfo, DigitalMax) == 264);
static_assert(offsetof(TChannleInfo, BorderColor) == 268);
static_assert(offsetof(TChannleInfo, Reserved2) == 272);

using arTChannleInfo = std::vector<TChannleInfo>;
using arTRealTimeData = std::vector<TRealTimeData>;
using arTStartEvent = std::vector<TStartEvent>;
using arTLogData = std::vector<TLogData>;
using arTEventList = std::vector<TEventList>;
using arInteger = std::vector<std::int32_t>;
using arByte = std::vector<std::uint8_t>;

struct TPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};
using arTPoint = std::vector<TPoint>;
using ar2TPoint = std::vector<arTPoint>;
using arBoolean = std::vector<bool>;
using ar2Boolean = std::vector<arBoolean>;
using arTDate = std::vector<DateTime>;

// Codes the rest of the system keys on.
namespace codes {
inline constexpr int kApnea = 9;
inline constexpr int kHypopnea = 19;
inline constexpr int kSnore = 6;
inline constexpr int kFlowLimitation = 7;
inline constexpr int kLogPressure = 16;  // hundredths of cmH2O
inline constexpr int kLogLeak = 17;      // tenths of l/min
inline constexpr int kRealtimePair = 1;  // CodePos 0 pressure, 1 flow
}  // namespace codes

}  // namespace somnexa
