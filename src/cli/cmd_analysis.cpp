// somnexa-tool stats --patient-db FILE (--days D1,D2,... | --from D --to D) [--master FILE]
//   brings the per-day cache up to date, computes the selection's figures and
//   prints them as JSON
// somnexa-tool pieces --patient-db FILE
//   the therapy-day pieces of every session, newest first, one per line

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/column_cache.h"
#include "analysis/patient_data.h"
#include "analysis/period_figures.h"
#include "analysis/therapy_day.h"
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "storage/catalogue_presenter.h"
#include "storage/data_module.h"
#include "storage/shared_routines.h"

namespace somnexa::cli {
namespace {

namespace fs = std::filesystem;
using analysis::NamedText;

// Boxes go to stderr, one line each.
class StderrPresenter : public storage::CataloguePresenter {
public:
    std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override { return std::nullopt; }

protected:
    bool showBox(storage::BoxKind, const std::string& caption, const std::string& text, const std::string&,
                 const std::string&) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return false;
    }
};

int fail(const char* command, const std::string& message) {
    std::fprintf(stderr, "somnexa-tool %s: %s\n", command, message.c_str());
    return 1;
}

std::string programFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

// Opens the master database and the patient database; false with a message on failure.
bool openDatabases(storage::TDM& dm, const std::string& master, const std::string& patient, const char* command) {
    std::error_code ec;
    if (!fs::is_regular_file(patient, ec)) {
        fail(command, "patient database not found: " + patient);
        return false;
    }
    if (!fs::is_regular_file(master, ec)) {
        fail(command, "master database not found: " + master + " (give --master FILE)");
        return false;
    }
    dm.MasterDBPath = master;
    if (!dm.ConnectDatabase(storage::kMasterConnection)) return false;
    dm.OpenPatientDatabase(patient);
    return dm.conn1.isOpen();
}

std::optional<DateTime> parseDay(const std::string& text) {
    if (text.size() != 10) return std::nullopt;
    const auto d = DateTime::parse(text);
    if (!d) return std::nullopt;
    return d->datePart();
}

void writeDay(JsonWriter& json, const DateTime& date, const analysis::TAnalysis& day) {
    json.beginObject();
    json.field("date", date.format(DateTimeForm::DateText));
    json.key("events").beginObject();
    for (const analysis::TIndexList& e : day.IndexList) json.field(std::to_string(e.DataType), e.Count);
    json.endObject();
    json.key("channels").beginObject();
    for (const analysis::TParaMeterList& p : day.ParaMeterList) {
        json.key(std::to_string(p.Code)).beginObject();
        for (int kind = 0; kind < 4; ++kind) json.field(std::to_string(kind), p.Values[static_cast<std::size_t>(kind)]);
        json.endObject();
    }
    json.endObject();
    json.endObject();
}

}  // namespace

int cmdStats(const Words& words) {
    Args args(words, {});
    const std::string patient = args.required("patient-db");
    const auto daysText = args.value("days");
    const auto from = args.value("from");
    const auto to = args.value("to");
    const std::string master = args.value("master").value_or(programFolder() + "/DBQorvel.mdb");
    const bool range = from.has_value() || to.has_value();
    if (!args.ok() || !args.positional().empty() || range == daysText.has_value() ||
        (range && !(from && to))) {
        std::fprintf(stderr,
                     "usage: somnexa-tool stats --patient-db FILE (--days D1,D2,... | --from D --to D) "
                     "[--master FILE]\n");
        return 2;
    }

    analysis::TPatientData data;
    if (daysText) {
        std::vector<std::string> parts;
        storage::SplitText(*daysText, ",", parts);
        for (const std::string& p : parts) {
            const auto d = parseDay(p);
            if (!d) return fail("stats", "not a day \"YYYY-MM-DD\": " + p);
            data.Dates.push_back(*d);
        }
    } else if (!parseDay(*from) || !parseDay(*to)) {
        return fail("stats", "--from and --to take days as \"YYYY-MM-DD\"");
    }

    StderrPresenter presenter;
    storage::TDM dm(&presenter);
    if (!openDatabases(dm, master, patient, "stats")) return 1;
    analysis::RefreshColumnCache(dm);

    if (range) {
        storage::Query q;
        if (dm.ExecSQL(q, analysis::DayPieceQueryRange(*from, *to), storage::kPatientConnection, true) > 0)
            for (q.First(); !q.Eof(); q.Next()) data.Dates.push_back(q.FieldByName("dates").AsDateTime().datePart());
        if (data.Dates.empty()) return fail("stats", "The current user data!");
    }

    const std::string patientID = fs::path(patient).stem().string();
    analysis::ComputePatientData(dm, patientID, data);
    const analysis::PeriodFigures figures = analysis::ComputePeriodFigures(
        data, range ? analysis::FigureRules::Period : analysis::FigureRules::ByDayCount);

    JsonWriter json;
    json.beginObject();
    json.key("dates").beginArray();
    for (const DateTime& d : data.Dates) json.value(d.format(DateTimeForm::DateText));
    json.endArray();
    json.field("sessions", static_cast<int>(data.Sessions.size()));
    json.field("use_seconds", data.UseSeconds);
    for (const NamedText& t : analysis::ReportFigureTexts(figures)) json.field(t.Name.substr(3), t.Text);
    json.key("days").beginArray();
    for (std::size_t i = 0; i < data.Analysis.size(); ++i) writeDay(json, data.Dates[i], data.Analysis[i]);
    json.endArray();
    json.endObject();
    std::printf("%s\n", json.text().c_str());
    return 0;
}

int cmdPieces(const Words& words) {
    Args args(words, {});
    const std::string patient = args.required("patient-db");
    if (!args.ok() || !args.positional().empty()) {
        std::fprintf(stderr, "usage: somnexa-tool pieces --patient-db FILE\n");
        return 2;
    }
    std::error_code ec;
    if (!fs::is_regular_file(patient, ec)) return fail("pieces", "patient database not found: " + patient);
    StderrPresenter presenter;
    storage::TDM dm(&presenter);
    dm.PatientDBPath = patient;
    if (!dm.ConnectDatabase(storage::kPatientConnection)) return 1;
    storage::Query q;
    if (dm.ExecSQL(q, analysis::DayPieceQueryAllDays(), storage::kPatientConnection, true) < 0) return 1;
    for (q.First(); !q.Eof(); q.Next()) {
        const auto at = [&q](const char* name) { return q.FieldByName(name).AsDateTime(); };
        std::printf("%s\t%s\t%s\t%lld\t%lld\n", at("dates").format(DateTimeForm::DateText).c_str(),
                    at("opentime").format(DateTimeForm::DateTimeText).c_str(),
                    at("endtime").format(DateTimeForm::DateTimeText).c_str(),
                    static_cast<long long>(q.FieldByName("WorkPress").AsInteger()),
                    static_cast<long long>(q.FieldByName("times").AsInteger()));
    }
    return 0;
}

}  // namespace somnexa::cli
