#pragma once
// The soak's figures and the verdict on them, printed at the end.
#include "SoakLedger.h"
#include "SoakPlan.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

struct SoakFigures {
    uint64_t seed = 0;
    std::string folder;
    int shots = 0;
    std::array<int, kSoakFaultKinds> faults{};
    int planted = 0;
    int liveViewFrames = 0;
    SoakSightings sightings;
    SoakTally tally;
    uint64_t rssAfterFirst = 0; // after the first 100 shots
    uint64_t rssAtEnd = 0;
    std::chrono::steady_clock::duration longestStall{};
    std::chrono::steady_clock::duration runTime{};
    std::string failure; // the shoot stopped early
};

// The limits the figures must keep.
constexpr double kRssGrowthLimit = 0.10;
constexpr std::chrono::seconds kStallLimit{10};

// Why the soak failed, one reason a line; empty when every check passed.
std::vector<std::string> soakVerdict(const SoakFigures& figures);
void printSoakReport(std::FILE* out, const SoakFigures& figures);
