#pragma once
// The shooting schedule as a pure function of the clock. Shot slot k is due
// at startDelay + k * interval after the sequence start, always computed
// from the start, so that a long time-lapse does not drift however late
// each single shot was. A slot whose window (until the next slot) passed
// entirely while the previous shot's files were coming is skipped rather
// than caught up: the grid is kept and no burst of shots follows.
#include <QTime>

#include <chrono>
#include <optional>

namespace sequence {

using std::chrono::milliseconds;

struct Schedule {
    int frames = 1; // shots to take; 0: until stopped
    milliseconds interval{0};
    milliseconds startDelay{0};
    std::optional<milliseconds> stopAfter; // from the start: nothing is released later
};

// What to do when the program is ready for its next shot.
struct SlotChoice {
    bool done = false;  // no further shot: the frames are taken or the stop time passed
    int slot = 0;       // the slot to shoot
    int skipped = 0;    // slots passed over just before it (their windows are gone)
    milliseconds at{0}; // release time from the start; never before `readyAt`
};

// Time after the start at which `slot` is due.
milliseconds slotTime(const Schedule& schedule, int slot);

// The next shot for a program that is ready at `readyAt` after the start,
// has taken `shotsTaken` shots and may use slots from `firstFreeSlot` on
// (the one after the last shot or skipped slot). A slot skipped does not
// count as a shot: the sequence ends after `frames` pictures. With an
// interval of 0 every slot is due at the start delay and none is skipped.
SlotChoice chooseSlot(const Schedule& schedule, int firstFreeSlot, int shotsTaken,
                      milliseconds readyAt);

// Time from `now` to the next time the clock reads `at` (0 when it reads it
// now): a time of day already past today means tomorrow's.
milliseconds untilTimeOfDay(const QTime& now, const QTime& at);

// The stop time of day `stop` as a length from the sequence start, `now`,
// whose first shot comes after `startDelay`: the first time the clock
// reads `stop` after that first shot. A stop at or before the first shot's
// time of day means the next day's, so a sequence is never empty by its
// stop time alone.
milliseconds stopAfterStart(const QTime& now, milliseconds startDelay, const QTime& stop);

} // namespace sequence
