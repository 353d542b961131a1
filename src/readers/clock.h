#pragma once

#include "readers/text_ops.h"

// The local wall clock, read to the second, behind an interface so that the
// schedule and the forecasts can be driven by a clock that a test sets.
namespace yanchuan {

// A local (not UTC) date and time with whole-second resolution.
struct DateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
};

inline int YearOf(const DateTime& dt) { return dt.year; }
inline int MonthOf(const DateTime& dt) { return dt.month; }
inline int DayOf(const DateTime& dt) { return dt.day; }
inline int HourOf(const DateTime& dt) { return dt.hour; }
inline int MinuteOf(const DateTime& dt) { return dt.minute; }
inline int SecondOf(const DateTime& dt) { return dt.second; }

// A time or date field as two decimal digits, with a leading zero where needed.
inline Text TwoDigits(int value) { return RightText(JoinTexts("0", IntToText(value)), 2); }

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime CurrentTime() const = 0;
};

// The machine's local time.
class SystemClock final : public Clock {
public:
    DateTime CurrentTime() const override;
};

// A clock that stands where it was set.
class FixedClock final : public Clock {
public:
    explicit FixedClock(DateTime now = {})
        : m_now(now)
    { }
    DateTime CurrentTime() const override { return m_now; }
    void Set(const DateTime& now) { m_now = now; }

private:
    DateTime m_now;
};

} // namespace yanchuan
