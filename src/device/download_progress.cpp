#include "device/download_progress.h"

#include <algorithm>

#include "records/qv_func.h"

namespace somnexa::device {

namespace {

std::string tr(const Translator& translate, const std::string& text) { return translate ? translate(text) : text; }

std::string stamp(const TDeviceTime& t) { return FormatDeviceTime(DateTimeForm::FileStamp, t).value_or(""); }

template <typename List>
bool inRange(const List* list, int index) {
    return list && index >= 0 && static_cast<std::size_t>(index) < list->size();
}

std::string kilobytes(std::int64_t received, std::int64_t total) {
    return " ( " + std::to_string(received / 1024) + "K / " + std::to_string(total / 1024) + "K )";
}

}  // namespace

std::string FormatNumbers(const std::string& format, std::initializer_list<std::int64_t> numbers) {
    std::string out;
    auto next = numbers.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 'd' && next != numbers.end()) {
            out += std::to_string(*next++);
            ++i;
        } else {
            out += format[i];
        }
    }
    return out;
}

std::string FormatTimeLeft(int seconds, const Translator& translate) {
    if (seconds < 0) seconds = 0;
    if (seconds / 60 > 0)
        return FormatNumbers(tr(translate, "The expected time:  %d minute %d second"), {seconds / 60, seconds % 60});
    return FormatNumbers(tr(translate, "The expected time:  %d second"), {seconds});
}

ProgressFigures ProgressTick(const ProgressInputs& in, const Translator& translate) {
    ProgressFigures out;
    std::int64_t r = in.received;
    std::int64_t total = in.transferTotal;
    std::int64_t s = (total - r) / kBytesPerSecond + 1;

    switch (in.regionType) {
        case 0:
        case 3:
        case 7:
            if (in.savedEvents == 0) {
                if (inRange(in.logIndex, in.currentSession)) {
                    const TLogData& e = (*in.logIndex)[static_cast<std::size_t>(in.currentSession)];
                    total = e.Size;
                    out.text = tr(translate, "Download log information:") + " " + stamp(e.Time) + kilobytes(r, total);
                }
            } else {
                r = in.savedEvents;
                const TLogData* session =
                    in.logSessions && !in.logSessions->empty() ? &in.logSessions->front() : nullptr;
                total = session ? static_cast<std::int64_t>(session->Events.size() + session->DeviceData.size()) : 0;
                s = (total - r) / kRowsPerSecond + 1;
                if (inRange(in.logIndex, in.currentSession)) {
                    const TLogData& e = (*in.logIndex)[static_cast<std::size_t>(in.currentSession)];
                    out.text = tr(translate, "Saving the log event:") + " " + stamp(e.Time) + " ( " +
                               std::to_string(r) + " / " + std::to_string(total) + " )";
                }
            }
            break;
        case 4:
        case 8:
            if (inRange(in.realtimeIndex, in.currentSession)) {
                const TRealTimeData& e = (*in.realtimeIndex)[static_cast<std::size_t>(in.currentSession)];
                total = e.Size;
                out.text = tr(translate, "Download realtime data:") + " " + stamp(e.Time) + kilobytes(r, total);
            }
            break;
        case 2:
        case 6:
            out.text = tr(translate, "Download log information index:") + " " + " ( " + std::to_string(r / 1024) +
                       "K / " + "189" + "K )";
            break;
        case 1:
        case 5:
            out.text = tr(translate, "Download realtime data index:") + " " + " ( " + std::to_string(r / 1024) +
                       "K / " + "65" + "K )";
            break;
        default:
            break;
    }

    if (s < 0) s = 0;
    out.secondsLeft = static_cast<int>(std::min<std::int64_t>(s, 1 << 30));
    out.timeText = FormatTimeLeft(out.secondsLeft, translate);
    out.transferTotal = total;
    out.percent = total > 0 ? static_cast<int>(std::min<std::int64_t>(r * 100 / total, 100)) : 0;
    if (out.percent < 0) out.percent = 0;
    return out;
}

}  // namespace somnexa::device
