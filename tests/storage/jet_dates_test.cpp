#include "storage/jet_dates.h"

#include <gtest/gtest.h>

namespace somnexa::storage {
namespace {

double at(const char* text) {
    const auto t = parseJetDate(text);
    EXPECT_TRUE(t.has_value()) << text;
    return t ? t->days() : -1e9;
}

TEST(JetDates, ParsesTheLiteralForms) {
    EXPECT_EQ(at("2019-10-31"), 43769.0);
    EXPECT_EQ(at("2019-10-31 12:00:00"), 43769.5);
    EXPECT_EQ(at("2019/10/31 18:00"), 43769.75);
    EXPECT_EQ(at("10/31/2019"), 43769.0);
    EXPECT_EQ(at("10/31/2019 6:00:00 PM"), 43769.75);
    EXPECT_EQ(at("12:00:00"), 0.5);
    EXPECT_EQ(at(" 1899-12-30 "), 0.0);
    for (const char* bad : {"", "2019-13-01", "2019-02-29", "2019-10-31 24:00:00", "31.10.2019", "2019-10-31x",
                            "abc", "2019-10", "10/31/19"})
        EXPECT_FALSE(parseJetDate(bad).has_value()) << bad;
}

TEST(JetDates, DateAddIsExactToTheMillisecond) {
    const double open = at("2019-10-31 22:15:07");
    // Twelve hours back and forth gives exactly the same double.
    EXPECT_EQ(*dateAdd(Interval::Hour, 12, *dateAdd(Interval::Hour, -12, open)), open);
    EXPECT_EQ(*dateAdd(Interval::Second, 36000, open), at("2019-11-01 08:15:07"));
    EXPECT_EQ(*dateAdd(Interval::Day, -100, open), at("2019-07-23 22:15:07"));
    EXPECT_EQ(*dateAdd(Interval::Hour, 36, at("2019-10-31")), at("2019-11-01 12:00:00"));
    // Months keep the day where they can and clamp it to the month's end.
    EXPECT_EQ(*dateAdd(Interval::Month, 1, at("2019-01-31 10:00:00")), at("2019-02-28 10:00:00"));
    EXPECT_EQ(*dateAdd(Interval::Year, 1, at("2020-02-29")), at("2021-02-28"));
    EXPECT_EQ(*dateAdd(Interval::Quarter, -1, at("2020-05-31")), at("2020-02-29"));
    EXPECT_FALSE(dateAdd(Interval::Year, 9000, open).has_value());
}

TEST(JetDates, DateDiffCountsBoundariesCrossed) {
    EXPECT_EQ(dateDiff(Interval::Second, at("2019-10-31 22:00:00"), at("2019-11-01 12:00:00")), 50400);
    EXPECT_EQ(dateDiff(Interval::Day, at("2019-10-31 23:00:00"), at("2019-11-01 01:00:00")), 1);
    EXPECT_EQ(dateDiff(Interval::Hour, at("2019-10-31 10:59:59"), at("2019-10-31 11:00:00")), 1);
    EXPECT_EQ(dateDiff(Interval::Month, at("2019-10-31"), at("2020-01-01")), 3);
    EXPECT_EQ(dateDiff(Interval::Year, at("2019-12-31"), at("2020-01-01")), 1);
    EXPECT_EQ(dateDiff(Interval::Second, at("2019-11-01 12:00:00"), at("2019-10-31 22:00:00")), -50400);
}

TEST(JetDates, DatePartAndDateValue) {
    const double t = at("2019-10-31 22:15:07");
    EXPECT_EQ(datePart(Interval::Day, t), 31);
    EXPECT_EQ(datePart(Interval::Month, t), 10);
    EXPECT_EQ(datePart(Interval::Year, t), 2019);
    EXPECT_EQ(datePart(Interval::Hour, t), 22);
    EXPECT_EQ(datePart(Interval::Minute, t), 15);
    EXPECT_EQ(datePart(Interval::Second, t), 7);
    EXPECT_EQ(datePart(Interval::Weekday, t), 5);  // a Thursday
    EXPECT_EQ(datePart(Interval::DayOfYear, t), 304);
    EXPECT_EQ(dateValue(t), 43769.0);
    // A moment a hair below midnight by floating noise belongs to the next day.
    EXPECT_EQ(dateValue(43769.99999999999), 43770.0);
    // Before 1899-12-30 the fraction is the time of day after the (negative) day.
    EXPECT_EQ(dateValue(-1.25), -1.0);
}

TEST(JetDates, FormatPatterns) {
    const double t = at("2019-03-04 05:06:07");
    EXPECT_EQ(formatMoment(t, "YYYY-MM-DD"), "2019-03-04");
    EXPECT_EQ(formatMoment(t, "yyyy-mm-dd hh:nn:ss"), "2019-03-04 05:06:07");
    EXPECT_EQ(formatMoment(t, "YYYYMMDDHHNNSS"), "20190304050607");
    EXPECT_EQ(formatMoment(t, "hh:mm"), "05:06");  // "mm" after an hour is minutes
    EXPECT_EQ(formatMoment(t, "d/m/yy"), "4/3/19");
    EXPECT_EQ(formatMoment(t, "MMM YYYY"), "Mar 2019");
    EXPECT_EQ(formatMoment(t, "\"Day\" d"), "Day 4");
    EXPECT_TRUE(isDatePattern("YYYY-MM-DD"));
    EXPECT_FALSE(isDatePattern("0.00"));
    EXPECT_EQ(formatNumber(3.14159, "0.00"), "3.14");
    EXPECT_EQ(formatNumber(1234567.5, "#,##0.0"), "1,234,567.5");
    EXPECT_EQ(formatNumber(-2.5, "0"), "-3");
    EXPECT_EQ(formatNumber(0.125, "0.00"), "0.13");
}

TEST(JetDates, ShortestNumberTextReadsBack) {
    EXPECT_EQ(shortestNumberText(43769.5), "43769.5");
    EXPECT_EQ(shortestNumberText(12), "12");
    EXPECT_EQ(shortestNumberText(-0.0), "0");
    const double v = at("2019-10-31 22:15:07");
    EXPECT_EQ(std::stod(shortestNumberText(v)), v);
}

}  // namespace
}  // namespace somnexa::storage
