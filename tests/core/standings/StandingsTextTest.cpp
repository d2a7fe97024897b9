#include "core/standings/StandingsText.h"
#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"

#include <gtest/gtest.h>

namespace {
std::string U(const std::string& s) {
    return sjis::ToUtf8(s);
}
} // namespace

TEST(StandingsText, NumberFormats) {
    EXPECT_EQ(FormatRate(500000), ".500");
    EXPECT_EQ(FormatRate(1000000), "1.000");
    EXPECT_EQ(FormatRate(0), ".000");
    EXPECT_EQ(FormatRate(666666), ".667");
    EXPECT_EQ(FormatRate(999600), "1.000");
    EXPECT_EQ(FormatRatio(2, 3), ".667");
    EXPECT_EQ(FormatRatio(1, 16), ".063");
    EXPECT_EQ(FormatRatio(5, 0), ".000");
    EXPECT_EQ(FormatRatio(4, 4), "1.000");
    EXPECT_EQ(FormatTenths(15), "1.5");
    EXPECT_EQ(FormatTenths(0), "0.0");
    EXPECT_EQ(FormatTenths(-35), "-3.5");
    EXPECT_EQ(FormatTenths(-5), "-0.5");
    EXPECT_EQ(FormatAverage(10, 3), "3.33");
    EXPECT_EQ(FormatAverage(2, 3), "0.67");
    EXPECT_EQ(FormatAverage(7, 0), "0.00");
    EXPECT_EQ(U(MagicText(0)), "優勝");
    EXPECT_EQ(MagicText(5), "M5");
}

TEST(StandingsText, BehindColumn) {
    TTmRec r;
    r.BehindTop = 15;
    r.BehindPrev = 5;
    EXPECT_EQ(BehindText(r, 2, -1, false), "1.5");
    EXPECT_EQ(BehindText(r, 2, -1, true), "1");
    EXPECT_EQ(U(BehindText(r, 0, -1, false)), "－");
    EXPECT_EQ(BehindText(r, 2, 7, false), "M7"); // a magic number wins over the distance
    EXPECT_EQ(U(BehindText(r, 0, 0, true)), "優勝");
    // A row level with the one above still shows its distance to the top,
    // none at all when it shares first place.
    r.BehindPrev = 0;
    EXPECT_EQ(BehindText(r, 2, -1, false), "1.5");
    r.BehindTop = 0;
    EXPECT_EQ(BehindText(r, 1, -1, false), "0.0");
    EXPECT_EQ(BehindText(r, 1, -1, true), "0");
    r.BehindPrev = -10;
    EXPECT_EQ(U(BehindText(r, 3, -1, false)), "－");
}

TEST(StandingsText, StateLine) {
    TKeyDates k;
    EXPECT_EQ(U(StandingsStateText(false, k)), "開始前");
    EXPECT_EQ(U(StandingsStateText(true, k)), "全日程終了");
    k.LastResultDay = days::Encode(2003, 4, 5) + 0.7;
    EXPECT_EQ(U(StandingsStateText(false, k)), "4月5日(土) 現在");
}
