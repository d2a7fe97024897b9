#include "core/standings/StandingsText.h"

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"

#include <cstdio>

namespace {

// total / count in units of 1/scale, rounded half away from zero.
int64_t RoundedQuotient(int64_t total, int64_t count, int64_t scale) {
    const int64_t twice = total * scale * 2 / count; // truncated
    return (twice + (twice >= 0 ? 1 : -1)) / 2;
}

// A fixed-point value with `digits` decimals; `bareZero` drops the leading "0"
// ("#.000" style) while "0.00" style keeps it.
std::string FixedPoint(int64_t units, int digits, bool bareZero) {
    int64_t scale = 1;
    for (int i = 0; i < digits; ++i)
        scale *= 10;
    const int64_t magnitude = units < 0 ? -units : units;
    const int64_t whole = magnitude / scale;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%s.%0*lld", units < 0 ? "-" : "",
                  whole == 0 && bareZero ? "" : std::to_string(whole).c_str(), digits,
                  static_cast<long long>(magnitude % scale));
    return buf;
}

} // namespace

std::string FormatRate(int64_t millionths) {
    return FixedPoint(RoundedQuotient(millionths, 1000, 1), 3, true);
}

std::string FormatRatio(int64_t wins, int64_t decided) {
    return decided == 0 ? ".000" : FixedPoint(RoundedQuotient(wins, decided, 1000), 3, true);
}

std::string FormatTenths(int64_t tenths) {
    return FixedPoint(tenths, 1, false);
}

std::string FormatAverage(int64_t total, int64_t count) {
    return count == 0 ? "0.00" : FixedPoint(RoundedQuotient(total, count, 100), 2, false);
}

std::string MagicText(int magic) {
    if (magic == 0)
        return sjis::S("優勝");
    std::string text = "M"; // built in two steps: GCC 12 misreads "M" + std::string as overlapping copies
    text += std::to_string(magic);
    return text;
}

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
    return sjis::S(std::to_string(d.Month) + "月" + std::to_string(d.Day) + "日(" +
                   days::WeekdayName(keys.LastResultDay) + ") 現在");
}
