#pragma once
// What the soak does next, drawn from one seeded generator so that a seed
// repeats a run: the capture (a still, a JPEG + raw pair, raw alone, a
// burst, a movie), its sizes, and at times a fault to go with it.
#include <array>
#include <cstdint>
#include <random>
#include <string>

enum class Capture { Jpeg, RawOnly, Pair, Burst, Movie, CardMovie };

enum class SoakFault {
    None,
    ChunkFails,     // the acquire (or movie read) breaks off after a few chunks
    BrokenRecord,   // a chunk's record breaks the rules
    AcquireRefused, // the start of the acquire is refused
    AcquireStuck,   // the acquire delivers but never completes
    AcquireSilent,  // the acquire is taken but neither delivers nor completes
    DiskFull,       // the disk fills up during the shot and is freed afterwards
    NameClash,      // files planted under the names the next shot would take
    NameRace,       // a name taken just before the writer links its file
    LiveView,       // live view switched on, or off again
    Replug,         // the camera unplugged and plugged back in
};
constexpr std::size_t kSoakFaultKinds = 11;

const char* faultName(SoakFault fault);

struct SoakStep {
    Capture capture = Capture::Jpeg;
    int releases = 1; // a burst releases several times without waiting
    uint32_t jpegWidth = 320;
    uint32_t jpegHeight = 240;
    uint32_t rawBytes = 1u << 20;
    uint32_t movieBytes = 1u << 20;
    SoakFault fault = SoakFault::None;
    int afterChunks = 0;       // ChunkFails: chunks that pass first
    int brokenKind = 0;        // BrokenRecord: which rule the record breaks
    bool hideShortage = false; // DiskFull: the free space still reads as plenty
    double fraction = 0.5;     // DiskFull: how much of the shot still fits
};

class SoakPlan {
public:
    explicit SoakPlan(uint64_t seed) : m_random(seed) {}

    SoakStep next();
    // A number in [low, high].
    uint32_t between(uint32_t low, uint32_t high);
    // True with probability `chance`.
    bool chance(double chance);

private:
    Capture pickCapture();
    SoakFault pickFault(Capture capture);
    Capture warmUpOr(Capture drawn) const;

    static constexpr int kFirstMovieStep = 3;
    static constexpr int kFirstCardMovieStep = 6;

    std::mt19937_64 m_random;
    int m_steps = 0;
};

// Items one step makes on the camera.
inline int itemsOf(const SoakStep& step) {
    return step.capture == Capture::Burst ? step.releases : 1;
}
