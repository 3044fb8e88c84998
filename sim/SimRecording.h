#pragma once
// Movie recording of a simulated body. Writing 1 to "Movie record in card
// status" (0x8298) starts a recording in movie live view (0x823E 1,
// selector 0x8334 at 1); anywhere else the body keeps 0, so a program sees
// the refusal when it reads the status back. A card that is missing, full,
// unformatted, damaged or protected (bits of 0x8299) refuses too, and says
// why with event 0x10A. The recording ends with a write of 0, with live
// view or movie live view ending, or with the card failing: the scene's
// frames since the start then become a movie item on the card, announced
// with event 0x109. One instance serves one call; what lasts lives in the
// camera (SimLiveState).
#include "SimWorld.h"

#include <cstdint>

namespace vsim {

// Bits of 0x8299 that a recording cannot start or go on with.
constexpr uint32_t kCardProblems = 0x800 | 0x08 | 0x04 | 0x02 | 0x01;
// Bit of 0x8299 set while a recording runs.
constexpr uint32_t kRecordingBit = 0x400;

class SimRecording {
public:
    SimRecording(SimWorld& world, SimCamera& camera) : m_world(world), m_camera(camera) {}

    // A value of the camera changed, written by the program or on the body.
    void afterWrite(uint32_t capId);
    // The body stops a recording (if one runs) with error `reason`: the
    // status goes back to 0, event 0x10A follows, and what was recorded is
    // kept as a movie.
    void stopByError(uint32_t reason);

private:
    void followStatus();
    void start();
    void finish();
    bool inMovieLiveView();
    uint32_t cardBits();
    void setStatus(uint32_t value);
    void setRecordingBit(bool on);

    SimWorld& m_world;
    SimCamera& m_camera;
};

} // namespace vsim
