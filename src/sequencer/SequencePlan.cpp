#include "sequencer/SequencePlan.h"

#include <algorithm>

namespace sequence {

namespace {

constexpr milliseconds kDay{24LL * 60 * 60 * 1000};

} // namespace

milliseconds slotTime(const Schedule& schedule, int slot) {
    return schedule.startDelay + schedule.interval * static_cast<int64_t>(slot);
}

SlotChoice chooseSlot(const Schedule& schedule, int firstFreeSlot, int shotsTaken,
                      milliseconds readyAt) {
    SlotChoice choice;
    if (schedule.frames > 0 && shotsTaken >= schedule.frames) {
        choice.done = true;
        return choice;
    }
    int slot = std::max(firstFreeSlot, 0);
    if (schedule.interval > milliseconds::zero() && readyAt >= slotTime(schedule, slot + 1)) {
        // The slot whose window holds `readyAt`: every one before it is gone.
        const int64_t current = (readyAt - schedule.startDelay) / schedule.interval;
        choice.skipped = static_cast<int>(current) - slot;
        slot = static_cast<int>(current);
    }
    choice.slot = slot;
    choice.at = std::max(slotTime(schedule, slot), readyAt);
    choice.done = schedule.stopAfter && choice.at > *schedule.stopAfter;
    return choice;
}

milliseconds untilTimeOfDay(const QTime& now, const QTime& at) {
    const int64_t difference = now.msecsTo(at);
    return milliseconds(difference >= 0 ? difference : difference + kDay.count());
}

milliseconds stopAfterStart(const QTime& now, milliseconds startDelay, const QTime& stop) {
    const QTime firstShot = now.addMSecs(static_cast<int>(startDelay.count() % kDay.count()));
    milliseconds after = untilTimeOfDay(firstShot, stop);
    if (after == milliseconds::zero()) {
        after = kDay;
    }
    return startDelay + after;
}

} // namespace sequence
