#pragma once
// The analysis selection: the selected therapy days of the current patient and
// everything derived from them (settings, use, per-day event counts and
// channel statistics), plus the day marker and the report lists the analysis
// pages share.

#include <array>
#include <cstdint>
#include <vector>

#include "records/date_time.h"
#include "records/device_records.h"
#include "records/patient_info.h"

namespace somnexa::analysis {

// Number of events of one tData type on a day.
struct TIndexList {
    std::int32_t DataType = 0;
    std::int32_t Count = 0;
};
using arTIndexList = std::vector<TIndexList>;

// Statistic kinds of a channel (the DataMode of the per-day cache).
enum DataModeKind : int { kMaximum = 0, kPercentile95 = 1, kMean = 2, kPercentile90 = 3 };

// A day's statistics of one channel, raw device units, by DataMode 0..3.
struct TParaMeterList {
    std::int32_t Code = 0;
    std::array<double, 4> Values{};
};
using arTParaMeterList = std::vector<TParaMeterList>;

// One therapy day. Lookups are by value; no order is kept.
struct TAnalysis {
    arTIndexList IndexList;
    arTParaMeterList ParaMeterList;

    // Index of the entry of that type, -1 if none (the last of duplicates).
    int FindEventType(std::int32_t dataType) const;
    void SetEventCount(std::int32_t dataType, std::int32_t count);
    // 0 when index is outside the list.
    std::int32_t EventCountAt(int index) const;
    // Count of a type, 0 when the day has none.
    std::int32_t EventCount(std::int32_t dataType) const { return EventCountAt(FindEventType(dataType)); }

    int FindParameter(std::int32_t code) const;
    // Finds or appends the entry; stores value only for DataMode 0..3.
    void SetParameter(std::int32_t code, std::int32_t dataMode, double value);
    // 0 when index is outside the list or dataMode is not 0..3.
    double ParameterAt(int index, std::int32_t dataMode) const;
    double Parameter(std::int32_t code, std::int32_t dataMode) const {
        return ParameterAt(FindParameter(code), dataMode);
    }
};
using arTAnalysis = std::vector<TAnalysis>;

// A chart picture kept for the printed report: 32-bit pixels, row by row.
struct ChartPicture {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint32_t> Pixels;
    bool exists() const { return Width > 0 && Height > 0; }
};

// Picture slots per group: the report places at most ten charts per day.
inline constexpr int kPictureSlots = 10;

struct TPatientData {
    arTDate Dates;  // the selected therapy days; lists made by a query are newest first
    TPatientInfo Info;
    double UseSeconds = 0.0;
    std::int32_t DateCount = 0;
    arTStartEvent Sessions;  // every session starting or ending on one of Dates, newest first
    arTAnalysis Analysis;    // one entry per entry of Dates, same order
    // Filled by the data views for the printed report; carried here only.
    std::array<ChartPicture, kPictureSlots> RealtimePictures;
    std::array<ChartPicture, kPictureSlots> LogPictures;
};

// What the analysis pages share: the selection, the picked day and the report lists.
struct AnalysisSelection {
    TPatientData PatientData;
    DateTime CurrentDay;                    // the last picked therapy day, at 12:00:00
    std::vector<std::int32_t> ReportDays{0};  // indices into PatientData.Dates
    std::vector<TPatientData> ReportPictures{TPatientData{}};

    // ReportDays = 0..N-1 for the N selected days.
    void ResetReportDays();
    // Makes day the whole selection: Dates = { day at 12:00:00 }, CurrentDay = the same.
    void PickDay(DateTime day);
};

}  // namespace somnexa::analysis
