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
