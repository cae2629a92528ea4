#pragma once
// Figures computed on the Patient Info page: the age from the birthday and
// the body-mass index with its class.

#include <cstdint>
#include <optional>
#include <string>

#include "records/date_time.h"

namespace somnexa::patients {

// Whole years between now and birthday: the absolute difference in days
// divided by 365.25, truncated (a birthday in the future gives a positive age).
int AgeFromBirthday(DateTime birthday, DateTime now);

// weight / (height / 100)^2 when both texts read as decimal numbers and the
// height is not zero; nullopt otherwise.
std::optional<double> ComputeBmi(const std::string& weightText, const std::string& heightText);

// The BMI with two decimals ("0.00" when there is none).
std::string BmiText(std::optional<double> bmi);

struct BmiClass {
    const char* text;  // reference text: "Lean", "Normal", "The fat", "Obesity"
    std::uint8_t red, green, blue;
};

BmiClass ClassifyBmi(double bmi);

}  // namespace somnexa::patients
