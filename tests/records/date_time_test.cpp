#include "records/date_time.h"

#include <gtest/gtest.h>

namespace somnexa {
namespace {

TEST(DateTime, EpochAndKnownDays) {
    EXPECT_EQ(DateTime::fromCalendar(1899, 12, 30)->days(), 0.0);
    EXPECT_EQ(DateTime::fromCalendar(1900, 1, 1)->days(), 2.0);
    EXPECT_EQ(DateTime::fromCalendar(2019, 10, 31)->days(), 43769.0);
    EXPECT_EQ(DateTime::fromCalendar(2000, 2, 29)->days(), 36585.0);
    EXPECT_DOUBLE_EQ(DateTime::fromCalendar(2019, 10, 31, 12)->days(), 43769.5);
}

TEST(DateTime, CalendarRoundTripsEverySecondOfADay) {
    const int fields[][6] = {{2019, 10, 31, 23, 59, 59}, {2020, 2, 29, 0, 0, 1}, {1999, 12, 31, 12, 0, 0},
                             {2038, 1, 19, 3, 14, 7},    {2100, 3, 1, 6, 30, 30}, {1899, 12, 29, 6, 0, 0}};
    for (const auto& f : fields) {
        const auto t = DateTime::fromCalendar(f[0], f[1], f[2], f[3], f[4], f[5]);
        ASSERT_TRUE(t);
        const CalendarTime c = t->calendar();
        EXPECT_EQ(c.year, f[0]);
        EXPECT_EQ(c.month, f[1]);
        EXPECT_EQ(c.day, f[2]);
        EXPECT_EQ(c.hour, f[3]);
        EXPECT_EQ(c.minute, f[4]);
        EXPECT_EQ(c.second, f[5]);
    }
    // Every second of one day survives the trip through the double.
    for (int s = 0; s < 86400; ++s) {
        const auto t = DateTime::fromCalendar(2024, 6, 15, s / 3600, (s / 60) % 60, s % 60);
        const CalendarTime c = t->calendar();
        ASSERT_EQ(c.hour * 3600 + c.minute * 60 + c.second, s);
        ASSERT_EQ(c.millisecond, 0);
    }
}

TEST(DateTime, NegativeValuesKeepTheTimeAsAPositiveFraction) {
    const auto t = DateTime::fromCalendar(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(t->days(), -1.25);
}

TEST(DateTime, RejectsInvalidFields) {
    EXPECT_FALSE(DateTime::fromCalendar(2019, 2, 29));
    EXPECT_FALSE(DateTime::fromCalendar(2019, 13, 1));
    EXPECT_FALSE(DateTime::fromCalendar(2019, 0, 1));
    EXPECT_FALSE(DateTime::fromCalendar(0, 1, 1));
    EXPECT_FALSE(DateTime::fromCalendar(2019, 1, 1, 24));
    EXPECT_FALSE(DateTime::fromCalendar(2019, 1, 1, 0, 60));
    EXPECT_FALSE(DateTime::fromCalendar(2019, 1, 1, 0, 0, 60));
}

TEST(DateTime, FixedTextForms) {
    const auto t = *DateTime::fromCalendar(2019, 10, 31, 22, 15, 3);
    EXPECT_EQ(t.format(DateTimeForm::DateTimeText), "2019-10-31 22:15:03");
    EXPECT_EQ(t.format(DateTimeForm::DateText), "2019-10-31");
    EXPECT_EQ(t.format(DateTimeForm::FileStamp), "20191031221503");
    EXPECT_EQ(DateTime::parse("2019-10-31 22:15:03"), t);
    EXPECT_EQ(DateTime::parse("20191031221503"), t);
    EXPECT_EQ(DateTime::parse("2019-10-31"), t.datePart());
    EXPECT_FALSE(DateTime::parse("2019-10-32"));
    EXPECT_FALSE(DateTime::parse("2019/10/31"));
    EXPECT_FALSE(DateTime::parse("2019-10-31 22:15"));
    EXPECT_FALSE(DateTime::parse(""));
}

TEST(DateTime, RoundingNearMidnightMovesToTheNextDay) {
    const DateTime almost(43769.0 + 0.9999999999);
    EXPECT_EQ(almost.format(DateTimeForm::DateTimeText), "2019-11-01 00:00:00");
}

TEST(DateTime, MillisecondArithmeticIsExact) {
    const auto start = *DateTime::fromCalendar(2019, 10, 31, 23, 59, 59);
    const DateTime later = start.addMilliseconds(1040);
    const CalendarTime c = later.calendar();
    EXPECT_EQ(c.day, 1);
    EXPECT_EQ(c.month, 11);
    EXPECT_EQ(c.second, 0);
    EXPECT_EQ(c.millisecond, 40);
    EXPECT_EQ(toMilliseconds(later) - toMilliseconds(start), 1040);
    EXPECT_EQ(fromMilliseconds(toMilliseconds(start)), start);
}

}  // namespace
}  // namespace somnexa
