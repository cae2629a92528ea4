#include "analysis/session_settings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "storage/data_module.h"

namespace somnexa::analysis {
namespace {

// Marks translated texts so the tests see which went through the table.
const Translator kTranslate = [](std::string_view text) { return "<" + std::string(text) + ">"; };

TStartEvent session(int mode) {
    TStartEvent s;
    s.WorkMode = mode;
    s.AutoOnOff = 1;
    s.DelayPress = 15;
    s.ExpPress = 50;
    s.InspPress = 120;
    s.MaxPress = 160;
    s.MinPress = 45;
    s.StartPress = 80;
    s.EPR = 2;
    s.ESens = 3;
    s.ISens = 4;
    s.BPM = 12;
    s.InspTime = 125;
    s.StartPress1 = 45;
    s.ISlop = 6;
    return s;
}

// Final visibility of a memo after the list is applied in order; nullopt when untouched.
std::optional<bool> visible(const ReportSettings& r, const std::string& name) {
    std::optional<bool> v;
    for (const auto& [n, shown] : r.Visibility)
        if (n == name) v = shown;
    return v;
}

std::string caption(const ReportSettings& r, const std::string& name) {
    std::string c;
    for (const NamedText& t : r.Captions)
        if (t.Name == name) c = t.Text;
    return c;
}

TEST(TableSettings, ByWorkMode) {
    const storage::TDM dm;
    struct Case {
        int mode;
        const char* epapCaption;
        const char* epap;
        bool showIpap;
        const char* sensCaption;
        const char* sens;
        bool gear, islop, esens, bpm, delay;
    };
    for (const Case c : {
             Case{0, "<Press>", "8.0", false, "<EPR>", "2", true, false, false, false, true},
             Case{1, "<Exp press>", "5.0", true, "<Insp sensitivity>", "4", false, true, true, false, true},
             Case{2, "<Exp press>", "5.0", true, "<Insp sensitivity>", "4", false, true, true, true, true},
             Case{3, "<Exp press>", "5.0", true, "<Insp sensitivity>", "4", false, true, false, true, true},
             Case{4, "<Min press>", "4.5", true, "<EPR>", "2", true, false, false, false, false},
         }) {
        const TableSettings t = ComputeTableSettings(session(c.mode), dm, kTranslate);
        EXPECT_EQ(t.EPAPCaption, c.epapCaption) << c.mode;
        EXPECT_EQ(t.EPAP, c.epap) << c.mode;
        EXPECT_EQ(t.ShowIPAP, c.showIpap) << c.mode;
        EXPECT_EQ(t.SensitivityCaption, c.sensCaption) << c.mode;
        EXPECT_EQ(t.Sensitivity, c.sens) << c.mode;
        EXPECT_EQ(t.ShowGearUnit, c.gear) << c.mode;
        EXPECT_EQ(t.ShowISlopRow, c.islop) << c.mode;
        EXPECT_EQ(t.ShowESens, c.esens) << c.mode;
        EXPECT_EQ(t.ShowBPMAndInspTime, c.bpm) << c.mode;
        EXPECT_EQ(t.ShowDelayPress, c.delay) << c.mode;
        EXPECT_EQ(t.AutoOnOff, "<ON>");
        EXPECT_EQ(t.StartPress, "4.5");
        EXPECT_EQ(t.InspTime, "1.3");
    }
    const TableSettings autoMode = ComputeTableSettings(session(4), dm, kTranslate);
    EXPECT_EQ(autoMode.IPAPCaption, "<Max press>");
    EXPECT_EQ(autoMode.IPAP, "16.0");
    EXPECT_EQ(autoMode.WorkMode, "AUTO");
}

TEST(TableSettings, UnknownModeShowsSValuesAndChangesOnlyTheDelayRow) {
    storage::MessageCatalogue catalogue;
    catalogue.table.add("Unknown", "?mode");
    const storage::TDM dm(nullptr, &catalogue);
    TStartEvent s = session(7);
    s.AutoOnOff = 0;
    const TableSettings t = ComputeTableSettings(s, dm, kTranslate);
    EXPECT_EQ(t.WorkMode, "?mode");
    EXPECT_EQ(t.AutoOnOff, "<OFF>");
    EXPECT_EQ(t.EPAP, "5.0");
    EXPECT_EQ(t.IPAP, "12.0");
    EXPECT_EQ(t.Sensitivity, "4");
    EXPECT_FALSE(t.EPAPCaption.has_value());
    EXPECT_FALSE(t.ShowIPAP.has_value());
    EXPECT_FALSE(t.ShowESens.has_value());
    EXPECT_TRUE(t.ShowDelayPress);
}

TEST(ReportSettings, AutoHidesTheDelayAndRenamesCaptions) {
    const storage::TDM dm;
    const TStartEvent s = session(4);
    const ReportSettings r = ComputeReportSettings(&s, dm, kTranslate);
    EXPECT_EQ(visible(r, "mmoDelayPress"), false);
    EXPECT_EQ(caption(r, "mmoExpPress1"), "<Min press>");
    EXPECT_EQ(caption(r, "mmoInspPress1"), "<Max press>");
    EXPECT_EQ(caption(r, "mmoISens1"), "<EPR>");
    EXPECT_EQ(visible(r, "mmoISensUnits"), true);
    EXPECT_EQ(visible(r, "Memo27"), false);
    EXPECT_EQ(visible(r, "mmoESens"), false);
    EXPECT_EQ(visible(r, "mmoInspPress"), true);
    EXPECT_EQ(TextOf(r.Values, "mmoExpPress"), "4.5");
    EXPECT_EQ(TextOf(r.Values, "mmoInspPress"), "16.0");
    EXPECT_EQ(TextOf(r.Values, "mmoISens"), "2");
    EXPECT_EQ(TextOf(r.Values, "mmoModel"), "AUTO");
    EXPECT_EQ(TextOf(r.Values, "mmoAutoOnOff"), "<ON>");
    EXPECT_EQ(TextOf(r.Values, "Memo12"), "4.5");
    EXPECT_EQ(TextOf(r.Values, "Memo27"), "6");
    EXPECT_EQ(TextOf(r.Values, "mmoInspTime"), "1.3");
}

TEST(ReportSettings, VisibilityByMode) {
    const storage::TDM dm;
    struct Case { int mode; bool insp, esens, bpm, islop, delay; const char* expCaption; };
    for (const Case c : {Case{0, false, false, false, false, true, "<Press>"},
                         Case{1, true, true, false, true, true, "<Exp press>"},
                         Case{2, true, true, true, true, true, "<Exp press>"},
                         Case{3, true, false, true, true, true, "<Exp press>"}}) {
        const TStartEvent s = session(c.mode);
        const ReportSettings r = ComputeReportSettings(&s, dm, kTranslate);
        EXPECT_EQ(visible(r, "mmoInspPress"), c.insp) << c.mode;
        EXPECT_EQ(visible(r, "mmoESens"), c.esens) << c.mode;
        EXPECT_EQ(visible(r, "mmoBPM"), c.bpm) << c.mode;
        EXPECT_EQ(visible(r, "mmoInspTime"), c.bpm) << c.mode;
        EXPECT_EQ(visible(r, "Memo28"), c.islop) << c.mode;
        EXPECT_EQ(visible(r, "mmoDelayPress"), c.delay) << c.mode;
        EXPECT_EQ(caption(r, "mmoExpPress1"), c.expCaption) << c.mode;
    }
    const TStartEvent cpap = session(0);
    const ReportSettings r = ComputeReportSettings(&cpap, dm, kTranslate);
    EXPECT_EQ(TextOf(r.Values, "mmoExpPress"), "8.0");
    EXPECT_EQ(TextOf(r.Values, "mmoISens"), "2");
}

TEST(ReportSettings, NoSessionKeepsTemplateTextsWithTheCpapVisibility) {
    const storage::TDM dm;
    const ReportSettings r = ComputeReportSettings(nullptr, dm, kTranslate);
    EXPECT_TRUE(r.Values.empty());
    EXPECT_EQ(visible(r, "mmoInspPress"), false);
    EXPECT_EQ(visible(r, "mmoISensUnits"), true);
    EXPECT_EQ(caption(r, "mmoExpPress1"), "<Press>");
}

}  // namespace
}  // namespace somnexa::analysis
