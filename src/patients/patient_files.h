#pragma once
// The files of a patient: the folder name made from the typed name, the
// default save path, the next free folder (Li, Li1, Li2 ...) and the path of
// the patient's own database inside its folder.

#include <string>

namespace somnexa::patients {

// A folder name that stays one plain path component: letters of every
// script, digits, blanks, "-" and "_" are kept, every other character
// (separators, dots, control and reserved characters) becomes "_". Blanks
// at either end are dropped; an empty result becomes "_".
std::string SafeFolderName(const std::string& name);

// programDir (with a trailing "/") + "Patients/" + the safe form of name.
std::string DefaultSavePath(const std::string& programDir, const std::string& name);

// savePath when nothing of that name exists, else savePath followed by the
// smallest number 1, 2, ... that names nothing yet.
std::string NextFreeFolder(const std::string& savePath);

// folder + "/" + id + ".mdb".
std::string PatientDatabaseFile(const std::string& folder, const std::string& patientID);

// The file name of a path without its folder ("" for an empty path).
std::string FileNameOf(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace somnexa::patients
