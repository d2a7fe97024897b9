#include "core/base/DayNumber.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace days {
namespace {

namespace chrono = std::chrono;

// The calendar types hold the years -32767 to 32767. The Gregorian calendar
// repeats every 400 years, 146097 days, so dates beyond that are moved into
// range by whole cycles and moved back afterwards.
constexpr int64_t kCycleYears = 400;
constexpr int64_t kCycleDays = 146097;

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - (a % b < 0 ? 1 : 0);
}

// Days from 1970/01/01 (the calendar types' epoch) for a proleptic Gregorian
// date. Months beyond 1 … 12 and days beyond the month carry over into the
// next (or previous) ones.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    const int64_t months = year * 12 + (month - 1);
    const int64_t y = FloorDiv(months, 12);
    const int64_t cycles = FloorDiv(y, kCycleYears);
    const chrono::year_month_day first{chrono::year(static_cast<int>(y - cycles * kCycleYears)),
                                       chrono::month(static_cast<unsigned>(months - y * 12 + 1)), chrono::day(1)};
    return chrono::sys_days(first).time_since_epoch().count() + (day - 1) + cycles * kCycleDays;
}

TYmd CivilFromDays(int64_t count) {
    const int64_t cycles = FloorDiv(count, kCycleDays);
    const chrono::year_month_day date{chrono::sys_days(chrono::days(count - cycles * kCycleDays))};
    return {static_cast<int>(static_cast<int>(date.year()) + cycles * kCycleYears),
            static_cast<int>(static_cast<unsigned>(date.month())), static_cast<int>(static_cast<unsigned>(date.day()))};
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
    return static_cast<double>(DaysFromCivil(year, month, day) - kEpochOffset);
}

TYmd Decode(double day) {
    return CivilFromDays(WholeDay(day) + kEpochOffset);
}

bool IsValidDate(int year, int month, int day) {
    // The calendar types keep a month and a day in one byte each: range first.
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    return chrono::year_month_day(chrono::year(year), chrono::month(static_cast<unsigned>(month)),
                                  chrono::day(static_cast<unsigned>(day)))
        .ok();
}

int DayOfWeek(double day) {
    const chrono::weekday weekday{chrono::sys_days(chrono::days(WholeDay(day) + kEpochOffset))};
    return static_cast<int>(weekday.c_encoding());
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
