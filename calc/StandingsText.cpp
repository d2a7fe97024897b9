#include "StandingsText.h"

#include "../model/DayNumber.h"
#include "../model/SjisText.h"

#include <cstdio>
#include <cstdlib>

std::string FormatRate(int64_t millionths) {
    const bool negative = millionths < 0;
    const int64_t thousandths = (std::llabs(millionths) + 500) / 1000;
    char buf[40];
    if (thousandths / 1000 == 0)
        std::snprintf(buf, sizeof buf, "%s.%03lld", negative && thousandths ? "-" : "",
                      static_cast<long long>(thousandths));
    else
        std::snprintf(buf, sizeof buf, "%s%lld.%03lld", negative ? "-" : "", static_cast<long long>(thousandths / 1000),
                      static_cast<long long>(thousandths % 1000));
    return buf;
}

std::string FormatRatio(int64_t wins, int64_t decided) {
    if (decided == 0)
        return ".000";
    // Round the exact quotient to thousandths, as the rate is shown.
    const int64_t scaled = wins * 2000 / decided; // twice the thousandths, truncated
    const int64_t thousandths = (scaled + (scaled >= 0 ? 1 : -1)) / 2;
    return FormatRate(thousandths * 1000);
}

std::string FormatTenths(int64_t tenths) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s%lld.%lld", tenths < 0 ? "-" : "", static_cast<long long>(std::llabs(tenths) / 10),
                  static_cast<long long>(std::llabs(tenths) % 10));
    return buf;
}

std::string FormatAverage(int64_t total, int64_t count) {
    if (count == 0)
        return "0.00";
    const int64_t scaled = total * 200 / count; // twice the hundredths, truncated
    const int64_t hundredths = (scaled + (scaled >= 0 ? 1 : -1)) / 2;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s%lld.%02lld", hundredths < 0 ? "-" : "",
                  static_cast<long long>(std::llabs(hundredths) / 100),
                  static_cast<long long>(std::llabs(hundredths) % 100));
    return buf;
}

std::string MagicText(int magic) { return magic == 0 ? sjis::S("優勝") : "M" + std::to_string(magic); }

std::string BehindText(const TTmRec& team, int row, int magic, bool byWins) {
    if (magic >= 0)
        return MagicText(magic);
    if (row == 0 || team.BehindPrev < 0)
        return sjis::S("－");
    return byWins ? std::to_string(team.BehindTop / 10) : FormatTenths(team.BehindTop);
}

std::string StandingsStateText(bool allPlayed, const TKeyDates& keys) {
    if (allPlayed)
        return sjis::S("全日程終了");
    if (days::WholeDay(keys.LastResultDay) == 0)
        return sjis::S("開始前");
    const days::TYmd d = days::Decode(keys.LastResultDay);
    return sjis::S(std::to_string(d.Month) + "月" + std::to_string(d.Day) + "日(" + days::WeekdayName(keys.LastResultDay) +
                   ") 現在");
}
