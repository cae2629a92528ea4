#include "demo_patients.h"

#include "patient_figures.h"
#include "patient_files.h"
#include "patient_index.h"
#include "patient_registry.h"
#include "storage/data_module.h"
#include "storage/recording_presenter.h"

namespace somnexa::patients {

namespace {

struct Demo {
    const char* name;
    bool male;
    int year, month, day;
    const char* height;
    const char* weight;
    const char* phone;
    const char* address;
    const char* clinic;
};

const Demo kDemos[] = {
    {"Zhang Wei", true, 1961, 4, 12, "172", "86", "138 0013 4521", "12 Garden Road, Hangzhou", "Obstructive sleep apnoea, moderate"},
    {"Maria Keller", false, 1975, 9, 3, "165", "58", "+49 30 5550 1234", "Lindenstrasse 8, Berlin", "Snoring, daytime sleepiness"},
    {"Li Na", false, 1983, 1, 27, "160", "71", "139 2211 8890", "88 Lake Street, Wuhan", "CPAP since 2011"},
    {"James O'Neill", true, 1958, 11, 30, "181", "104", "+44 20 7946 0321", "4 Harbour Lane, Cork", "Obesity hypoventilation"},
    {"Chen Jie", true, 1990, 6, 15, "178", "68", "137 6543 2109", "5 Station Road, Suzhou", ""},
};

}  // namespace

std::vector<std::string> AddDemoPatients(const std::string& programDir, int language) {
    storage::RecordingPresenter quiet;
    storage::TDM dm(&quiet);
    std::string dir = programDir;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    dm.MasterDBPath = dir + "DBQorvel.mdb";
    std::vector<std::string> ids;
    if (!dm.ConnectDatabase(storage::kMasterConnection)) return ids;
    // A clock a minute further at every reading, so the openings have an order.
    const double start = dm.now();
    int minutes = 0;
    dm.setClock([start, &minutes] { return start + (minutes++) / 1440.0; });
    PatientRegistry registry(dm, quiet, dir);
    for (const Demo& d : kDemos) {
        PatientRecord r;
        r.patientID = dm.NewPatientID();
        r.name = d.name;
        r.gender = language == 1 ? (d.male ? "男" : "女") : (d.male ? "Male" : "Female");
        r.birthday = DateTime::fromCalendar(d.year, d.month, d.day).value_or(DateTime());
        r.age = std::to_string(AgeFromBirthday(r.birthday, DateTime(dm.now())));
        r.height = d.height;
        r.weight = d.weight;
        r.bmi = BmiText(ComputeBmi(d.weight, d.height));
        r.phone = d.phone;
        r.address = d.address;
        r.clinic = d.clinic;
        if (registry.Save(SaveMode::New, r, DefaultSavePath(dir, r.name), "")) ids.push_back(r.patientID);
    }
    // Opened one after another: the first made ends up the most recent.
    PatientIndex index(dm, quiet, dir);
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        for (const PatientEntry& entry : index.SearchEntries(*it)) {
            Selection selection;
            index.Open(entry, selection);
        }
    }
    return ids;
}

}  // namespace somnexa::patients
