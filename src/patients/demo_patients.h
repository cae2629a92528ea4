#pragma once
// A few made-up patients for pictures and trials: their folders, databases,
// index rows and a viewing history, in a program folder.

#include <string>
#include <vector>

namespace somnexa::patients {

// Creates the demo patients in programDir (which holds DBQorvel.mdb and
// Patient.mdb); language 1 stores the sex in Chinese, as that window shows
// it. Returns the identifiers made, first the most recently viewed.
std::vector<std::string> AddDemoPatients(const std::string& programDir, int language);

}  // namespace somnexa::patients
