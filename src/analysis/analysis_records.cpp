#include "analysis/analysis_records.h"

namespace somnexa::analysis {

int TAnalysis::FindEventType(std::int32_t dataType) const {
    int found = -1;
    for (std::size_t i = 0; i < IndexList.size(); ++i)
        if (IndexList[i].DataType == dataType) found = static_cast<int>(i);
    return found;
}

void TAnalysis::SetEventCount(std::int32_t dataType, std::int32_t count) {
    int i = FindEventType(dataType);
    if (i < 0) {
        IndexList.push_back(TIndexList{dataType, 0});
        i = static_cast<int>(IndexList.size()) - 1;
    }
    IndexList[static_cast<std::size_t>(i)].Count = count;
}

std::int32_t TAnalysis::EventCountAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= IndexList.size()) return 0;
    return IndexList[static_cast<std::size_t>(index)].Count;
}

int TAnalysis::FindParameter(std::int32_t code) const {
    int found = -1;
    for (std::size_t i = 0; i < ParaMeterList.size(); ++i)
        if (ParaMeterList[i].Code == code) found = static_cast<int>(i);
    return found;
}

void TAnalysis::SetParameter(std::int32_t code, std::int32_t dataMode, double value) {
    int i = FindParameter(code);
    if (i < 0) {
        ParaMeterList.push_back(TParaMeterList{code, {}});
        i = static_cast<int>(ParaMeterList.size()) - 1;
    }
    if (dataMode >= 0 && dataMode <= 3)
        ParaMeterList[static_cast<std::size_t>(i)].Values[static_cast<std::size_t>(dataMode)] = value;
}

double TAnalysis::ParameterAt(int index, std::int32_t dataMode) const {
    if (index < 0 || static_cast<std::size_t>(index) >= ParaMeterList.size()) return 0.0;
    if (dataMode < 0 || dataMode > 3) return 0.0;
    return ParaMeterList[static_cast<std::size_t>(index)].Values[static_cast<std::size_t>(dataMode)];
}

void AnalysisSelection::ResetReportDays() {
    ReportDays.clear();
    for (std::size_t i = 0; i < PatientData.Dates.size(); ++i) ReportDays.push_back(static_cast<std::int32_t>(i));
}

void AnalysisSelection::PickDay(DateTime day) {
    CurrentDay = DateTime(static_cast<double>(day.dayNumber()) + 0.5);
    PatientData.Dates = {CurrentDay};
}

}  // namespace somnexa::analysis
