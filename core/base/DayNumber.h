// Day numbers: days counted from 1899/12/30 (day 0) as a double, the fraction
// being the time of day. Days are always compared by their whole part.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace days {

// The whole-day part, truncated toward zero. Values read from outside may be
// anything, so NaN gives 0 and huge values are clamped instead of overflowing.
int64_t WholeDay(double day);

inline bool SameDay(double a, double b) {
    return WholeDay(a) == WholeDay(b);
}

struct TYmd {
    int Year = 0;
    int Month = 0;
    int Day = 0;
};

// Gregorian calendar date to day number. The date is not validated.
double Encode(int year, int month, int day);
// Day number (whole part) to Gregorian date.
TYmd Decode(double day);
// True for an existing date between 0001/01/01 and 9999/12/31.
bool IsValidDate(int year, int month, int day);

// 0 = Sunday … 6 = Saturday.
int DayOfWeek(double day);
// Short Japanese weekday name in UTF-8 ("日" … "土"), whatever the machine's locale.
std::string WeekdayName(double day);

// "yyyy/mm/dd" and "yyyy/mm/dd hh:nn:ss".
std::string FormatDate(double day);
std::string FormatDateTime(double dayTime);
// Strict readers of the same forms; none for anything else, including dates
// that do not exist.
std::optional<double> ParseDate(const std::string& text);
std::optional<double> ParseDateTime(const std::string& text);

// The current local date and time as a day number.
double Now();
// Makes Now() answer `now` until it is called with none (the tests' clock:
// no test depends on the wall clock or on passing midnight).
void FixClock(std::optional<double> now);

// 9999/12/31: the day of games whose date is not fixed yet.
inline constexpr double UndecidedDate = 2958465.0;

} // namespace days
