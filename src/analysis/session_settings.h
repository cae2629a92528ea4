#pragma once
// The settings of one session as the statistics table and the printed report
// show them: values, captions and which rows show, by work mode.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/period_figures.h"
#include "records/device_records.h"

namespace somnexa::storage {
class TDM;
}

namespace somnexa::analysis {

// Translates a caption (the window's table, or the message catalogue).
using Translator = std::function<std::string(std::string_view)>;

// The statistics table's settings section. A caption or visibility without a
// value stays as it was (modes above 4 change none but the delay row).
struct TableSettings {
    std::string AutoOnOff;   // lblAutoOnOff: translated "ON" / "OFF"
    std::string DelayPress;  // lblDelayPress (minutes)
    std::string WorkMode;    // lblWorkMode
    std::string EPAP;        // lblEPAP (cmH2O)
    std::string IPAP;        // lblIPAP (cmH2O)
    std::string Sensitivity; // lblISlop: EPR or inspiration sensitivity
    std::string StartPress;  // "Start press" (cmH2O)
    std::string ISlop;       // the "ISlop" row
    std::string ESens;       // "Exp sensitivity"
    std::string BPM;         // "Respiratory frequency"
    std::string InspTime;    // "Insptime" (sec)

    std::optional<std::string> EPAPCaption;         // lblEPAP1
    std::optional<std::string> IPAPCaption;         // lblIPAP1
    std::optional<std::string> SensitivityCaption;  // lblISlop1

    std::optional<bool> ShowIPAP;
    std::optional<bool> ShowGearUnit;         // "gear" beside lblISlop
    std::optional<bool> ShowISlopRow;
    std::optional<bool> ShowESens;
    std::optional<bool> ShowBPMAndInspTime;
    bool ShowDelayPress = true;
};

TableSettings ComputeTableSettings(const TStartEvent& session, const storage::TDM& dm, const Translator& translate);

// The printed report's settings: memo values, captions and the memos to show
// or hide (each acting also on its label X + "1" and unit X + "Units").
struct ReportSettings {
    std::vector<NamedText> Values;
    std::vector<NamedText> Captions;
    std::vector<std::pair<std::string, bool>> Visibility;  // in the order to apply
};

// session: the newest session, or null when the selection has none (the
// memos keep their template texts and the CPAP visibility applies).
ReportSettings ComputeReportSettings(const TStartEvent* session, const storage::TDM& dm, const Translator& translate);

}  // namespace somnexa::analysis
