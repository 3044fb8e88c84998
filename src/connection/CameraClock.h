#pragma once
// Setting the camera clock from the computer clock, and the clock texts of
// the Info page. The camera takes whole seconds, so the write waits for the
// next whole second and goes out a little before it, as it takes a moment
// to arrive.
#include "camera/CameraTypes.h"

#include <QDateTime>
#include <QString>

// How an adjustment is made at a moment of the computer clock.
struct ClockAdjustPlan {
    int sleep_ms = 0; // how long to wait before writing
    QDateTime target; // the whole second written
};

// The clock is written this long before the whole second it names.
inline constexpr int kClockWriteLead_ms = 25;

// At `now`: wait = 1000 - the milliseconds of `now` (1 to 1000); target is
// `now` + wait; the sleep is wait - 25 when wait is above 25, else 0.
ClockAdjustPlan PlanClockAdjust(const QDateTime& now);

// The date-time record of `target` (months from 1, no sub-second).
orv::DateTimeRecord ClockRecordOf(const QDateTime& target);

// The computer's time as the system locale writes it: its short date, a
// blank and its long time (without the time zone the long form may carry).
QString ComputerClockText(const QDateTime& time);
