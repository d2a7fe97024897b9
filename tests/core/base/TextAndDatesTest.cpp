#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"

#include <gtest/gtest.h>

TEST(SjisText, ConvertsBothWaysAndCountsBytes) {
    const std::string sjis = sjis::S("巨　　人");
    EXPECT_EQ(sjis.size(), 8u); // four double-byte characters
    EXPECT_EQ(sjis, "\x8b\x90\x81\x40\x81\x40\x90\x6c");
    EXPECT_EQ(sjis::ToUtf8(sjis), "巨　　人");
    EXPECT_EQ(sjis::S("ABC"), "ABC");
    EXPECT_EQ(sjis::ToUtf8(sjis::S("ﾃｽﾄ")), "ﾃｽﾄ"); // half-width katakana are single bytes
    EXPECT_EQ(sjis::S("ﾃｽﾄ").size(), 3u);
}

TEST(SjisText, BadInputIsReplacedNotDropped) {
    // A lone lead byte at the end, and an invalid trail byte in the middle.
    EXPECT_EQ(sjis::ToUtf8("A\x82"), "A\xEF\xBF\xBD");
    EXPECT_EQ(sjis::ToUtf8(std::string("\x82\x00Z", 3)).back(), 'Z');
    // Characters CP932 lacks become a single "?" each.
    EXPECT_EQ(sjis::FromUtf8("a😀b"), "a?b");
    EXPECT_EQ(sjis::FromUtf8("x\xC3"), "x?");
}

TEST(DayNumber, EncodesAndDecodesTheCalendar) {
    EXPECT_EQ(days::Encode(1899, 12, 30), 0.0);
    EXPECT_EQ(days::Encode(2003, 4, 1), 37712.0);
    EXPECT_EQ(days::Encode(9999, 12, 31), days::UndecidedDate);
    const days::TYmd d = days::Decode(37712.75);
    EXPECT_EQ(d.Year, 2003);
    EXPECT_EQ(d.Month, 4);
    EXPECT_EQ(d.Day, 1);
    EXPECT_EQ(days::Decode(days::Encode(2024, 2, 29)).Day, 29);
    EXPECT_EQ(days::Decode(-1).Day, 29); // 1899/12/29
}

TEST(DayNumber, LeapYearsOfTheGregorianCalendar) {
    struct TYear {
        int Year;
        bool Leap;
    };
    // Every fourth year, but not the hundredth unless it is the four hundredth.
    for (const TYear y : {TYear{1900, false},
                          {1996, true},
                          {2000, true},
                          {2003, false},
                          {2004, true},
                          {2100, false},
                          {2400, true},
                          {9999, false}}) {
        EXPECT_EQ(days::IsValidDate(y.Year, 2, 29), y.Leap) << y.Year;
        EXPECT_EQ(days::Encode(y.Year, 3, 1) - days::Encode(y.Year, 2, 28), y.Leap ? 2.0 : 1.0) << y.Year;
        const days::TYmd after = days::Decode(days::Encode(y.Year, 2, 28) + 1);
        EXPECT_EQ(after.Month * 100 + after.Day, y.Leap ? 229 : 301) << y.Year;
        const std::string text = std::to_string(y.Year) + "/02/29";
        EXPECT_EQ(days::ParseDate(text).has_value(), y.Leap) << text;
    }
    EXPECT_EQ(days::Encode(2001, 1, 1) - days::Encode(2000, 1, 1), 366.0);
    EXPECT_EQ(days::Encode(1901, 1, 1) - days::Encode(1900, 1, 1), 365.0);
}

// Day by day through eight centuries: each date is the day after the last,
// reads back to its number, and the weekdays turn in sevens.
TEST(DayNumber, EveryDayFollowsTheOneBefore) {
    const int first = static_cast<int>(days::Encode(1600, 1, 1));
    const int last = static_cast<int>(days::Encode(2400, 12, 31));
    EXPECT_EQ(first, -109571);
    EXPECT_EQ(days::Encode(1, 1, 1), -693593.0);
    days::TYmd before = days::Decode(first - 1);
    ASSERT_TRUE(before.Year == 1599 && before.Month == 12 && before.Day == 31);
    for (int n = first; n <= last; ++n) {
        const days::TYmd d = days::Decode(n);
        const bool nextDay = d.Year == before.Year && d.Month == before.Month && d.Day == before.Day + 1;
        const bool nextMonth = d.Year == before.Year && d.Month == before.Month + 1 && d.Day == 1 &&
                               !days::IsValidDate(before.Year, before.Month, before.Day + 1);
        const bool nextYear =
            d.Year == before.Year + 1 && d.Month == 1 && d.Day == 1 && before.Month == 12 && before.Day == 31;
        ASSERT_TRUE(nextDay || nextMonth || nextYear) << n;
        ASSERT_EQ(days::Encode(d.Year, d.Month, d.Day), n);
        ASSERT_EQ(days::DayOfWeek(n), (days::DayOfWeek(n - 1) + 1) % 7) << n;
        before = d;
    }
}

// Dates out of their month carry over; years far beyond the usual calendar
// follow the 400-year cycle and read back.
TEST(DayNumber, CarriesOverAndReachesFarYears) {
    EXPECT_EQ(days::Encode(2003, 2, 29), days::Encode(2003, 3, 1));
    EXPECT_EQ(days::Encode(2003, 13, 1), days::Encode(2004, 1, 1));
    EXPECT_EQ(days::Encode(2003, 0, 31), days::Encode(2002, 12, 31));
    EXPECT_EQ(days::Encode(2003, 3, 0), days::Encode(2003, 2, 28));
    EXPECT_EQ(days::Encode(2003, 1, -30), days::Encode(2002, 12, 1));
    EXPECT_EQ(days::Encode(2003, 25, 1), days::Encode(2005, 1, 1));
    for (int year : {-1000000, -40000, -32768, 32767, 32768, 40000, 1000000}) {
        EXPECT_EQ(days::Encode(year + 400, 3, 1) - days::Encode(year, 3, 1), 146097.0) << year;
        const days::TYmd d = days::Decode(days::Encode(year, 2, 28) + 1);
        EXPECT_EQ(d.Year, year);
        EXPECT_EQ(d.Month * 100 + d.Day, year % 400 == 0 || (year % 4 == 0 && year % 100 != 0) ? 229 : 301) << year;
    }
    EXPECT_EQ(days::FormatDate(days::Encode(40000, 12, 31)), "40000/12/31");
}

TEST(DayNumber, WholeDayTruncatesAndSurvivesGarbage) {
    EXPECT_EQ(days::WholeDay(37712.99), 37712);
    EXPECT_EQ(days::WholeDay(-1.5), -1);
    EXPECT_EQ(days::WholeDay(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_GT(days::WholeDay(std::numeric_limits<double>::infinity()), 2958465);
    EXPECT_LT(days::WholeDay(-1e300), 0);
    EXPECT_TRUE(days::SameDay(37712.375, 37712.75));
}

TEST(DayNumber, WeekdaysAreJapaneseWhateverTheLocale) {
    EXPECT_EQ(days::DayOfWeek(0), 6); // 1899/12/30 was a Saturday
    EXPECT_EQ(days::WeekdayName(days::Encode(2003, 4, 5)), "土");
    EXPECT_EQ(days::WeekdayName(days::Encode(2026, 12, 8)), "火");
    EXPECT_EQ(days::WeekdayName(-1), "金");
}

TEST(DayNumber, FormatsAndParsesStrictly) {
    EXPECT_EQ(days::FormatDate(days::Encode(2003, 4, 5)), "2003/04/05");
    EXPECT_EQ(days::FormatDateTime(days::Encode(2003, 4, 5) + 0.5 + 1.0 / 86400), "2003/04/05 12:00:01");
    EXPECT_EQ(days::FormatDateTime(days::Encode(2003, 4, 5) + 0.99999999), "2003/04/06 00:00:00");
    EXPECT_EQ(days::ParseDate("2003/04/05"), days::Encode(2003, 4, 5));
    EXPECT_FALSE(days::ParseDate("2003/02/29"));
    EXPECT_FALSE(days::ParseDate("2003/4/5"));
    EXPECT_FALSE(days::ParseDate("2003-04-05"));
    EXPECT_FALSE(days::ParseDate("2003/04/05 "));
    auto t = days::ParseDateTime("2003/04/05 18:30:00");
    ASSERT_TRUE(t);
    EXPECT_DOUBLE_EQ(*t, days::Encode(2003, 4, 5) + 0.770833333333333);
    EXPECT_FALSE(days::ParseDateTime("2003/04/05 24:00:00"));
    EXPECT_EQ(days::FormatDateTime(*t), "2003/04/05 18:30:00");
}
