#include "charts/float_format.h"

#include <gtest/gtest.h>

#include <cmath>

namespace somnexa {
namespace {

struct Case {
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatFloat, PatternsOfChartDefinitions) {
    const Case cases[] = {
        {12.34, "0.0", "12.3"},
        {12.35, "0.0", "12.4"},      // halves away from zero
        {-12.35, "0.0", "-12.4"},
        {0.25, "0.0", "0.3"},        // as the decimal text reads, not the binary value
        {1.005, "0.00", "1.01"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {60, "0", "60"},
        {0, "0.0", "0.0"},
        {-0.04, "0.0", "0.0"},       // no "-0.0"
        {7, "000", "007"},
        {1.5, "#.##", "1.5"},
        {0.5, "#.##", ".5"},
        {1.2, "0.##", "1.2"},
        {1.0, "0.##", "1"},
        {1.0, "0.0#", "1.0"},
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {999.96, "0.0", "1000.0"},
        {0.05, "0.0", "0.1"},
        {0.012, "0.000", "0.012"},
        {12.3, "0.0 cmH2O", "12.3 cmH2O"},
        {12.3, "", "12.3"},
        {40, "", "40"},
        {0, "#", "0"},
        {1e20, "0", "100000000000000000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatFloat(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
}

TEST(FormatFloat, NonFiniteValuesReadZero) {
    EXPECT_EQ(formatFloat(std::nan(""), "0.0"), "0");
    EXPECT_EQ(formatFloat(INFINITY, "0.0"), "0");
}

}  // namespace
}  // namespace somnexa
