#pragma once
// Live view of a simulated body: the frames of 0x8247 ("Get LiveView image")
// while 0x823E is 1, each a big-endian header of the size the camera type
// calls for followed by a JPEG of the moving scene; and the lens focus that
// contrast AF (0x8240) and the manual focus drive (0x8248, 0x8249) move.
// One instance serves one call; what lasts lives in the camera
// (SimLiveState) and the world (clock, encoded frames).
#include "SimWorld.h"

#include <cstdint>

namespace vsim {

class SimLiveView {
public:
    SimLiveView(SimWorld& world, SimCamera& camera) : m_world(world), m_camera(camera) {}

    // A value of the camera changed, written by the program or on the body.
    void afterWrite(uint32_t capId);

    // Get of 0x8247: prepares the next frame and answers its array record
    // (one byte per element, the element count the whole frame's length).
    int32_t frameRecord(uint32_t dataType, intptr_t data);
    // Get-array of 0x8247: copies the frame the record get sized into the
    // program's buffer, which must hold all of it.
    int32_t frameContents(uint32_t dataType, intptr_t data);

private:
    // Starts or ends the session with 0x823E; true while live view is on.
    bool followStatus();
    bool lensDrivable();
    void driveManualFocus();
    void clampContrastPoint();
    void stepContrastAf();
    bool prepareFrame();
    uint32_t zoomValue();
    bool microphoneOff();
    orv::PointRecord contrastPoint();

    SimWorld& m_world;
    SimCamera& m_camera;
};

} // namespace vsim
