#pragma once
// The fixed-width patient block: read from tPatients when a download starts,
// copied into every data file and kept in the analysis record.

#include <cstddef>
#include <cstdint>

namespace somnexa {

struct TPatientInfo {
    char PatientID[20] = {};
    char PatientName[20] = {};
    char E_Mail[64] = {};
    char Phone[20] = {};
    char Address[64] = {};
    char DeviceName[20] = {};
    char Doctor[64] = {};
    char Gender[4] = {};
    std::uint8_t Age = 0;
    std::uint8_t Padding[3] = {};
    double Birthday = 0.0;  // date-time
    char Height[8] = {};
    char Weight[8] = {};
    char BMI[8] = {};
    char Allergic[512] = {};
    char Clinic[512] = {};
    char Readme[512] = {};
};
static_assert(sizeof(TPatientInfo) == 1848);
static_assert(offsetof(TPatientInfo, PatientID) == 0);
static_assert(offsetof(TPatientInfo, PatientName) == 20);
static_assert(offsetof(TPatientInfo, E_Mail) == 40);
static_assert(offsetof(TPatientInfo, Phone) == 104);
static_assert(offsetof(TPatientInfo, Address) == 124);
static_assert(offsetof(TPatientInfo, DeviceName) == 188);
static_assert(offsetof(TPatientInfo, Doctor) == 208);
static_assert(offsetof(TPatientInfo, Gender) == 272);
static_assert(offsetof(TPatientInfo, Age) == 276);
static_assert(offsetof(TPatientInfo, Birthday) == 280);
static_assert(offsetof(TPatientInfo, Height) == 288);
static_assert(offsetof(TPatientInfo, Weight) == 296);
static_assert(offsetof(TPatientInfo, BMI) == 304);
static_assert(offsetof(TPatientInfo, Allergic) == 312);
static_assert(offsetof(TPatientInfo, Clinic) == 824);
static_assert(offsetof(TPatientInfo, Readme) == 1336);

// The patient block as it sits in a data file: the patient info, then zeros.
struct PatientBlock {
    TPatientInfo Info;
    std::uint8_t Reserved[2248] = {};
};
static_assert(sizeof(PatientBlock) == 4096);
static_assert(offsetof(PatientBlock, Reserved) == 1848);

}  // namespace somnexa
