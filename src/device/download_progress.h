#pragma once
// What the download progress window shows on each 100 ms tick: the text of
// what is being transferred or saved, the estimate of the time left and the
// bar's percentage, from the link's byte count and the workflow's state.

#include <cstdint>
#include <functional>
#include <string>

#include "records/device_records.h"

namespace somnexa::device {

using Translator = std::function<std::string(const std::string&)>;

// Assumed speeds of the estimate.
inline constexpr std::int64_t kBytesPerSecond = 30000;
inline constexpr std::int64_t kRowsPerSecond = 500;

struct ProgressInputs {
    int regionType = 0;
    std::uint32_t received = 0;     // bytes of the transfer so far
    std::int64_t transferTotal = 0; // what the bar measured against until now
    int currentSession = -1;        // index in the log or realtime index
    int savedEvents = 0;            // event rows stored so far (0 unless storing)
    const arTLogData* logIndex = nullptr;
    const arTRealTimeData* realtimeIndex = nullptr;
    const arTLogData* logSessions = nullptr;
};

struct ProgressFigures {
    std::string text;               // lblDown
    std::string timeText;           // lblTime
    int percent = 0;                // prgDown, 0..100
    std::int64_t transferTotal = 0; // the new measure
    int secondsLeft = 0;
};

ProgressFigures ProgressTick(const ProgressInputs& in, const Translator& translate);

// "The expected time:  %d minute %d second" or "... %d second", translated.
std::string FormatTimeLeft(int seconds, const Translator& translate);

// Replaces the %d placeholders of a format, in order, with the numbers; other
// text (a stray % included) is kept as it is.
std::string FormatNumbers(const std::string& format, std::initializer_list<std::int64_t> numbers);

}  // namespace somnexa::device
