// Brackets with concrete numbers: the frame order, compensation indices on
// the simulator's -5..+5 EV range of 31 steps, the ends, shutter texts, and
// the nearest shutter speed on the simulator's own list.
#include "sequencer/Bracketing.h"

#include <gtest/gtest.h>

using bracketing::Frame;

namespace {

const orv::RangeRecord kCompRange{0.0, 0.0, 15, 15, -5.0, 5.0, 31};

const std::vector<std::string> kShutterSpeeds = {
    "Bulb", "30\"", "15\"", "8\"",   "4\"",   "2\"",   "1\"",    "1/2",    "1/4",    "1/8",
    "1/15", "1/30", "1/60", "1/125", "1/250", "1/500", "1/1000", "1/2000", "1/4000", "1/8000"};

uint32_t indexOf(const std::string& text) {
    const auto it = std::find(kShutterSpeeds.begin(), kShutterSpeeds.end(), text);
    return static_cast<uint32_t>(it - kShutterSpeeds.begin());
}

std::vector<uint32_t> indices(const std::vector<Frame>& frames) {
    std::vector<uint32_t> out;
    for (const Frame& f : frames) {
        out.push_back(f.index);
    }
    return out;
}

std::vector<std::string> texts(const std::vector<Frame>& frames) {
    std::vector<std::string> out;
    for (const Frame& f : frames) {
        out.push_back(kShutterSpeeds[f.index]);
    }
    return out;
}

} // namespace

TEST(Bracketing, OffsetsStartAtTheBaseAndAlternateDarkerFirst) {
    EXPECT_EQ(bracketing::offsetOrder(3), (std::vector<int>{0, -1, 1}));
    EXPECT_EQ(bracketing::offsetOrder(5), (std::vector<int>{0, -1, 1, -2, 2}));
    EXPECT_EQ(bracketing::offsetOrder(4), (std::vector<int>{0, -1, 1, -2}));
    EXPECT_EQ(bracketing::offsetOrder(1), (std::vector<int>{0}));
    EXPECT_TRUE(bracketing::offsetOrder(0).empty());

    std::vector<std::string> steps;
    for (double step : bracketing::stepChoices()) {
        steps.push_back(bracketing::stepText(step));
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"1/3", "1/2", "2/3", "1", "2", "3"}));
}

TEST(Bracketing, CompensationMovesThreeIndicesPerEvAndStopsAtTheEnds) {
    EXPECT_DOUBLE_EQ(bracketing::stepsPerEv(kCompRange), 3.0);
    EXPECT_EQ(indices(bracketing::compensationBracket(kCompRange, 15, 3, 1.0)),
              (std::vector<uint32_t>{15, 12, 18}));
    EXPECT_EQ(indices(bracketing::compensationBracket(kCompRange, 15, 5, 1.0 / 3)),
              (std::vector<uint32_t>{15, 14, 16, 13, 17}));
    EXPECT_EQ(indices(bracketing::compensationBracket(kCompRange, 15, 3, 2.0 / 3)),
              (std::vector<uint32_t>{15, 13, 17}));
    // Half an EV is 1.5 indices: rounded away from the base on both sides.
    EXPECT_EQ(indices(bracketing::compensationBracket(kCompRange, 15, 3, 0.5)),
              (std::vector<uint32_t>{15, 13, 17}));

    // From +4 EV, 2 EV steps: +6 is beyond the end, kept at +5 (index 30).
    const std::vector<Frame> high = bracketing::compensationBracket(kCompRange, 27, 5, 2.0);
    EXPECT_EQ(indices(high), (std::vector<uint32_t>{27, 21, 30, 15, 30}));
    EXPECT_FALSE(high[1].clamped);
    EXPECT_TRUE(high[2].clamped);
    EXPECT_FALSE(high[2].repeat) << "the first frame at the end is still a new exposure";
    EXPECT_TRUE(high[4].clamped);
    EXPECT_TRUE(high[4].repeat) << "the second would repeat it";
    const Frame low = bracketing::compensationFrame(kCompRange, 1, -1, 3.0);
    EXPECT_EQ(low.index, 0u);
    EXPECT_TRUE(low.clamped);
}

TEST(Bracketing, ShutterTextsAreSecondsOrNoTime) {
    const std::pair<const char*, double> times[] = {
        {"30\"", 30.0}, {"1\"5", 1.5},          {"1.5\"", 1.5},  {"0\"3", 0.3},
        {"1/8", 0.125}, {"1/8000", 1.0 / 8000}, {"2.5/10", 0.25}};
    for (const auto& [text, seconds] : times) {
        ASSERT_TRUE(bracketing::shutterSeconds(text).has_value()) << text;
        EXPECT_DOUBLE_EQ(*bracketing::shutterSeconds(text), seconds) << text;
    }
    for (const char* text : {"Bulb", "", "\"", "1/", "/8", "1/0", "0\"", "x\"", "1\"5\"", "1//8",
                             "1/8s", "-1/8", "Time"}) {
        EXPECT_FALSE(bracketing::shutterSeconds(text).has_value()) << text;
    }
}

TEST(Bracketing, ManualWalksTheSimulatorsShutterList) {
    const std::vector<Frame> one =
        bracketing::shutterBracket(kShutterSpeeds, indexOf("1/125"), 3, 1.0);
    EXPECT_EQ(texts(one), (std::vector<std::string>{"1/125", "1/250", "1/60"}));
    EXPECT_EQ(texts(bracketing::shutterBracket(kShutterSpeeds, indexOf("1/2"), 5, 2.0)),
              (std::vector<std::string>{"1/2", "1/8", "2\"", "1/30", "8\""}));
    // The list has whole stops only: a third of an EV finds the base again.
    const std::vector<Frame> thirds =
        bracketing::shutterBracket(kShutterSpeeds, indexOf("1/125"), 3, 1.0 / 3);
    EXPECT_EQ(texts(thirds), (std::vector<std::string>{"1/125", "1/125", "1/125"}));
    EXPECT_TRUE(thirds[1].repeat);
    EXPECT_FALSE(thirds[1].clamped);

    // Beyond 1/8000 and 30": kept at the ends, "Bulb" never chosen.
    const std::vector<Frame> fast =
        bracketing::shutterBracket(kShutterSpeeds, indexOf("1/4000"), 3, 2.0);
    EXPECT_EQ(texts(fast), (std::vector<std::string>{"1/4000", "1/8000", "1/1000"}));
    EXPECT_TRUE(fast[1].clamped);
    const std::vector<Frame> slow =
        bracketing::shutterBracket(kShutterSpeeds, indexOf("15\""), 3, 3.0);
    EXPECT_EQ(texts(slow), (std::vector<std::string>{"15\"", "2\"", "30\""}));
    EXPECT_TRUE(slow[2].clamped);
    EXPECT_FALSE(slow[1].clamped);

    EXPECT_TRUE(bracketing::shutterBracket(kShutterSpeeds, indexOf("Bulb"), 3, 1.0).empty());
    EXPECT_TRUE(bracketing::shutterBracket(kShutterSpeeds, 99, 3, 1.0).empty());
}
