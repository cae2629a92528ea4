#pragma once
// A patient as the Patient Info page edits it, and the short form the
// patient index and the viewing history carry.

#include <string>

#include "records/date_time.h"

namespace somnexa::patients {

struct PatientRecord {
    std::string patientID;
    std::string name;
    std::string gender;    // the item text shown ("Male", or its translation)
    DateTime birthday;
    std::string age;       // the age label's text
    std::string height;
    std::string weight;
    std::string bmi;
    std::string phone;
    std::string address;
    std::string email;
    std::string photo;     // the photo file stored in the patient folder, or empty
    std::string allergic;
    std::string clinic;    // "Medical"
    std::string readme;
    std::string patientPath;  // the patient folder (master index)
};

// One row of the patient index as the list and the history show it.
struct PatientEntry {
    std::string patientID;
    std::string name;
    std::string gender;
    std::string age;
    std::string path;
};

// "%s, %s, %s, %s" of identifier, name, gender and age.
std::string PatientCaption(const std::string& id, const std::string& name, const std::string& gender,
                           const std::string& age);
inline std::string PatientCaption(const PatientEntry& e) { return PatientCaption(e.patientID, e.name, e.gender, e.age); }

// The patient that is now the selected one.
struct Selection {
    std::string patientID;
    std::string caption;
};

}  // namespace somnexa::patients
