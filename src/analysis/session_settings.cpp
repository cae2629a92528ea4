#include "analysis/session_settings.h"

#include "analysis/number_text.h"
#include "analysis/therapy_day.h"

namespace somnexa::analysis {

namespace {

enum Mode { kCpap = 0, kS = 1, kST = 2, kT = 3, kAuto = 4 };

std::string pressure(std::int32_t tenths) { return FormatFixed(tenths / 10.0, 1); }

}  // namespace

TableSettings ComputeTableSettings(const TStartEvent& s, const storage::TDM& dm, const Translator& translate) {
    TableSettings t;
    t.AutoOnOff = translate(s.AutoOnOff != 0 ? "ON" : "OFF");
    t.DelayPress = std::to_string(s.DelayPress);
    t.WorkMode = WorkModeName(s.WorkMode, dm);
    t.StartPress = FormatGeneral(s.StartPress1 / 10.0);
    t.ISlop = std::to_string(s.ISlop);
    t.ESens = std::to_string(s.ESens);
    t.BPM = std::to_string(s.BPM);
    t.InspTime = FormatFixed(s.InspTime / 100.0, 1);
    // The S values unless a mode below says otherwise.
    t.EPAP = pressure(s.ExpPress);
    t.IPAP = pressure(s.InspPress);
    t.Sensitivity = std::to_string(s.ISens);

    switch (s.WorkMode) {
        case kCpap:
            t.EPAP = pressure(s.StartPress);
            t.Sensitivity = std::to_string(s.EPR);
            t.EPAPCaption = translate("Press");
            t.SensitivityCaption = translate("EPR");
            t.ShowIPAP = false;
            t.ShowGearUnit = true;
            t.ShowISlopRow = false;
            t.ShowESens = false;
            t.ShowBPMAndInspTime = false;
            break;
        case kS:
        case kST:
        case kT:
            t.EPAPCaption = translate("Exp press");
            t.IPAPCaption = translate("Insp press");
            t.SensitivityCaption = translate("Insp sensitivity");
            t.ShowIPAP = true;
            t.ShowGearUnit = false;
            t.ShowISlopRow = true;
            t.ShowESens = s.WorkMode != kT;
            t.ShowBPMAndInspTime = s.WorkMode != kS;
            break;
        case kAuto:
            t.EPAP = pressure(s.MinPress);
            t.IPAP = pressure(s.MaxPress);
            t.Sensitivity = std::to_string(s.EPR);
            t.EPAPCaption = translate("Min press");
            t.IPAPCaption = translate("Max press");
            t.SensitivityCaption = translate("EPR");
            t.ShowIPAP = true;
            t.ShowGearUnit = true;
            t.ShowISlopRow = false;
            t.ShowESens = false;
            t.ShowBPMAndInspTime = false;
            t.ShowDelayPress = false;
            break;
        default:
            break;
    }
    return t;
}

ReportSettings ComputeReportSettings(const TStartEvent* session, const storage::TDM& dm, const Translator& translate) {
    ReportSettings r;
    auto show = [&r](const char* name, bool visible) { r.Visibility.emplace_back(name, visible); };
    auto caption = [&r, &translate](const char* name, const char* text) { r.Captions.push_back({name, translate(text)}); };

    // Every mode starts from this.
    for (const char* name : {"mmoInspPress", "mmoESens", "mmoBPM", "mmoInspTime"}) show(name, true);
    show("mmoISensUnits", false);
    show("mmoDelayPress", true);
    caption("mmoExpPress1", "Exp press");
    caption("mmoISens1", "Insp sensitivity");

    const int mode = session ? session->WorkMode : kCpap;
    auto islopRow = [&show](bool visible) {
        for (const char* name : {"Memo27", "Memo28", "Memo29"}) show(name, visible);
    };
    switch (mode) {
        case kCpap:
            for (const char* name : {"mmoInspPress", "mmoESens", "mmoBPM", "mmoInspTime"}) show(name, false);
            show("mmoISensUnits", true);
            islopRow(false);
            caption("mmoExpPress1", "Press");
            caption("mmoISens1", "EPR");
            break;
        case kS:
            show("mmoBPM", false);
            show("mmoInspTime", false);
            islopRow(true);
            break;
        case kST:
            islopRow(true);
            break;
        case kT:
            show("mmoESens", false);
            islopRow(true);
            break;
        case kAuto:
            show("mmoDelayPress", false);
            caption("mmoExpPress1", "Min press");
            caption("mmoInspPress1", "Max press");
            caption("mmoISens1", "EPR");
            islopRow(false);
            for (const char* name : {"mmoESens", "mmoBPM", "mmoInspTime"}) show(name, false);
            show("mmoISensUnits", true);
            break;
        default:
            break;
    }
    if (!session) return r;

    const TStartEvent& s = *session;
    std::string exp = pressure(s.ExpPress);
    std::string insp = pressure(s.InspPress);
    std::string sens = std::to_string(s.ISens);
    if (s.WorkMode == kCpap) {
        exp = pressure(s.StartPress);
        sens = std::to_string(s.EPR);
    } else if (s.WorkMode == kAuto) {
        exp = pressure(s.MinPress);
        insp = pressure(s.MaxPress);
        sens = std::to_string(s.EPR);
    }
    r.Values = {
        {"mmoExpPress", exp},
        {"mmoInspPress", insp},
        {"mmoISens", sens},
        {"mmoDelayPress", std::to_string(s.DelayPress)},
        {"mmoAutoOnOff", translate(s.AutoOnOff != 0 ? "ON" : "OFF")},
        {"mmoModel", WorkModeName(s.WorkMode, dm)},
        {"Memo12", FormatGeneral(s.StartPress1 / 10.0)},
        {"Memo27", std::to_string(s.ISlop)},
        {"mmoESens", std::to_string(s.ESens)},
        {"mmoBPM", std::to_string(s.BPM)},
        {"mmoInspTime", FormatFixed(s.InspTime / 100.0, 1)},
    };
    return r;
}

}  // namespace somnexa::analysis
