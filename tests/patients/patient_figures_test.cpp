#include "patients/patient_figures.h"

#include <gtest/gtest.h>

namespace somnexa::patients {
namespace {

DateTime day(int y, int m, int d) { return *DateTime::fromCalendar(y, m, d); }

TEST(PatientFigures, AgeIsWholeYearsOf365Point25Days) {
    const DateTime now = *DateTime::fromCalendar(2012, 9, 6, 10, 30);
    EXPECT_EQ(AgeFromBirthday(day(1990, 1, 1), now), 22);
    EXPECT_EQ(AgeFromBirthday(day(2011, 9, 7), now), 0);
    // 365 days is not yet a year of 365.25 days.
    EXPECT_EQ(AgeFromBirthday(day(2011, 9, 7), day(2012, 9, 6)), 0);
    EXPECT_EQ(AgeFromBirthday(day(2011, 9, 6), day(2012, 9, 6)), 1);
    // A birthday in the future gives a positive age; three calendar years
    // (1095 days) are still short of three years of 365.25 days.
    EXPECT_EQ(AgeFromBirthday(day(2015, 9, 6), now), 2);
    EXPECT_EQ(AgeFromBirthday(day(2016, 9, 6), now), 4);
}

struct BmiCase {
    const char* weight;
    const char* height;
    const char* text;
    const char* classText;
};

class Bmi : public testing::TestWithParam<BmiCase> {};

TEST_P(Bmi, ValueAndClass) {
    const auto& c = GetParam();
    const auto bmi = ComputeBmi(c.weight, c.height);
    EXPECT_EQ(BmiText(bmi), c.text);
    if (c.classText) {
        ASSERT_TRUE(bmi);
        EXPECT_STREQ(ClassifyBmi(*bmi).text, c.classText);
    } else {
        EXPECT_FALSE(bmi);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Bmi,
                         testing::Values(BmiCase{"50", "180", "15.43", "Lean"}, BmiCase{"70", "175", "22.86", "Normal"},
                                         BmiCase{"85", "175", "27.76", "The fat"},
                                         BmiCase{"100", "175", "32.65", "Obesity"},
                                         BmiCase{" 72.5 ", "170.0", "25.09", "The fat"},
                                         BmiCase{"70", "0", "0.00", nullptr}, BmiCase{"70", "", "0.00", nullptr},
                                         BmiCase{"seventy", "175", "0.00", nullptr},
                                         BmiCase{"70", "1.75m", "0.00", nullptr},
                                         BmiCase{"70", "1e-200", "0.00", nullptr}));

TEST(PatientFigures, ClassBoundariesAndColours) {
    EXPECT_STREQ(ClassifyBmi(18.4999).text, "Lean");
    EXPECT_STREQ(ClassifyBmi(18.5).text, "Normal");
    EXPECT_STREQ(ClassifyBmi(25.0).text, "The fat");
    EXPECT_STREQ(ClassifyBmi(30.0).text, "Obesity");
    const BmiClass lean = ClassifyBmi(10);
    EXPECT_EQ(lean.red, 166);
    EXPECT_EQ(lean.green, 202);
    EXPECT_EQ(lean.blue, 240);
    const BmiClass fat = ClassifyBmi(27);
    EXPECT_EQ(fat.red, 128);
    EXPECT_EQ(fat.green, 128);
    EXPECT_EQ(fat.blue, 0);
}

}  // namespace
}  // namespace somnexa::patients
