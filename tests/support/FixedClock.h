// Holds the program's clock (days::Now) at a fixed day and time for one test.
#pragma once

#include "core/base/DayNumber.h"

class TFixedClock {
public:
    explicit TFixedClock(double now) { days::FixClock(now); }
    ~TFixedClock() { days::FixClock(std::nullopt); }
    TFixedClock(const TFixedClock&) = delete;
    TFixedClock& operator=(const TFixedClock&) = delete;
};
