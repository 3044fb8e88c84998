#pragma once
// What a simulated camera body does on its own or when a hand acts on it:
// dials, the meter following the scene, the battery, lens changes, the
// shutter release (with bulb exposures) and the events a real body raises
// for each. Every change reaches the program as the events a value written
// by the program would raise. One instance serves one action; the state it
// keeps between actions lives in the camera (SimBodyState).
#include "SimWorld.h"

#include <cstdint>

namespace vsim {

class SimBody {
public:
    SimBody(SimWorld& world, SimCamera& camera) : m_world(world), m_camera(camera) {}

    // Steps a dial's enumeration index, stopping at either end; false when
    // it did not move (no such dial, at its end, shutter speed locked).
    bool turnDial(uint32_t capId, int32_t steps);
    void setSceneBrightness(double stops);
    // False when the level did not change (already empty, negative percent).
    bool drainBattery(int32_t percent);
    void mountLens(const SimLens& lens);
    // The body's own release button; false when the body cannot take a
    // picture now (card full, battery empty).
    bool pressShutter();
    // False when live view was not running.
    bool endLiveView();
    // A movie file the body wrote to its card; returns the new item's id.
    uint32_t addCardMovie();
    void stopRecordingByError(uint32_t reason);
    // False for a body without the shutter speed lock.
    bool toggleShutterLock();

    // The program's starts of Capture and Terminate Capture; the results
    // the entry call returns. The picture itself follows at the next idle
    // call, after the program was told the start completed.
    int32_t startCapture();
    int32_t terminateCapture();

    // One idle call: releases due are finished; the scene is metered anew
    // when `meterNow` says so.
    void idle(bool meterNow);
    // Reads the meter now; raises value-changed for what changed.
    void meter();

private:
    SimCapability* find(uint32_t capId) { return m_camera.find(capId); }
    std::string enumText(uint32_t capId);
    uint32_t enumValue(uint32_t capId);
    bool bulbSelected();
    bool canRelease();
    void finishRelease();
    double sceneLight();
    void fitApertures(uint32_t capId, const SimLens& lens);
    void followFocus(const SimLens& previous, const SimLens& lens);
    void valueChanged(uint32_t capId);
    void listChanged(uint32_t capId);

    SimWorld& m_world;
    SimCamera& m_camera;
};

} // namespace vsim
