// The schedule against a clock the test moves: slots kept on the grid over
// a thousand late shots, skipped slots, the frame count, the stop time, and
// times of day turned into delays.
#include "sequencer/SequencePlan.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using sequence::chooseSlot;
using sequence::Schedule;
using sequence::SlotChoice;

TEST(SequencePlan, AThousandLateShotsStayOnTheGridOfTheStart) {
    const Schedule schedule{1000, 5000ms, 2000ms, std::nullopt};
    int nextSlot = 0;
    std::chrono::milliseconds ready = 0ms;
    SlotChoice last;
    for (int taken = 0; taken < 1000; ++taken) {
        last = chooseSlot(schedule, nextSlot, taken, ready);
        ASSERT_FALSE(last.done) << taken;
        ASSERT_EQ(last.slot, taken);
        ASSERT_EQ(last.skipped, 0);
        // Every shot was released 40 ms after its slot and its files took
        // a further 1.2 s: the next slot is still computed from the start.
        ready = last.at + 40ms + 1200ms;
        nextSlot = last.slot + 1;
    }
    EXPECT_EQ(last.slot, 999);
    EXPECT_EQ(last.at, 2000ms + 999 * 5000ms);
    EXPECT_TRUE(chooseSlot(schedule, nextSlot, 1000, ready).done);
}

TEST(SequencePlan, ALateShotSkipsTheSlotsWhoseWindowHasPassed) {
    const Schedule schedule{0, 10s, 0ms, std::nullopt};
    // Ready inside slot 1's window: shot at once, nothing skipped.
    SlotChoice c = chooseSlot(schedule, 1, 1, 14s);
    EXPECT_EQ(c.slot, 1);
    EXPECT_EQ(c.skipped, 0);
    EXPECT_EQ(c.at, 14s);
    // Ready at 31 s: slot 2's window (20-30 s) is gone, slot 3 runs now.
    c = chooseSlot(schedule, 2, 2, 31s);
    EXPECT_EQ(c.slot, 3);
    EXPECT_EQ(c.skipped, 1);
    EXPECT_EQ(c.at, 31s);
    // Exactly at the next slot's time the earlier window has just closed.
    c = chooseSlot(schedule, 4, 3, 50s);
    EXPECT_EQ(c.slot, 5);
    EXPECT_EQ(c.skipped, 1);
    EXPECT_EQ(c.at, 50s);
    // Early: wait for the slot.
    c = chooseSlot(schedule, 6, 4, 52s);
    EXPECT_EQ(c.slot, 6);
    EXPECT_EQ(c.at, 60s);
    EXPECT_FALSE(c.done) << "unlimited";
}

TEST(SequencePlan, FramesCountShotsAndAnIntervalOfZeroShootsWhenReady) {
    const Schedule schedule{3, 0ms, 1500ms, std::nullopt};
    EXPECT_EQ(chooseSlot(schedule, 0, 0, 0ms).at, 1500ms);
    const SlotChoice second = chooseSlot(schedule, 1, 1, 4700ms);
    EXPECT_EQ(second.slot, 1);
    EXPECT_EQ(second.skipped, 0) << "no window to miss";
    EXPECT_EQ(second.at, 4700ms);
    EXPECT_FALSE(chooseSlot(schedule, 2, 2, 9s).done);
    EXPECT_TRUE(chooseSlot(schedule, 3, 3, 9s).done);

    // A skipped slot is no shot: three pictures still come.
    const Schedule spaced{3, 1s, 0ms, std::nullopt};
    const SlotChoice late = chooseSlot(spaced, 1, 1, 5500ms);
    EXPECT_EQ(late.slot, 5);
    EXPECT_EQ(late.skipped, 4);
    EXPECT_FALSE(chooseSlot(spaced, 6, 2, 6s).done);
}

TEST(SequencePlan, NothingIsReleasedAfterTheStopTime) {
    const Schedule schedule{0, 60s, 0ms, 180s};
    EXPECT_EQ(chooseSlot(schedule, 3, 3, 170s).at, 180s) << "a slot at the stop time still runs";
    EXPECT_TRUE(chooseSlot(schedule, 4, 4, 181s).done);
    // A shot that would only be ready after the stop is not taken either.
    EXPECT_TRUE(chooseSlot(schedule, 3, 3, 181s).done);
    EXPECT_FALSE(chooseSlot(schedule, 2, 2, 150s).done);
}

TEST(SequencePlan, TimesOfDayBecomeDelaysFromNow) {
    const QTime now(14, 30, 0);
    EXPECT_EQ(sequence::untilTimeOfDay(now, QTime(14, 45, 30)), 15min + 30s);
    EXPECT_EQ(sequence::untilTimeOfDay(now, now), 0ms) << "now is now, not tomorrow";
    EXPECT_EQ(sequence::untilTimeOfDay(now, QTime(14, 29, 59)), 24h - 1s) << "past: tomorrow";
    EXPECT_EQ(sequence::untilTimeOfDay(QTime(23, 59, 0), QTime(0, 1, 0)), 2min);

    // Start at 22:00 (in 7.5 h); a stop at 02:00 is the next day's, 4 h later.
    const auto startDelay = sequence::untilTimeOfDay(now, QTime(22, 0));
    EXPECT_EQ(sequence::stopAfterStart(now, startDelay, QTime(2, 0)), startDelay + 4h);
    // A stop later the same day than the start.
    EXPECT_EQ(sequence::stopAfterStart(now, 10min, QTime(15, 0)), 30min);
    // A stop at the first shot's own time would leave nothing: the next day.
    EXPECT_EQ(sequence::stopAfterStart(now, 10min, QTime(14, 40)), 10min + 24h);
    // A stop before the start time that is still ahead of now: the next day too.
    EXPECT_EQ(sequence::stopAfterStart(now, 2h, QTime(15, 0)), 2h + 24h - 1h - 30min);
}
