#include "records/qv_func.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "records/fixed_text.h"

namespace somnexa {
namespace {

TEST(DeviceTime, TwoDigitAndFullYearsGiveTheSameMoment) {
    TDeviceTime log{19, 10, 31, 23, 59, 59, 0};
    TDeviceTime realtime{2019, 10, 31, 23, 59, 59, 0};
    ASSERT_TRUE(DeviceTimeToDateTime(log));
    EXPECT_EQ(DeviceTimeToDateTime(log), DeviceTimeToDateTime(realtime));
    EXPECT_EQ(DeviceTimeToDateTime(log)->format(DateTimeForm::DateTimeText), "2019-10-31 23:59:59");
    EXPECT_EQ(FormatDeviceTime(DateTimeForm::FileStamp, log), "20191031235959");
}

TEST(DeviceTime, InvalidRecordsFail) {
    EXPECT_FALSE(DeviceTimeToDateTime(TDeviceTime{}));
    EXPECT_FALSE(DeviceTimeToDateTime(TDeviceTime{19, 2, 30, 0, 0, 0, 0}));
    EXPECT_FALSE(DeviceTimeToDateTime(TDeviceTime{19, 1, 1, 24, 0, 0, 0}));
    EXPECT_FALSE(FormatDeviceTime(DateTimeForm::FileStamp, TDeviceTime{}));
}

TEST(LittleEndian, ValuesOfUpToFourBytes) {
    const std::uint8_t erased[] = {0xFF, 0xFF, 0xFF, 0xFF};
    const std::uint8_t counting[] = {0x01, 0x02, 0x03, 0x04};
    const std::uint8_t two[] = {0x34, 0x12};
    EXPECT_EQ(LittleEndianValue(erased), -1);
    EXPECT_EQ(LittleEndianValue(counting), 0x04030201);
    EXPECT_EQ(LittleEndianValue(two), 0x1234);
    EXPECT_EQ(LittleEndianValue({}), 0);
}

TEST(GuidName, ShapeAndUniqueness) {
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::string g = NewGuidName();
        ASSERT_EQ(g.size(), 36u);
        ASSERT_TRUE(IsGuidName(g)) << g;
        ASSERT_EQ(g[14], '4');
        seen.insert(g);
    }
    EXPECT_EQ(seen.size(), 1000u);
    EXPECT_FALSE(IsGuidName("{" + NewGuidName() + "}"));
    EXPECT_FALSE(IsGuidName("20191031221503.hidr"));
    EXPECT_FALSE(IsGuidName("ZZZZZZZZ-0000-0000-0000-000000000000"));
}

TEST(SortIntegers, SortsTheRangeOnly) {
    std::vector<std::int32_t> a = {9, 5, 7, 1, 3, 8, 2};
    SortIntegers(a, 1, 4);
    EXPECT_EQ(a, (std::vector<std::int32_t>{9, 1, 3, 5, 7, 8, 2}));
    std::vector<std::int32_t> b = {3, 2, 1};
    SortIntegers(b, 2, 1);  // empty range
    EXPECT_EQ(b, (std::vector<std::int32_t>{3, 2, 1}));
}

TEST(SortIntegers, MatchesStdSortOnRandomAndSortedInput) {
    std::mt19937 rng(7);
    for (int n : {0, 1, 2, 3, 17, 1000, 100000}) {
        std::vector<std::int32_t> a(static_cast<std::size_t>(n));
        for (auto& v : a) v = static_cast<std::int32_t>(rng() % 50);
        auto expected = a;
        std::sort(expected.begin(), expected.end());
        SortIntegers(a, 0, n - 1);
        ASSERT_EQ(a, expected) << n;
        SortIntegers(a, 0, n - 1);  // already sorted input
        ASSERT_EQ(a, expected) << n;
    }
}

TEST(FormatDuration, HoursAreNotLimited) {
    EXPECT_EQ(FormatDuration(25 * 3600 + 61), "25:01:01");
    EXPECT_EQ(FormatDuration(0), "00:00:00");
    EXPECT_EQ(FormatDuration(59), "00:00:59");
    EXPECT_EQ(FormatDuration(100 * 3600), "100:00:00");
}

TEST(FixedText, CutsAtACharacterBoundary) {
    char field[8];
    setFixedText(field, "abc");
    EXPECT_EQ(fixedText(field), "abc");
    EXPECT_EQ(field[3], 0);
    setFixedText(field, "abcdefgh");  // full width: no terminator
    EXPECT_EQ(fixedText(field), "abcdefgh");
    setFixedText(field, "abcdefghij");
    EXPECT_EQ(fixedText(field), "abcdefgh");
    // "李明明" is three 3-byte characters: 8 bytes hold only two of them.
    setFixedText(field, "\xE6\x9D\x8E\xE6\x98\x8E\xE6\x98\x8E");
    EXPECT_EQ(fixedText(field), "\xE6\x9D\x8E\xE6\x98\x8E");
    EXPECT_EQ(field[6], 0);
    EXPECT_EQ(field[7], 0);
}

}  // namespace
}  // namespace somnexa
