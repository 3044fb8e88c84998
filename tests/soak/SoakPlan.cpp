#include "SoakPlan.h"

namespace {

struct Weighted {
    int weight;
    int value;
};

template <std::size_t N> int pick(std::mt19937_64& random, const std::array<Weighted, N>& table) {
    int total = 0;
    for (const Weighted& entry : table) {
        total += entry.weight;
    }
    int roll = std::uniform_int_distribution<int>(0, total - 1)(random);
    for (const Weighted& entry : table) {
        if (roll < entry.weight) {
            return entry.value;
        }
        roll -= entry.weight;
    }
    return table.back().value;
}

// JPEG sides the stills come in: small enough to keep a long run short,
// different enough that no two sizes share a chunk pattern.
constexpr std::array<std::array<uint32_t, 2>, 6> kJpegSizes{
    {{160, 120}, {320, 240}, {640, 424}, {800, 600}, {1024, 683}, {1600, 1064}}};

} // namespace

const char* faultName(SoakFault fault) {
    switch (fault) {
    case SoakFault::None:
        return "none";
    case SoakFault::ChunkFails:
        return "failing chunk";
    case SoakFault::BrokenRecord:
        return "broken record";
    case SoakFault::AcquireRefused:
        return "acquire refused";
    case SoakFault::AcquireStuck:
        return "acquire never completes";
    case SoakFault::AcquireSilent:
        return "acquire silent";
    case SoakFault::DiskFull:
        return "disk full";
    case SoakFault::NameClash:
        return "name clash planted";
    case SoakFault::NameRace:
        return "name taken at link";
    case SoakFault::LiveView:
        return "live view on/off";
    case SoakFault::Replug:
        return "unplug + plug in";
    }
    return "?";
}

uint32_t SoakPlan::between(uint32_t low, uint32_t high) {
    return std::uniform_int_distribution<uint32_t>(low, high)(m_random);
}

bool SoakPlan::chance(double chance) {
    return std::bernoulli_distribution(chance)(m_random);
}

Capture SoakPlan::pickCapture() {
    static constexpr std::array<Weighted, 6> kCaptures{{{36, int(Capture::Jpeg)},
                                                        {30, int(Capture::Pair)},
                                                        {10, int(Capture::RawOnly)},
                                                        {21, int(Capture::Burst)},
                                                        {2, int(Capture::Movie)},
                                                        {1, int(Capture::CardMovie)}}};
    return static_cast<Capture>(pick(m_random, kCaptures));
}

// Faults of the data apply to stills and movies alike; the acquire's own
// faults only to stills.
SoakFault SoakPlan::pickFault(Capture capture) {
    const bool movie = capture == Capture::Movie || capture == Capture::CardMovie;
    const int still = movie ? 0 : 1;
    const std::array<Weighted, kSoakFaultKinds> faults{
        {{600, int(SoakFault::None)},
         {60, int(SoakFault::ChunkFails)},
         {30 * still, int(SoakFault::BrokenRecord)},
         {40 * still, int(SoakFault::AcquireRefused)},
         {7 * still, int(SoakFault::AcquireStuck)},
         {7 * still, int(SoakFault::AcquireSilent)},
         {50, int(SoakFault::DiskFull)},
         {50, int(SoakFault::NameClash)},
         {30, int(SoakFault::NameRace)},
         {30, int(SoakFault::LiveView)},
         {6, int(SoakFault::Replug)}}};
    return static_cast<SoakFault>(pick(m_random, faults));
}

// The first steps bring each kind of movie once: the memory measured after
// the first shots then already holds what a movie needs once (its read
// buffer), and the end is compared with a program that has seen it all.
Capture SoakPlan::warmUpOr(Capture drawn) const {
    if (m_steps == kFirstMovieStep) {
        return Capture::Movie;
    }
    return m_steps == kFirstCardMovieStep ? Capture::CardMovie : drawn;
}

SoakStep SoakPlan::next() {
    ++m_steps;
    SoakStep step;
    step.capture = warmUpOr(pickCapture());
    step.releases = step.capture == Capture::Burst ? static_cast<int>(between(2, 6)) : 1;
    const auto& size = kJpegSizes[between(0, kJpegSizes.size() - 1)];
    step.jpegWidth = size[0];
    step.jpegHeight = size[1];
    step.rawBytes = between(16u << 10, 3u << 20);
    step.movieBytes = between(1u << 20, 24u << 20);
    step.fault = pickFault(step.capture);
    step.afterChunks = static_cast<int>(between(0, 6));
    step.brokenKind = static_cast<int>(between(0, 2));
    step.hideShortage = chance(0.5);
    step.fraction = static_cast<double>(between(0, 99)) / 100.0;
    return step;
}
