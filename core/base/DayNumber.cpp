#include "core/base/DayNumber.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace days {
namespace {

// Days from 1970/01/01 for a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

TYmd CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// Day 0 of our numbering, 1899/12/30, counted from 1970/01/01.
constexpr int64_t kEpochOffset = -25569;
// Far beyond any date we show; keeps the integer arithmetic safe.
constexpr double kClamp = 1e12;

bool IsDigits(const std::string& text, size_t from, size_t count) {
    for (size_t i = from; i < from + count; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

int Number(const std::string& text, size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

} // namespace

int64_t WholeDay(double day) {
    if (std::isnan(day))
        return 0;
    if (day > kClamp)
        return static_cast<int64_t>(kClamp);
    if (day < -kClamp)
        return static_cast<int64_t>(-kClamp);
    return static_cast<int64_t>(std::trunc(day));
}

double Encode(int year, int month, int day) {
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                               kEpochOffset);
}

TYmd Decode(double day) {
    return CivilFromDays(WholeDay(day) + kEpochOffset);
}

bool IsValidDate(int year, int month, int day) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

int DayOfWeek(double day) {
    // Day 0 was a Saturday.
    int64_t w = (WholeDay(day) + 6) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

std::string WeekdayName(double day) {
    static const char* const kNames[] = {"日", "月", "火", "水", "木", "金", "土"};
    return kNames[DayOfWeek(day)];
}

std::string FormatDate(double day) {
    TYmd d = Decode(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", d.Year, d.Month, d.Day);
    return buf;
}

std::string FormatDateTime(double dayTime) {
    // Round to the nearest second first so 23:59:59.9996 does not print as 24:00:00.
    double whole = static_cast<double>(WholeDay(dayTime));
    double fraction = std::isnan(dayTime) ? 0.0 : std::fabs(dayTime - whole);
    int64_t seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += dayTime < 0 ? -1 : 1;
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s %02d:%02d:%02d", FormatDate(whole).c_str(), static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return buf;
}

std::optional<double> ParseDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '/' || text[7] != '/' || !IsDigits(text, 0, 4) || !IsDigits(text, 5, 2) ||
        !IsDigits(text, 8, 2))
        return std::nullopt;
    int y = Number(text, 0, 4), m = Number(text, 5, 2), d = Number(text, 8, 2);
    if (!IsValidDate(y, m, d))
        return std::nullopt;
    return Encode(y, m, d);
}

std::optional<double> ParseDateTime(const std::string& text) {
    if (text.size() != 19 || text[10] != ' ' || text[13] != ':' || text[16] != ':' || !IsDigits(text, 11, 2) ||
        !IsDigits(text, 14, 2) || !IsDigits(text, 17, 2))
        return std::nullopt;
    std::optional<double> date = ParseDate(text.substr(0, 10));
    int h = Number(text, 11, 2), n = Number(text, 14, 2), s = Number(text, 17, 2);
    if (!date || h > 23 || n > 59 || s > 59)
        return std::nullopt;
    double fraction = (h * 3600 + n * 60 + s) / 86400.0;
    return *date >= 0 ? *date + fraction : *date - fraction;
}

namespace {
std::optional<double>& FixedNow() {
    static std::optional<double> fixed;
    return fixed;
}
} // namespace

void FixClock(std::optional<double> now) {
    FixedNow() = now;
}

double Now() {
    if (FixedNow())
        return *FixedNow();
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return Encode(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
}

} // namespace days
